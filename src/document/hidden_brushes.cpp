#include "document/hidden_brushes.h"

#include "document/map_document.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace vorn {

void HideSelected(CQMap& map)
{
    std::vector<BrushId> selected;
    for (const BrushLocation at : map.selectedBrushes()) selected.push_back(map.brush(at).id());
    if (selected.empty()) return;
    MapChange change(map, "Hide Selected");
    for (const BrushId id : selected) change.setHidden(id, true);
    change.commit();
}

void HideUnselected(CQMap& map)
{
    MapChange change(map, "Hide Unselected");
    for (int e = 0; e < map.EntityCount(); ++e) {
        for (const CQBrush& brush : map.entity(e).brushes()) {
            if (!map.isSelected(brush)) change.setHidden(brush.id(), true);
        }
    }
    change.commit();
}

void ShowAll(CQMap& map)
{
    // Brushes taken out of the map while hidden stay hidden, to come back as they went.
    std::vector<BrushId> shown;
    std::ranges::copy_if(map.hiddenBrushes(), std::back_inserter(shown), [&map](BrushId id) { return map.locate(id).valid(); });
    if (shown.empty()) return;
    MapChange change(map, "Show All");
    for (const BrushId id : shown) change.setHidden(id, false);
    change.commit();
}

} // namespace vorn
