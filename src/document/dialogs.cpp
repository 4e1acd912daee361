#include "document/dialogs.h"

#include "document/dialog_checks.h"

namespace vorn {
namespace {

std::optional<std::string> compassProblem(std::string_view label, Compass end)
{
    return choiceProblem(label, static_cast<int>(end), {"North", "South", "East", "West"});
}

std::optional<std::string> scaleProblem(std::string_view label, float value)
{
    // Written so that a value that is not a number is refused too.
    if (value >= ScaleSettings::kMin && value <= ScaleSettings::kMax) return std::nullopt;
    return std::string(label) + " must be a number from 0.1 to 10.";
}

// The first problem of a list, or none.
std::optional<std::string> first(std::initializer_list<std::optional<std::string>> problems)
{
    for (const auto& problem : problems) {
        if (problem) return problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> rangeProblem(std::string_view label, int value, IntRange range)
{
    if (range.contains(value)) return std::nullopt;
    return std::string(label) + " must be a whole number from " + std::to_string(range.min) + " to " +
           std::to_string(range.max) + ".";
}

std::optional<std::string> choiceProblem(std::string_view label, int index,
                                         std::initializer_list<std::string_view> choices)
{
    if (index >= 0 && index < static_cast<int>(choices.size())) return std::nullopt;
    std::string text = std::string(label) + " must be one of ";
    bool firstChoice = true;
    for (std::string_view choice : choices) {
        if (!firstChoice) text += ", ";
        text += choice;
        firstChoice = false;
    }
    return text + ".";
}

std::optional<std::string> RampSettings::problem() const
{
    return compassProblem("Which end is elevated?", elevatedEnd);
}

std::optional<std::string> RoomSettings::problem() const
{
    return rangeProblem("Wall Thickness", wallThickness, kWallThickness);
}

std::optional<std::string> StairsSettings::problem() const
{
    // A negative thickness would put every step's bottom above its top and the brush would vanish.
    std::optional<std::string> thicknessProblem;
    if (thickness < 0) thicknessProblem = "Thickness must be a whole number, 0 or more.";
    return first({compassProblem("Up end", upEnd), rangeProblem("Height", height, kHeight), thicknessProblem});
}

std::optional<std::string> ArchSettings::problem() const
{
    return first({choiceProblem("Direction Arch Faces", direction, {"North/South", "East/West"}),
                  rangeProblem("Pieces", pieces, kPieces), rangeProblem("Thickness", thickness, kThickness)});
}

std::optional<std::string> CylinderSettings::problem() const
{
    return first({choiceProblem("Direction", direction, {"Up/Down", "North/South", "East/West"}),
                  rangeProblem("Sides", sides, kSides), rangeProblem("Thickness", thickness, kThickness)});
}

std::optional<std::string> SpikeSettings::problem() const
{
    return first({choiceProblem("Point direction", direction, {"Up", "North", "East", "Down", "South", "West"}),
                  rangeProblem("Sides", sides, kSides)});
}

std::optional<std::string> RotationSettings::problem() const
{
    return first({rangeProblem("X Angle", x, kAngle), rangeProblem("Y Angle", y, kAngle),
                  rangeProblem("Z Angle", z, kAngle)});
}

std::optional<std::string> ScaleSettings::problem() const
{
    return first({scaleProblem("X", x), scaleProblem("Y", y), scaleProblem("Z", z)});
}

} // namespace vorn
