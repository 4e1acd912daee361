#include "document/selection.h"

namespace vorn {

bool Selection::add(BrushId id)
{
    if (contains(id)) return false;
    if (id >= slots_.size()) slots_.resize(static_cast<size_t>(id) + 1, 0);
    ids_.push_back(id);
    slots_[id] = static_cast<std::uint32_t>(ids_.size());
    return true;
}

bool Selection::remove(BrushId id)
{
    if (!contains(id)) return false;
    // The last id takes the removed one's place.
    const std::uint32_t slot = slots_[id];
    const BrushId last = ids_.back();
    ids_[slot - 1] = last;
    slots_[last] = slot;
    ids_.pop_back();
    slots_[id] = 0;
    return true;
}

void Selection::clear()
{
    for (const BrushId id : ids_) slots_[id] = 0;
    ids_.clear();
}

} // namespace vorn
