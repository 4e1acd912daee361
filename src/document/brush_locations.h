#pragma once

#include "geometry/brush.h"
#include "platform/prefault.h"

#include <cstddef>
#include <vector>

namespace vorn {

// Where a brush is: its entity's place in the map and its own place in that entity.
struct BrushLocation {
    int entity = -1;
    int index = -1;
    bool valid() const { return entity >= 0; }
    friend bool operator==(const BrushLocation&, const BrushLocation&) = default;
    friend auto operator<=>(const BrushLocation&, const BrushLocation&) = default;
};

// The location of every brush of the map by its id, kept right by whoever moves brushes around.
class BrushLocations {
public:
    // Not valid for a brush that is not in the map.
    BrushLocation find(BrushId id) const { return id < byId_.size() ? byId_[id] : BrushLocation{}; }
    void set(BrushId id, BrushLocation at)
    {
        if (id >= byId_.size()) byId_.resize(static_cast<size_t>(id) + 1);
        byId_[id] = at;
    }
    void erase(BrushId id) { set(id, {}); }
    void clear() { byId_.clear(); }

private:
    std::vector<BrushLocation, BackedAllocator<BrushLocation>> byId_;
};

} // namespace vorn
