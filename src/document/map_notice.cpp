#include "document/map_notice.h"

#include <algorithm>
#include <iterator>

namespace vorn {

bool MapNotice::empty() const
{
    return !reset && added.empty() && removed.empty() && changed.empty() && reselected.empty() && shownOrHidden.empty() &&
           !entitiesChanged && !keysChanged && !currentEntityChanged && !currentTextureChanged;
}

void NoticeBuilder::brushAdded(BrushId id)
{
    const auto [it, isNew] = brushes_.try_emplace(id, Fate::Added);
    if (!isNew && it->second == Fate::Removed) it->second = Fate::Changed;
}

void NoticeBuilder::brushRemoved(BrushId id)
{
    const auto [it, isNew] = brushes_.try_emplace(id, Fate::Removed);
    if (isNew) return;
    if (it->second == Fate::Added) {
        brushes_.erase(it);
    } else {
        it->second = Fate::Removed;
    }
}

void NoticeBuilder::brushChanged(BrushId id)
{
    brushes_.try_emplace(id, Fate::Changed);
}

MapNotice NoticeBuilder::take()
{
    MapNotice notice = flags_;
    for (const auto& [id, fate] : brushes_) {
        switch (fate) {
        case Fate::Added: notice.added.push_back(id); break;
        case Fate::Removed: notice.removed.push_back(id); break;
        case Fate::Changed: notice.changed.push_back(id); break;
        }
    }
    const auto stillIn = [this](BrushId id) {
        const auto fate = brushes_.find(id);
        return fate == brushes_.end() || fate->second != Fate::Removed;
    };
    std::ranges::copy_if(reselected_, std::back_inserter(notice.reselected), stillIn);
    std::ranges::copy_if(shownOrHidden_, std::back_inserter(notice.shownOrHidden), stillIn);
    for (auto* list : {&notice.added, &notice.removed, &notice.changed, &notice.reselected, &notice.shownOrHidden}) {
        std::ranges::sort(*list);
    }
    brushes_.clear();
    reselected_.clear();
    shownOrHidden_.clear();
    flags_ = {};
    return notice;
}

} // namespace vorn
