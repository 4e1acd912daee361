#include "document/map_history.h"

#include "document/map_store.h"

#include <algorithm>

namespace vorn {

void ApplyRecord(MapRecord& record, MapStore& store)
{
    std::visit(
        [&store](auto& r) {
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, BrushEdit>) {
                store.swapBrush(r.at, r.other);
            } else if constexpr (std::is_same_v<R, BrushMove>) {
                store.changeBrush(r.at).Move(r.offset, TextureLock::Off);
                r.offset = -r.offset;
            } else if constexpr (std::is_same_v<R, BrushPresence>) {
                if (r.held) {
                    store.insertBrush(r.at, std::move(*r.held));
                    r.held.reset();
                } else {
                    r.held = store.eraseBrush(r.at);
                }
            } else if constexpr (std::is_same_v<R, PairsEdit>) {
                store.swapPairs(r.entity, r.other);
            } else if constexpr (std::is_same_v<R, VisibilityEdit>) {
                for (const BrushId id : r.flipped) store.setHidden(id, !store.isHidden(id));
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

bool ChangesMap(const MapStep& step)
{
    return std::ranges::any_of(step.records, [](const MapRecord& r) { return !std::holds_alternative<VisibilityEdit>(r); });
}

void MapHistory::clear()
{
    steps_.clear();
    position_ = 0;
    saved_ = 0;
}

void MapHistory::push(MapStep step)
{
    // The saved state could only be reached by redo, unless the steps to it only hid or showed
    // brushes; those steps go now, so look at them first.
    if (saved_ && *saved_ > position_) saved_ = onlyShownBetween(position_, *saved_) ? std::optional(position_) : std::nullopt;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    steps_.push_back(std::move(step));
    ++position_;
}

bool MapHistory::onlyShownBetween(size_t a, size_t b) const
{
    const auto [from, to] = std::minmax(a, b);
    return std::none_of(steps_.begin() + static_cast<std::ptrdiff_t>(from), steps_.begin() + static_cast<std::ptrdiff_t>(to), ChangesMap);
}

bool MapHistory::atSavedState() const
{
    return saved_ && onlyShownBetween(*saved_, position_);
}

} // namespace vorn
