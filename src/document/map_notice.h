#pragma once

#include "geometry/brush.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorn {

// What changed in the map, told to everything that shows it. Brushes are named by id; each list
// is in id order and names a brush at most once. A notice with nothing in it tells that only the
// modified mark may have changed (the map was saved).
struct MapNotice {
    bool reset = false;                 // a new map or another one: everything is new
    std::vector<BrushId> added;         // in the map now, not before
    std::vector<BrushId> removed;       // in the map before, not now
    std::vector<BrushId> changed;       // another shape, texture, place in the list or entity
    std::vector<BrushId> reselected;    // still in the map, selected or deselected
    std::vector<BrushId> shownOrHidden; // still in the map, hidden or shown again
    bool entitiesChanged = false;       // entities added, removed or reordered
    bool keysChanged = false;           // some entity's key/value pairs
    bool currentEntityChanged = false;  // another entity is current
    bool currentTextureChanged = false; // the texture new brushes and Apply Texture use

    bool empty() const;
};

class MapListener {
public:
    virtual void mapChanged(const MapNotice& notice) = 0;

protected:
    ~MapListener() = default;
};

// Gathers what happens to the map into one notice. A brush added and then removed again is not
// mentioned; one removed and added again (moved to another entity) has changed.
class NoticeBuilder {
public:
    void brushAdded(BrushId id);
    void brushRemoved(BrushId id);
    void brushChanged(BrushId id);
    void brushReselected(BrushId id) { reselected_.insert(id); }
    void brushShownOrHidden(BrushId id) { shownOrHidden_.insert(id); }
    void entitiesChanged() { flags_.entitiesChanged = true; }
    void keysChanged() { flags_.keysChanged = true; }
    void currentEntityChanged() { flags_.currentEntityChanged = true; }
    void currentTextureChanged() { flags_.currentTextureChanged = true; }
    void reset() { flags_.reset = true; }

    bool empty() const { return brushes_.empty() && reselected_.empty() && shownOrHidden_.empty() && flags_.empty(); }
    // The notice gathered so far; the builder starts afresh.
    MapNotice take();

private:
    enum class Fate : std::uint8_t { Added, Removed, Changed };
    std::unordered_map<BrushId, Fate> brushes_;
    std::unordered_set<BrushId> reselected_;
    std::unordered_set<BrushId> shownOrHidden_;
    MapNotice flags_;
};

} // namespace vorn
