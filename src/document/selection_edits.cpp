#include "document/selection_edits.h"

#include "document/map_document.h"
#include "geometry/clip_points.h"
#include "geometry/subtraction.h"

#include <algorithm>
#include <vector>

namespace vorn {

void MoveSelection(MapChange& change, Vec3 offset)
{
    const CQMap& map = change.map();
    const int current = map.currentIndex();
    if (current < 0 || map.countSelectedBrushes() == 0) return;
    const std::string_view origin = map.entity(current).GetValue(kOriginKey);
    if (!origin.empty()) change.setValue(current, kOriginKey, Quoted(OriginText(ParseVector(origin) + offset)));
    for (const BrushLocation at : map.selectedBrushes()) change.moveBrush(at, offset, map.textureLock);
}

void NudgeSelection(CQMap& map, Vec3 offset)
{
    MapChange change(map, "Move");
    MoveSelection(change, offset);
    change.commit();
}

void DeleteSelection(MapChange& change)
{
    const CQMap& map = change.map();
    const int current = map.currentIndex();
    const std::vector<BrushLocation> selected = map.selectedBrushes();
    if (current < 0 || selected.empty()) return;
    for (auto at = selected.rbegin(); at != selected.rend(); ++at) change.removeBrush(*at);
    const CQEntity& entity = map.entity(current);
    if (entity.brushCount() == 0 && !entity.isWorld()) {
        change.removeEntity(current);
        if (map.EntityCount() > 0) change.setCurrentEntity(0);
    }
}

void DeleteSelection(CQMap& map)
{
    MapChange change(map, "Delete");
    DeleteSelection(change);
    change.commit();
}

void AddNewBrush(CQMap& map, const CQBrush& brush)
{
    if (!brush.IsValid()) return;
    const CQEntity* current = map.GetCurrentEntity();
    if (current && !current->isModifiable()) return;
    MapChange change(map, "Create Brush");
    if (map.EntityCount() == 0) {
        // The world; named so that the saved file is a map the compile tools accept.
        CQEntity world;
        world.SetValue("\"classname\"", "\"worldspawn\"");
        world.setWorld(true);
        change.setCurrentEntity(change.addEntity(std::move(world)));
    }
    const int entity = map.currentIndex();
    if (entity >= 0) change.selectBrush(change.addBrush(entity, brush), true);
    change.commit();
}

bool ApplyClip(CQMap& map, ClipPoints& points, DebugOutput& log)
{
    const std::vector<BrushLocation> selected = map.changeableSelection();
    const std::optional<CQFace> face = points.MakeClipFace(map.currentTexture());
    if (selected.empty() || !face) return false;
    MapChange change(map, "Clip");
    bool cut = false;
    for (const BrushLocation at : selected) {
        CQBrush clipped = map.brush(at);
        if (!ClipBrush(clipped, *face, log)) continue;
        change.replaceBrush(at, std::move(clipped));
        cut = true;
    }
    change.commit();
    return cut;
}

void SubtractSelection(CQMap& map, DebugOutput& log)
{
    const std::vector<BrushLocation> cutterPlaces = map.changeableSelection();
    if (cutterPlaces.empty()) return;
    const int entity = cutterPlaces.front().entity;
    std::vector<const CQBrush*> cutters;
    for (const BrushLocation at : cutterPlaces) cutters.push_back(&map.brush(at));

    // What each overlapped target breaks into, found before anything changes.
    struct Broken {
        int index;
        std::vector<CQBrush> pieces;
    };
    std::vector<Broken> broken;
    const auto brushes = map.entity(entity).brushes();
    for (int i = 0; i < static_cast<int>(brushes.size()); ++i) {
        const CQBrush& target = brushes[static_cast<size_t>(i)];
        if (map.isSelected(target)) continue;
        bool overlapped = false;
        for (const CQBrush* cutter : cutters) overlapped = overlapped || BoxesOverlap(*cutter, target);
        if (overlapped) broken.push_back({i, SubtractBrushes(cutters, target, log)});
    }
    std::vector<CQBrush> cutterCopies;
    for (const CQBrush* cutter : cutters) cutterCopies.push_back(*cutter);

    MapChange change(map, "Subtract");
    // Last to first, so that the places still to come stay where they were.
    for (auto at = cutterPlaces.rbegin(); at != cutterPlaces.rend(); ++at) change.removeBrush(*at);
    for (auto b = broken.rbegin(); b != broken.rend(); ++b) {
        const int shift = static_cast<int>(std::count_if(cutterPlaces.begin(), cutterPlaces.end(),
                                                         [&](BrushLocation c) { return c.index < b->index; }));
        const int index = b->index - shift;
        change.removeBrush({entity, index});
        for (size_t k = 0; k < b->pieces.size(); ++k) {
            change.insertBrush({entity, index + static_cast<int>(k)}, std::move(b->pieces[k]));
        }
    }
    for (CQBrush& cutter : cutterCopies) change.selectBrush(change.addBrush(entity, std::move(cutter)), true);
    change.commit();
}

} // namespace vorn
