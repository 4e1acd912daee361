#include "document/map_history.h"

#include "document/map_store.h"

namespace vorn {

void ApplyRecord(MapRecord& record, MapStore& store)
{
    std::visit(
        [&store](auto& r) {
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, BrushEdit>) {
                store.swapBrush(r.at, r.other);
            } else if constexpr (std::is_same_v<R, BrushPresence>) {
                if (r.held) {
                    store.insertBrush(r.at, std::move(*r.held));
                    r.held.reset();
                } else {
                    r.held = store.eraseBrush(r.at);
                }
            } else if constexpr (std::is_same_v<R, PairsEdit>) {
                store.swapPairs(r.entity, r.other);
            } else {
                if (r.held) {
                    store.insertEntity(r.index, std::move(r.held));
                } else {
                    r.held = store.eraseEntity(r.index);
                }
            }
        },
        record);
}

void MapHistory::clear()
{
    steps_.clear();
    position_ = 0;
    saved_ = 0;
}

void MapHistory::push(MapStep step)
{
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (saved_ && *saved_ > position_) saved_.reset(); // the saved state could only be reached by redo
    steps_.push_back(std::move(step));
    ++position_;
}

} // namespace vorn
