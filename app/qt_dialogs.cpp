#include "qt_dialogs.h"

#include "entity_properties_dialog.h"
#include "map_properties_dialog.h"
#include "parameter_dialog.h"
#include "texture_selector_dialog.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"

#include <QApplication>

#include <QString>
#include <QStringList>

namespace vorn {
namespace {

// Binds the fields of a parameter dialog to the members of one settings struct: the dialog
// opens with the start values, OK is refused while the core's check names a value, and
// the confirmed struct comes back.
template <typename Settings>
class SettingsForm {
public:
    SettingsForm(QWidget* parent, const QString& title, const Settings& start,
                 ParameterDialog::Buttons buttons = ParameterDialog::Buttons::OkCancel)
        : dialog_(parent, title, buttons), start_(start)
    {
    }
    SettingsForm(const SettingsForm&) = delete;
    SettingsForm& operator=(const SettingsForm&) = delete;

    SettingsForm& wholeNumber(const QString& label, int Settings::*member)
    {
        const int field = dialog_.addWholeNumber(label, start_.*member);
        bind([this, field, member](Settings& s) { s.*member = dialog_.wholeNumber(field); },
             [this, field, member](const Settings& s) { dialog_.setWholeNumber(field, s.*member); });
        return *this;
    }

    SettingsForm& decimal(const QString& label, float Settings::*member)
    {
        const int field = dialog_.addDecimal(label, start_.*member);
        bind([this, field, member](Settings& s) { s.*member = dialog_.decimal(field); },
             [this, field, member](const Settings& s) { dialog_.setDecimal(field, s.*member); });
        return *this;
    }

    // A choice stored as its index, in an int or an enum.
    template <typename Member>
    SettingsForm& choice(const QString& label, const QStringList& choices, Member Settings::*member)
    {
        const int field = dialog_.addChoice(label, choices, static_cast<int>(start_.*member));
        bind([this, field, member](Settings& s) { s.*member = static_cast<Member>(dialog_.choice(field)); },
             [this, field, member](const Settings& s) { dialog_.setChoice(field, static_cast<int>(s.*member)); });
        return *this;
    }

    SettingsForm& help(const QString& text)
    {
        dialog_.setHelp(text);
        return *this;
    }

    // A button that reads the fields, changes the values and shows them again.
    SettingsForm& action(const QString& text, void (Settings::*change)())
    {
        dialog_.addAction(text, [this, change] {
            if (!dialog_.fieldsAreNumbers()) return;
            Settings settings = read();
            (settings.*change)();
            for (const auto& write : writers_) write(settings);
        });
        return *this;
    }

    std::optional<Settings> run()
    {
        dialog_.setCheck([this] { return read().problem(); });
        if (dialog_.exec() != QDialog::Accepted) return std::nullopt;
        return read();
    }

private:
    void bind(std::function<void(Settings&)> reader, std::function<void(const Settings&)> writer)
    {
        readers_.push_back(std::move(reader));
        writers_.push_back(std::move(writer));
    }

    Settings read() const
    {
        Settings settings = start_;
        for (const auto& reader : readers_) reader(settings);
        return settings;
    }

