#pragma once

#include "geometry/brush.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vorn {

// A set of brushes by id: the selected ones, the hidden ones. Asking about one brush, adding and
// removing one cost the same however many are in it; the ids come in no particular order.
class Selection {
public:
    bool contains(BrushId id) const { return id < slots_.size() && slots_[id] != 0; }
    std::span<const BrushId> ids() const { return ids_; }
    size_t size() const { return ids_.size(); }
    bool empty() const { return ids_.empty(); }
    // Both false when the brush already was as asked.
    bool add(BrushId id);
    bool remove(BrushId id);
    void clear();

private:
    std::vector<BrushId> ids_;
    std::vector<std::uint32_t> slots_; // by id: its place in ids_ plus one, 0 when not selected
};

// One face of a brush, by the brush's id and the face's place in it.
struct FaceRef {
    BrushId brush = 0;
    int face = -1;
    friend bool operator==(const FaceRef&, const FaceRef&) = default;
};

// The selection at one moment: the current entity and its selected brushes, or the selected
// faces (of brushes of any entity; brushes and faces are never selected together).
struct SelectionState {
    int currentEntity = -1;
    std::vector<BrushId> brushes;
    std::vector<FaceRef> faces;
    friend bool operator==(const SelectionState&, const SelectionState&) = default;
};

} // namespace vorn
