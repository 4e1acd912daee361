#include "document/brush_commands.h"

#include "document/curved_primitives.h"
#include "document/map_document.h"
#include "document/primitives.h"
#include "editor/editor.h"
#include "platform/dialogs.h"
#include "platform/host.h"

#include <string>

namespace vorn {
namespace {

// New brushes carry the current texture; a map without one must still write a readable name.
std::string textureForNewBrushes(CQMap& map)
{
    return map.currentTexture().empty() ? std::string(kNoTexture) : map.currentTexture();
}

// The flow every Make-into command shares: the refusals, the dialog opened on its defaults, the
// confirmed values checked again, the generator on the one selected brush, and the redraw.
template <typename Settings, typename Ask, typename Generate>
void makeInto(Editor& editor, Ask ask, Generate generate)
{
    Host& host = editor.host();
    CQMap& map = editor.map();
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        host.messageBox("Must create something first");
        return;
    }
    if (!current->isModifiable()) {
        host.messageBox("Can't modify brushes in this entity");
        return;
    }
    const int selected = map.countSelectedBrushes();
    if (selected == 0) {
        host.messageBox("You must select a brush first");
        return;
    }
    if (selected > 1) {
        host.messageBox("You must select only one brush");
        return;
    }

    const std::optional<Settings> settings = ask(editor.dialogs(), Settings{});
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        host.messageBox(*problem);
        return;
    }
    const CQMap::BrushRef b = map.firstSelectedBrush();
    // The selection lives in the current entity, but never reshape a brush of a fixed-size entity.
    if (!b.entity || !b.entity->isModifiable()) {
        host.messageBox("Can't modify brushes in this entity");
        return;
    }
    if (generate(*b.entity, b.index, *settings, textureForNewBrushes(map), host)) map.setModified();
    editor.rebuildCameraScene();
    editor.updateViews(ViewFlags::All);
}

// The current entity when it has a selection it may change; none otherwise.
CQEntity* transformableEntity(CQMap& map)
{
    CQEntity* current = map.GetCurrentEntity();
    if (!current || !current->isModifiable() || current->selectedCount() == 0) return nullptr;
    return current;
}

// The scale commands' check: a missing entity is reported, an empty selection is not.
CQEntity* scalableEntity(Editor& editor)
{
    if (!editor.map().GetCurrentEntity()) {
        editor.host().messageBox("You must create an entity\n and select a brush first!");
        return nullptr;
    }
    return transformableEntity(editor.map());
}

} // namespace

void MakeIntoRoom(Editor& editor)
{
    makeInto<RoomSettings>(
        editor, [](Dialogs& d, const RoomSettings& s) { return d.makeRoom(s); },
        [](CQEntity& e, int i, const RoomSettings& s, const std::string& tex, Host& host) {
            return MakeRoom(e, i, s.wallThickness, tex, host);
        });
}

void MakeIntoStairs(Editor& editor)
{
    makeInto<StairsSettings>(
        editor, [](Dialogs& d, const StairsSettings& s) { return d.makeStairs(s); },
        [](CQEntity& e, int i, const StairsSettings& s, const std::string& tex, Host& host) {
            return MakeStairs(e, i, s.upEnd, s.height, s.thickness, tex, host);
        });
}

void MakeIntoRamp(Editor& editor)
{
    makeInto<RampSettings>(
        editor, [](Dialogs& d, const RampSettings& s) { return d.makeRamp(s); },
        [](CQEntity& e, int i, const RampSettings& s, const std::string& tex, Host& host) {
            return MakeRamp(e, i, s.elevatedEnd, tex, host);
        });
}

void MakeIntoArch(Editor& editor)
{
    makeInto<ArchSettings>(
        editor, [](Dialogs& d, const ArchSettings& s) { return d.makeArch(s); },
        [](CQEntity& e, int i, const ArchSettings& s, const std::string& tex, Host& host) {
            return MakeArch(e, i, s.direction, s.thickness, s.pieces, tex, host);
        });
}

void MakeIntoCylinder(Editor& editor)
{
    makeInto<CylinderSettings>(
        editor, [](Dialogs& d, const CylinderSettings& s) { return d.makeCylinder(s); },
        [](CQEntity& e, int i, const CylinderSettings& s, const std::string& tex, Host& host) {
            return MakeTube(e, i, s.direction, s.sides, s.thickness, tex, host);
        });
}

void MakeIntoSpike(Editor& editor)
{
    makeInto<SpikeSettings>(
        editor, [](Dialogs& d, const SpikeSettings& s) { return d.makeSpike(s); },
        [](CQEntity& e, int i, const SpikeSettings& s, const std::string& tex, Host& host) {
            return MakeSpike(e, i, s.direction, s.sides, tex, host);
        });
}

void RotateSelection(Editor& editor, Axis axis, Turn turn)
{
    CQMap& map = editor.map();
    CQEntity* entity = transformableEntity(map);
    if (!entity) return;
    const int sign = turn == Turn::Forward ? 1 : -1;
    Host& log = editor.host();
    switch (axis) {
    case Axis::X: entity->RotateSelectionX(static_cast<float>(sign * map.rotation.x), log); break;
    case Axis::Y: entity->RotateSelectionY(static_cast<float>(sign * map.rotation.y), log); break;
    case Axis::Z: entity->RotateSelectionZ(static_cast<float>(sign * map.rotation.z), log); break;
    }
    map.setModified();
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::Editing);
}

void EditRotationSettings(Editor& editor)
{
    CQMap& map = editor.map();
    const std::optional<RotationSettings> settings = editor.dialogs().rotationSetup(map.rotation);
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        editor.host().messageBox(*problem);
        return;
    }
    map.rotation = *settings;
}

void ScaleSelectionBy(Editor& editor, ScaleDirection direction)
{
    CQEntity* entity = scalableEntity(editor);
    if (!entity) return;
    CQMap& map = editor.map();
    const ScaleSettings& f = map.scale;
    if (direction == ScaleDirection::Up) entity->ScaleSelection(f.x, f.y, f.z, editor.host());
    else entity->ScaleSelection(1.0f / f.x, 1.0f / f.y, 1.0f / f.z, editor.host());
    map.setModified();
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::Editing);
}

void EditScaleFactor(Editor& editor)
{
    CQEntity* entity = scalableEntity(editor);
    if (!entity) return;
    CQMap& map = editor.map();
    const std::optional<ScaleSettings> settings = editor.dialogs().scaleSettings(map.scale);
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        editor.host().messageBox(*problem);
        return;
    }
    map.scale = *settings;
    entity->ScaleSelection(map.scale.x, map.scale.y, map.scale.z, editor.host());
    map.setModified();
    editor.rebuildCameraScene();
    editor.updateViews(ViewFlags::XYZ);
}

} // namespace vorn
