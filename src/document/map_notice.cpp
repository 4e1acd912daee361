#include "document/map_notice.h"

#include <algorithm>

namespace vorn {

bool MapNotice::empty() const
{
    return !reset && added.empty() && removed.empty() && changed.empty() && reselected.empty() && !entitiesChanged &&
           !keysChanged && !currentEntityChanged && !currentTextureChanged;
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
    for (const BrushId id : reselected_) {
        const auto fate = brushes_.find(id);
        if (fate == brushes_.end() || fate->second != Fate::Removed) notice.reselected.push_back(id);
    }
    for (auto* list : {&notice.added, &notice.removed, &notice.changed, &notice.reselected}) std::ranges::sort(*list);
    brushes_.clear();
    reselected_.clear();
    flags_ = {};
    return notice;
}

} // namespace vorn
