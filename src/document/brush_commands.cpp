#include "document/brush_commands.h"

#include "document/curved_primitives.h"
#include "document/map_document.h"
#include "document/primitives.h"
#include "geometry/brush_reshape.h"
#include "platform/host.h"

#include <string>

namespace vorn {
namespace {

// New brushes carry the current texture; a map without one must still write a readable name.
std::string textureForNewBrushes(const CQMap& map)
{
    return map.currentTexture().empty() ? std::string(kNoTexture) : map.currentTexture();
}

// B replaced by what the generator made of it.
void replaceByGenerated(CQMap& map, const std::string& name, BrushLocation b, Replacement replacement)
{
    MapChange change(map, name);
    if (replacement.inPlace) {
        change.replaceBrush(b, std::move(replacement.brushes.front()));
    } else {
        change.removeBrush(b);
        for (CQBrush& brush : replacement.brushes) change.selectBrush(change.addBrush(b.entity, std::move(brush)), true);
    }
    change.commit();
}

// The flow every Make-into command shares: the refusals, the dialog opened on its defaults, the
// confirmed values checked again, and the generator on the one selected brush.
template <typename Settings, typename Ask, typename Generate>
void makeInto(CQMap& map, Host& host, const std::string& name, Ask ask, Generate generate)
{
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

    const std::optional<Settings> settings = ask(Settings{});
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        host.messageBox(*problem);
        return;
    }
    const BrushLocation b = map.firstSelectedBrush();
    auto replacement = generate(map.brush(b), *settings, textureForNewBrushes(map), host);
    if (replacement) replaceByGenerated(map, name, b, std::move(*replacement));
}

// Said once after a turn, a scaling or a mirror that the texture lock could not follow exactly.
constexpr const char* kTexturesNotKept =
    "Texture lock: some faces of the standard format cannot keep their texture exactly; they keep the nearest.";

// Every selected brush changes about one point, taken before any of them moves.
template <typename Transform>
void transformAbout(CQMap& map, const std::vector<BrushLocation>& selected, Vec3 centre, const std::string& name,
                    Transform transform, Host& host)
{
    MapChange change(map, name);
    bool kept = true;
    for (const BrushLocation at : selected) {
        CQBrush& brush = change.editBrush(at);
        brush.Move(-centre, map.textureLock);
        kept = transform(brush) && kept;
        brush.Move(centre, map.textureLock);
    }
    change.commit();
    if (!kept) host.statusMessage(kTexturesNotKept);
}

// Turns and scales go about the mean of the selected brushes' centres.
template <typename Transform>
void transformSelection(CQMap& map, const std::string& name, Transform transform, Host& host)
{
    const std::vector<BrushLocation> selected = map.changeableSelection();
    if (selected.empty()) return;
    Vec3 sum;
    for (const BrushLocation at : selected) sum += map.brush(at).Centre();
    const auto n = static_cast<float>(selected.size());
    transformAbout(map, selected, {sum.x / n, sum.y / n, sum.z / n}, name, transform, host);
}

// The scale commands' check: a missing entity is reported, an empty selection is not.
bool mayScale(const CQMap& map, Host& host)
{
    if (!map.GetCurrentEntity()) {
        host.messageBox("You must create an entity\n and select a brush first!");
        return false;
    }
    return !map.changeableSelection().empty();
}

} // namespace

void MakeIntoRoom(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<RoomSettings>(
        map, host, "Make Room", [&](const RoomSettings& s) { return dialogs.makeRoom(s); },
        [](const CQBrush& b, const RoomSettings& s, const std::string& tex, Host& log) {
            return MakeRoom(b, s.wallThickness, tex, log);
        });
}

void MakeIntoStairs(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<StairsSettings>(
        map, host, "Make Stairs", [&](const StairsSettings& s) { return dialogs.makeStairs(s); },
        [](const CQBrush& b, const StairsSettings& s, const std::string& tex, Host& log) {
            return MakeStairs(b, s.upEnd, s.height, s.thickness, tex, log);
        });
}

void MakeIntoRamp(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<RampSettings>(
        map, host, "Make Ramp", [&](const RampSettings& s) { return dialogs.makeRamp(s); },
        [](const CQBrush& b, const RampSettings& s, const std::string& tex, Host& log) {
            return MakeRamp(b, s.elevatedEnd, tex, log);
        });
}

