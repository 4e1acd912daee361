#pragma once

#include "document/brush_locations.h"
#include "document/selection.h"
#include "map/entity.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorn {

class MapStore;

// One undoable piece of a change. Applying a record toggles the map between the states before
// and after that piece, so undoing a step applies its records last to first and redoing it first
// to last. A record names places as they were when it was made; since every change to the map's
// structure is recorded, they are right again whenever the record is applied.

// A brush changed in place: `other` holds the version not in the map.
struct BrushEdit {
    BrushLocation at;
    CQBrush other;
};
// A brush moved by whole units that moving back restores exactly: `offset` takes it to the
// version not in the map. Keeps a big move's step small, where copies would take the whole map.
struct BrushMove {
    BrushLocation at;
    Vec3 offset;
};
// A brush added or removed: `held` holds it while it is out of the map.
struct BrushPresence {
    BrushLocation at;
    std::optional<CQBrush> held;
};
// An entity's pairs replaced: `other` holds the pairs not in the map.
struct PairsEdit {
    int entity = 0;
    std::vector<CQKeyValue> other;
};
// An entity added or removed, with its brushes: `held` holds it while it is out of the map.
struct EntityPresence {
    int index = 0;
    std::unique_ptr<CQEntity> held;
};

// Brushes hidden or shown again: applying the record turns each of them the other way.
struct VisibilityEdit {
    std::vector<BrushId> flipped;
};

using MapRecord = std::variant<BrushEdit, BrushMove, BrushPresence, PairsEdit, EntityPresence, VisibilityEdit>;

void ApplyRecord(MapRecord& record, MapStore& store);

// One undoable command: what it changed, and the selection before and after it.
struct MapStep {
    std::string name;
    std::vector<MapRecord> records;
    SelectionState before;
    SelectionState after;
};

// Whether the step changes what the map's file holds, not only what is shown of it.
bool ChangesMap(const MapStep& step);

// The steps that can be undone and redone, and which of the map's states is the saved one.
class MapHistory {
public:
    // Forgets every step; the map as it is now is the saved state.
    void clear();
    // A new step after the current position; the steps that could have been redone are dropped.
    void push(MapStep step);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    const std::string& undoName() const { return steps_[position_ - 1].name; }
    const std::string& redoName() const { return steps_[position_].name; }
    // The step to undo or redo, the position moved past it.
    MapStep& takeUndo() { return steps_[--position_]; }
    MapStep& takeRedo() { return steps_[position_++]; }

    void markSaved() { saved_ = position_; }
    // No state of the history is the saved one (a map recovered after a crash).
    void markUnsaved() { saved_.reset(); }
    // The map is as it was saved: the steps since then, or undone since then, only hid or showed
    // brushes.
    bool atSavedState() const;

private:
    // The steps from one position to the other change nothing the file holds.
    bool onlyShownBetween(size_t a, size_t b) const;

    std::vector<MapStep> steps_;
    size_t position_ = 0;
    std::optional<size_t> saved_ = 0;
};

} // namespace vorn
