#include "document/dialog_checks.h"
#include "document/dialogs.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vorn;

// The defaults and the limits are accepted; a value outside its range or list is named by its label.
TEST(DialogSettings, ValuesOutsideTheirRangeOrListAreNamedByTheirLabel)
{
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {RoomSettings{}.problem(), nullptr}, {StairsSettings{}.problem(), nullptr}, {RampSettings{}.problem(), nullptr},
        {ArchSettings{}.problem(), nullptr}, {CylinderSettings{}.problem(), nullptr}, {SpikeSettings{}.problem(), nullptr},
        {RotationSettings{}.problem(), nullptr}, {ScaleSettings{}.problem(), nullptr}, {RoomSettings{256}.problem(), nullptr},
        {StairsSettings{.height = 1, .thickness = 1000}.problem(), nullptr}, {ArchSettings{.pieces = 16}.problem(), nullptr},
        {SpikeSettings{.direction = 5}.problem(), nullptr}, {RotationSettings{.x = -360, .y = 360}.problem(), nullptr},
        {ScaleSettings{.x = 0.1f, .y = 10}.problem(), nullptr},
        {RoomSettings{0}.problem(), "Wall Thickness must be a whole number from 1 to 256."},
        {RoomSettings{257}.problem(), "Wall Thickness must be a whole number from 1 to 256."},
        {StairsSettings{.height = 33}.problem(), "Height must be a whole number from 1 to 32."},
        // No upper limit on the thickness, but no steps with their bottom above their top.
        {StairsSettings{.thickness = -8}.problem(), "Thickness must be a whole number, 0 or more."},
        {StairsSettings{.upEnd = static_cast<Compass>(4)}.problem(), "Up end must be one of North, South, East, West."},
        {RampSettings{static_cast<Compass>(-1)}.problem(), "Which end is elevated? must be one of North, South, East, West."},
        {ArchSettings{.pieces = 3}.problem(), "Pieces must be a whole number from 4 to 16."},
        {ArchSettings{.thickness = 65}.problem(), "Thickness must be a whole number from 1 to 64."},
        {ArchSettings{.direction = 2}.problem(), "Direction Arch Faces must be one of North/South, East/West."},
        {CylinderSettings{.sides = 17}.problem(), "Sides must be a whole number from 3 to 16."},
        {CylinderSettings{.thickness = -1}.problem(), "Thickness must be a whole number from 0 to 256."},
        {SpikeSettings{.sides = 33}.problem(), "Sides must be a whole number from 3 to 32."},
        {SpikeSettings{.direction = 6}.problem(), "Point direction must be one of Up, North, East, Down, South, West."},
        // The first value out of range is named.
        {RotationSettings{.x = -360, .z = 400}.problem(), "Z Angle must be a whole number from -360 to 360."},
        {RotationSettings{.x = -360, .y = -361, .z = 400}.problem(), "Y Angle must be a whole number from -360 to 360."},
        {ScaleSettings{.z = 0.05f}.problem(), "Z must be a number from 0.1 to 10."},
        {ScaleSettings{.x = std::numeric_limits<float>::quiet_NaN()}.problem(), "X must be a number from 0.1 to 10."},
    };
    for (const auto& [problem, text] : cases) EXPECT_EQ(problem, text ? std::optional<std::string>(text) : std::nullopt);
}