void MakeIntoArch(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<ArchSettings>(
        map, host, "Make Arch", [&](const ArchSettings& s) { return dialogs.makeArch(s); },
        [](const CQBrush& b, const ArchSettings& s, const std::string& tex, Host& log) {
            return MakeArch(b, s.direction, s.thickness, s.pieces, tex, log);
        });
}

void MakeIntoCylinder(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<CylinderSettings>(
        map, host, "Make Cylinder", [&](const CylinderSettings& s) { return dialogs.makeCylinder(s); },
        [](const CQBrush& b, const CylinderSettings& s, const std::string& tex, Host& log) {
            return MakeTube(b, s.direction, s.sides, s.thickness, tex, log);
        });
}

void MakeIntoSpike(CQMap& map, Dialogs& dialogs, Host& host)
{
    makeInto<SpikeSettings>(
        map, host, "Make Spike", [&](const SpikeSettings& s) { return dialogs.makeSpike(s); },
        [](const CQBrush& b, const SpikeSettings& s, const std::string& tex, Host& log) {
            return MakeSpike(b, s.direction, s.sides, tex, log);
        });
}

void RotateSelectionX(CQMap& map, float degrees, Host& host)
{
    transformSelection(map, "Rotate", [&](CQBrush& b) { return b.RotateX(degrees, map.textureLock, host); }, host);
}

void RotateSelectionY(CQMap& map, float degrees, Host& host)
{
    transformSelection(map, "Rotate", [&](CQBrush& b) { return b.RotateY(degrees, map.textureLock, host); }, host);
}

void RotateSelectionZ(CQMap& map, float degrees, Host& host)
{
    transformSelection(map, "Rotate", [&](CQBrush& b) { return b.RotateZ(degrees, map.textureLock, host); }, host);
}

void ScaleSelection(CQMap& map, float x, float y, float z, Host& host)
{
    transformSelection(map, "Scale", [&](CQBrush& b) { return b.ScaleBy(x, y, z, map.textureLock, host); }, host);
}

void MirrorSelection(CQMap& map, int axis, Host& host)
{
    const std::vector<BrushLocation> selected = map.changeableSelection();
    if (selected.empty()) return;
    std::optional<Bounds> bounds;
    for (const BrushLocation at : selected) Include(bounds, map.brush(at).bounds());
    Vec3 middle;
    middle[axis] = (bounds->mins[axis] + bounds->maxs[axis]) * 0.5f;
    transformAbout(
        map, selected, middle, "Mirror", [&](CQBrush& b) { return b.Mirror(axis, map.textureLock, host); }, host);
}

void MergeSelection(CQMap& map, Host& host)
{
    const std::vector<BrushLocation> selected = map.changeableSelection();
    if (selected.size() < 2) {
        host.statusMessage("Select two or more brushes of one entity to merge them.");
        return;
    }
    std::vector<const CQBrush*> brushes;
    for (const BrushLocation at : selected) brushes.push_back(&map.brush(at));
    std::optional<CQBrush> merged = MergeBrushes(brushes, host);
    if (!merged) {
        host.statusMessage("The selected brushes hold no volume: nothing was merged.");
        return;
    }
    MapChange change(map, "Merge");
    // The first keeps its place and takes the solid; the others go, last to first.
    for (auto at = selected.rbegin(); at + 1 != selected.rend(); ++at) change.removeBrush(*at);
    change.replaceBrush(selected.front(), std::move(*merged));
    change.commit();
}

void EditRotationSettings(CQMap& map, Dialogs& dialogs, Host& host)
{
    const std::optional<RotationSettings> settings = dialogs.rotationSetup(map.rotation);
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        host.messageBox(*problem);
        return;
    }
    map.rotation = *settings;
}

void ScaleSelectionBy(CQMap& map, ScaleDirection direction, Host& host)
{
    if (!mayScale(map, host)) return;
    const ScaleSettings& f = map.scale;
    if (direction == ScaleDirection::Up) {
        ScaleSelection(map, f.x, f.y, f.z, host);
    } else {
        ScaleSelection(map, 1.0f / f.x, 1.0f / f.y, 1.0f / f.z, host);
    }
}

void EditScaleFactor(CQMap& map, Dialogs& dialogs, Host& host)
{
    if (!mayScale(map, host)) return;
    const std::optional<ScaleSettings> settings = dialogs.scaleSettings(map.scale);
    if (!settings) return;
    if (const auto problem = settings->problem()) {
        host.messageBox(*problem);
        return;
    }
    map.scale = *settings;
    ScaleSelection(map, map.scale.x, map.scale.y, map.scale.z, host);
}

} // namespace vorn
