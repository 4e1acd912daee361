#include "document/map_store.h"

#include <algorithm>
#include <unordered_set>

namespace vorn {

int MapStore::currentIndex() const
{
    for (size_t i = 0; i < entities_.size(); ++i) {
        if (entities_[i]->isCurrent()) return static_cast<int>(i);
    }
    return -1;
}

CQBrush& MapStore::changeBrush(BrushLocation at)
{
    CQBrush& brush = entities_[static_cast<size_t>(at.entity)]->brush(at.index);
    notice_.brushChanged(brush.id());
    revise(brush.id());
    return brush;
}

BrushId MapStore::giveId(CQBrush& brush)
{
    if (brush.id() == 0) brush.setId(nextId_++);
    revise(brush.id());
    return brush.id();
}

void MapStore::revise(BrushId id)
{
    if (id >= revisions_.size()) revisions_.resize(static_cast<size_t>(id) + 1, 0);
    revisions_[id] = nextRevision_++;
}

BrushId MapStore::insertBrush(BrushLocation at, CQBrush brush)
{
    const BrushId id = giveId(brush);
    entities_[static_cast<size_t>(at.entity)]->insertBrush(at.index, std::move(brush));
    placeBrushes(at.entity, at.index);
    notice_.brushAdded(id);
    return id;
}

CQBrush MapStore::eraseBrush(BrushLocation at)
{
    CQBrush brush = entities_[static_cast<size_t>(at.entity)]->takeBrush(at.index);
    if (selection_.remove(brush.id())) notice_.brushReselected(brush.id());
    deselectFacesOf(brush.id());
    locations_.erase(brush.id());
    placeBrushes(at.entity, at.index);
    notice_.brushRemoved(brush.id());
    return brush;
}

void MapStore::swapBrush(BrushLocation at, CQBrush& other)
{
    std::swap(changeBrush(at), other);
}

void MapStore::swapPairs(int entity, std::vector<CQKeyValue>& pairs)
{
    std::swap(entities_[static_cast<size_t>(entity)]->pairs(), pairs);
    notice_.keysChanged();
}

void MapStore::insertEntity(int index, std::unique_ptr<CQEntity> entity)
{
    entity->SetCurrent(false);
    for (CQBrush& brush : entity->brushes()) notice_.brushAdded(giveId(brush));
    entities_.insert(entities_.begin() + index, std::move(entity));
    placeEntitiesFrom(index);
    notice_.entitiesChanged();
}

std::unique_ptr<CQEntity> MapStore::eraseEntity(int index)
{
    std::unique_ptr<CQEntity> entity = std::move(entities_[static_cast<size_t>(index)]);
    entities_.erase(entities_.begin() + index);
    if (entity->isCurrent()) {
        for (const CQBrush& brush : entity->brushes()) {
            if (selection_.remove(brush.id())) notice_.brushReselected(brush.id());
        }
        notice_.currentEntityChanged();
    }
    for (const CQBrush& brush : entity->brushes()) {
        deselectFacesOf(brush.id());
        locations_.erase(brush.id());
        notice_.brushRemoved(brush.id());
    }
    placeEntitiesFrom(index);
    notice_.entitiesChanged();
    return entity;
}

void MapStore::selectBrush(BrushId id, bool selected)
{
    if (!selected) {
        if (selection_.remove(id)) notice_.brushReselected(id);
        return;
    }
    const BrushLocation at = locate(id);
    if (!at.valid() || hidden_.contains(id)) return;
    if (!entities_[static_cast<size_t>(at.entity)]->isCurrent()) setCurrentEntity(at.entity);
    deselectFaces();
    if (selection_.add(id)) notice_.brushReselected(id);
}

bool MapStore::setHidden(BrushId id, bool hidden)
{
    if (hidden) {
        if (!hidden_.add(id)) return false;
        selectBrush(id, false);
        deselectFacesOf(id);
    } else if (!hidden_.remove(id)) {
        return false;
    }
    notice_.brushShownOrHidden(id);
    return true;
}

void MapStore::selectFace(FaceRef face, bool selected)
{
    if (selected) {
        if (!locate(face.brush).valid() || hidden_.contains(face.brush) || std::ranges::find(faces_, face) != faces_.end()) {
            return;
        }
        deselectBrushes();
        faces_.push_back(face);
        ++faceOwners_[face.brush];
    } else {
        const auto found = std::ranges::find(faces_, face);
        if (found == faces_.end()) return;
        faces_.erase(found);
        if (--faceOwners_[face.brush] == 0) faceOwners_.erase(face.brush);
    }
    notice_.brushReselected(face.brush);
}

void MapStore::selectFaces(const std::vector<FaceRef>& faces)
{
    deselectFaces();
    if (faces.empty()) return;
    deselectBrushes();
    for (const FaceRef& face : faces) {
        if (!locate(face.brush).valid()) continue;
        faces_.push_back(face);
        ++faceOwners_[face.brush];
        notice_.brushReselected(face.brush);
    }
}

void MapStore::deselectBrushes()
{
    for (const BrushId id : selection_.ids()) notice_.brushReselected(id);
    selection_.clear();
}

void MapStore::deselectFacesOf(BrushId id)
{
    if (faceOwners_.erase(id) == 0) return;
    std::erase_if(faces_, [&](const FaceRef& face) { return face.brush == id; });
    notice_.brushReselected(id);
}

void MapStore::deselectFaces()
{
    for (const FaceRef& face : faces_) notice_.brushReselected(face.brush);
    faces_.clear();
    faceOwners_.clear();
}

void MapStore::setCurrentEntity(int index)
{
    if (currentIndex() == index) return;
    for (const BrushId id : selection_.ids()) notice_.brushReselected(id);
    selection_.clear();
    for (size_t i = 0; i < entities_.size(); ++i) entities_[i]->SetCurrent(static_cast<int>(i) == index);
    notice_.currentEntityChanged();
}

SelectionState MapStore::selectionState() const
{
    const auto ids = selection_.ids();
    return {currentIndex(), {ids.begin(), ids.end()}, faces_};
}

void MapStore::restoreSelection(const SelectionState& state)
{
    if (currentIndex() != state.currentEntity) setCurrentEntity(state.currentEntity);
    const std::unordered_set<BrushId> wanted(state.brushes.begin(), state.brushes.end());
    const std::vector<BrushId> selected(selection_.ids().begin(), selection_.ids().end());
    for (const BrushId id : selected) {
        if (!wanted.contains(id)) selectBrush(id, false);
    }
    for (const BrushId id : state.brushes) selectBrush(id, true);
    if (state.faces != faces_) selectFaces(state.faces);
}

void MapStore::reset(std::vector<std::unique_ptr<CQEntity>> entities)
{
    entities_ = std::move(entities);
    locations_.clear();
    selection_.clear();
    hidden_.clear();
    faces_.clear();
    faceOwners_.clear();
    nextId_ = 1;
    for (const auto& entity : entities_) {
        for (CQBrush& brush : entity->brushes()) {
            brush.setId(nextId_++);
            revise(brush.id());
        }
    }
    placeEntitiesFrom(0);
    notice_ = {};
    notice_.reset();
}

void MapStore::placeBrushes(int entity, int first)
{
    const auto brushes = entities_[static_cast<size_t>(entity)]->brushes();
    for (int i = first; i < static_cast<int>(brushes.size()); ++i) {
        locations_.set(brushes[static_cast<size_t>(i)].id(), {entity, i});
    }
}

void MapStore::placeEntitiesFrom(int first)
{
    for (int e = first; e < entityCount(); ++e) placeBrushes(e, 0);
}

} // namespace vorn
