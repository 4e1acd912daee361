#include "document/entity_commands.h"

#include "editor/editor.h"
#include "platform/dialogs.h"
#include "platform/host.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

namespace vorn {
namespace {

const std::string kTargetKey = "\"target\"";
const std::string kTargetNameKey = "\"targetname\"";

bool isEmptyValue(std::string_view stored) { return Unquoted(stored).empty(); }

// The confirmed archive becomes the current one; the panel reloads it when it changed.
void useTextureArchive(Editor& editor, const std::string& wadName)
{
    if (editor.prefs().wad == wadName) return;
    editor.prefs().wad = wadName;
    BusyScope busy(editor.host());
    editor.textureArchiveChanged();
}

// Where OK in Map Properties changes the map: the world's pairs.
void rewriteWorld(CQMap& map, CQEntity& world, const MapPropertiesResult& result)
{
    ApplyMapProperties(world, result);
    map.setModified();
}

// Where OK in Entity Properties changes the map: the edited entity comes back as current, last.
void replaceCurrentEntity(Editor& editor, const EntityPropertiesResult& result)
{
    CQMap& map = editor.map();
    std::unique_ptr<CQEntity> edited = map.TakeCurrentEntity();
    ApplyEntityProperties(*edited, result, editor.host());
    map.AddEntity(*edited);
}

// Where OK in Make into Entity changes the map: the selected world brushes leave the world for
// the new entity, which becomes current.
void addMadeEntity(CQMap& map, CQEntity& world, const CQEntity& made)
{
    for (int i = world.brushCount() - 1; i >= 0; --i) {
        if (world.brushes()[static_cast<size_t>(i)].IsSelected()) world.removeBrush(i);
    }
    map.AddEntity(made);
}

void editWorld(Editor& editor, CQEntity& world)
{
    const auto result = editor.dialogs().mapProperties(MapPropertiesForm::readWorld(world));
    if (!result) return;
    rewriteWorld(editor.map(), world, *result);
    useTextureArchive(editor, result->wadName);
}

// The next default target name, or nothing when every one has been used.
std::optional<std::string> nextTargetName(Editor& editor)
{
    const auto counter = static_cast<uint32_t>(editor.prefs().curTargetId);
    if (counter == std::numeric_limits<uint32_t>::max()) {
        editor.host().messageBox("You have used all 4,294,967,295 default\ntargetnames and must now think up your own");
        return std::nullopt;
    }
    editor.prefs().curTargetId = static_cast<int>(counter + 1);
    return "t" + std::to_string(counter);
}

} // namespace

void ShowEntityProperties(Editor& editor)
{
    CQMap& map = editor.map();
    CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        editor.host().messageBox("There is no current entity!");
        return;
    }
    if (current->isWorld()) {
        editWorld(editor, *current);
    } else if (const auto result = editor.dialogs().entityProperties(*current, editor.classes())) {
        replaceCurrentEntity(editor, *result);
        editor.rebuildCameraScene();
        editor.updateViews(ViewFlags::Editing);
    }
    editor.panel().showEntity(map.GetCurrentEntity());
    editor.host().controlPanelChanged();
}

void MakeIntoEntity(Editor& editor)
{
    CQMap& map = editor.map();
    Host& host = editor.host();
    CQEntity* world = map.GetCurrentEntity();
    if (!world) {
        host.messageBox("You must create a brush first!");
        return;
    }
    if (!world->isWorld()) {
        host.messageBox("That brush is already part of another entity");
        return;
    }
    if (world->selectedCount() == world->brushCount()) {
        host.messageBox("You must leave at least one brush in\n the old entity when creating a new entity");
        return;
    }
    if (map.countSelectedBrushes() == 0) return;

    // The world keeps its brushes until OK, so Cancel leaves it exactly as it was.
    CQEntity made;
    for (const CQBrush& brush : world->brushes()) {
        if (brush.IsSelected()) made.AddBrush(brush);
    }
    const auto result = editor.dialogs().entityProperties(made, editor.classes());
    if (!result) return;
    ApplyEntityProperties(made, *result, host);
    addMadeEntity(map, *world, made);
    editor.rebuildCameraScene();
    editor.panel().showEntity(map.GetCurrentEntity());
    host.controlPanelChanged();
    editor.updateViews(ViewFlags::Editing);
}

void CreateWorld(Editor& editor)
{
    const auto result = editor.dialogs().mapProperties(MapPropertiesForm::forNewWorld(editor.prefs().wad));
    if (!result) return;
    editor.map().AddEntity(MakeWorld(*result));
    useTextureArchive(editor, result->wadName);
    editor.updateViews(ViewFlags::All);
}

void ConnectEntities(Editor& editor, Vec3 start, Vec3 end)
{
    CQMap& map = editor.map();
    Host& host = editor.host();
    CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        host.messageBox("Must create a non-world\nentity to connect");
        return;
    }
    if (current->isWorld()) {
        host.messageBox("Must have a non-world entity\nselected to connect");
        return;
    }
    map.SelectEntityAt(start, end);
    CQEntity* other = map.GetCurrentEntity();
    if (other == current || !other) {
        host.messageBox("Must click on a different entity\nto connect");
        editor.updateViews(ViewFlags::All);
        return;
    }
    if (other->isWorld()) {
        host.messageBox("Must click on a non-world entity\nto connect");
        editor.updateViews(ViewFlags::All);
        return;
    }

    const std::string_view otherName = other->GetValue(kTargetNameKey);
    const std::string_view currentTarget = current->GetValue(kTargetKey);
    if (!isEmptyValue(otherName)) {
        current->SetValue(kTargetKey, std::string(otherName));
        map.setModified();
    } else if (!isEmptyValue(currentTarget)) {
        other->SetValue(kTargetNameKey, std::string(currentTarget));
        map.setModified();
    } else if (const auto name = nextTargetName(editor)) {
        current->SetValue(kTargetKey, Quoted(*name));
        other->SetValue(kTargetNameKey, Quoted(*name));
        map.setModified();
    }
    editor.panel().showEntity(other);
    host.controlPanelChanged();
    editor.updateViews(ViewFlags::All);
}

} // namespace vorn