    ParameterDialog dialog_;
    Settings start_;
    std::vector<std::function<void(Settings&)>> readers_;
    std::vector<std::function<void(const Settings&)>> writers_;
};

QStringList compassPoints()
{
    return {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("East"), QStringLiteral("West")};
}

} // namespace

std::optional<RoomSettings> QtDialogs::makeRoom(const RoomSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make a Room"), start)
        .wholeNumber(QStringLiteral("Wall Thickness"), &RoomSettings::wallThickness)
        .run();
}

std::optional<StairsSettings> QtDialogs::makeStairs(const StairsSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make Stairs"), start)
        .choice(QStringLiteral("Up end"), compassPoints(), &StairsSettings::upEnd)
        .wholeNumber(QStringLiteral("Height"), &StairsSettings::height)
        .wholeNumber(QStringLiteral("Thickness"), &StairsSettings::thickness)
        .help(QStringLiteral("Height - how high each step is from the previous step.\n"
                             "Thickness - how thick each step is (0 is all the way to the bottom of the "
                             "brush for solid stairs)"))
        .run();
}

std::optional<RampSettings> QtDialogs::makeRamp(const RampSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make a Ramp"), start)
        .choice(QStringLiteral("Which end is elevated?"), compassPoints(), &RampSettings::elevatedEnd)
        .run();
}

std::optional<ArchSettings> QtDialogs::makeArch(const ArchSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make an Arch"), start)
        .choice(QStringLiteral("Direction Arch Faces"), {QStringLiteral("North/South"), QStringLiteral("East/West")},
                &ArchSettings::direction)
        .wholeNumber(QStringLiteral("Pieces"), &ArchSettings::pieces)
        .wholeNumber(QStringLiteral("Thickness"), &ArchSettings::thickness)
        .help(QStringLiteral("Pieces - number of pieces to break the arch into (4 min).\n"
                             "Thickness - how thick each brick will be"))
        .run();
}

std::optional<CylinderSettings> QtDialogs::makeCylinder(const CylinderSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make a Cylinder/Tube"), start)
        .choice(QStringLiteral("Direction"),
                {QStringLiteral("Up/Down"), QStringLiteral("North/South"), QStringLiteral("East/West")},
                &CylinderSettings::direction)
        .wholeNumber(QStringLiteral("Sides"), &CylinderSettings::sides)
        .wholeNumber(QStringLiteral("Thickness"), &CylinderSettings::thickness)
        .help(QStringLiteral("Sides - number of sides for the cylinder to have\n"
                             "Thickness - the thickness of each side to make a tube (0 means to make a solid "
                             "cylinder)"))
        .run();
}

std::optional<SpikeSettings> QtDialogs::makeSpike(const SpikeSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Make a Spike"), start)
        .choice(QStringLiteral("Point direction"),
                {QStringLiteral("Up"), QStringLiteral("North"), QStringLiteral("East"), QStringLiteral("Down"),
                 QStringLiteral("South"), QStringLiteral("West")},
                &SpikeSettings::direction)
        .wholeNumber(QStringLiteral("Sides"), &SpikeSettings::sides)
        .help(QStringLiteral("Sides - number of sides for the spike to have"))
        .run();
}

std::optional<RotationSettings> QtDialogs::rotationSetup(const RotationSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Rotation Setup"), start, ParameterDialog::Buttons::OkOnly)
        .wholeNumber(QStringLiteral("X Angle"), &RotationSettings::x)
        .wholeNumber(QStringLiteral("Y Angle"), &RotationSettings::y)
        .wholeNumber(QStringLiteral("Z Angle"), &RotationSettings::z)
        .run();
}

std::optional<ScaleSettings> QtDialogs::scaleSettings(const ScaleSettings& start)
{
    return SettingsForm(parent_, QStringLiteral("Scale setttings"), start)
        .decimal(QStringLiteral("X"), &ScaleSettings::x)
        .decimal(QStringLiteral("Y"), &ScaleSettings::y)
        .decimal(QStringLiteral("Z"), &ScaleSettings::z)
        .action(QStringLiteral("Equal"), &ScaleSettings::makeEqual)
        .run();
}

std::optional<EntityPropertiesResult> QtDialogs::entityProperties(const CQEntity& entity, const EntityClassList& classes)
{
    return EntityPropertiesDialog(EntityPropertiesForm(entity, classes), classes, parent_).run();
}

std::optional<MapPropertiesResult> QtDialogs::mapProperties(const MapPropertiesForm& start)
{
    return MapPropertiesDialog(start, parent_).run();
}

// The selector reads the archives afresh each time it opens and reports nothing when they
// cannot be read: its list stays empty.
std::optional<std::string> QtDialogs::textureSelector(const std::string& wadPath, const std::string& current)
{
    const std::vector<std::string> folders = textureFolders_ ? textureFolders_() : std::vector<std::string>{""};
    TextureArchives archives;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    archives.load(wadPath, folders);
    const TextureColours colours = FindTextureColours(archives, folders);
    TextureSelectorDialog dialog(parent_, archives, colours, QString::fromStdString(current));
    QApplication::restoreOverrideCursor();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedName();
}

} // namespace vorn
