#pragma once

#include "document/brush_locations.h"
#include "document/map_notice.h"
#include "document/selection.h"
#include "map/entity.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vorn {

// The map's entities with what every change to them must keep right: where each brush is, which
// brushes are selected, which entity is current, and the notice of what changed. The document's
// change path and its history change the map through it; everything else reads.
//
// The selection lives in the current entity: selecting a brush makes its entity current, and an
// entity that stops being current loses its selection.
class MapStore {
public:
    // --- reading ---
    int entityCount() const { return static_cast<int>(entities_.size()); }
    const CQEntity& entity(int index) const { return *entities_[static_cast<size_t>(index)]; }
    const std::vector<std::unique_ptr<CQEntity>>& entities() const { return entities_; }
    // Not valid for a brush that is not in the map.
    BrushLocation locate(BrushId id) const { return locations_.find(id); }
    const CQBrush& brush(BrushLocation at) const { return entity(at.entity).brush(at.index); }
    // Changes whenever the brush may have changed, so that what is derived from a brush can be
    // kept until then; never the same for two versions of any brushes, whatever their ids.
    std::uint32_t revision(BrushId id) const { return id < revisions_.size() ? revisions_[id] : 0; }
    const Selection& selection() const { return selection_; }
    bool isHidden(BrushId id) const { return hidden_.contains(id); }
    const Selection& hidden() const { return hidden_; }
    // In the order they were picked; a face whose brush lost it is not dropped until asked.
    const std::vector<FaceRef>& selectedFaces() const { return faces_; }
    bool hasSelectedFaces(BrushId id) const { return faceOwners_.contains(id); }
    // The first entity with the current flag; -1 when none has it.
    int currentIndex() const;

    // --- brushes, pairs and entities ---
    // The brush at `at`, about to change in place.
    CQBrush& changeBrush(BrushLocation at);
    // Puts the brush at `at`, unselected; one without an id gets a new one. Returns its id.
    BrushId insertBrush(BrushLocation at, CQBrush brush);
    CQBrush eraseBrush(BrushLocation at);
    // Exchanges the brush at `at` with `other`, which must be another version of the same brush.
    void swapBrush(BrushLocation at, CQBrush& other);
    void swapPairs(int entity, std::vector<CQKeyValue>& pairs);
    // Puts the entity at `index`, not current; its brushes without an id get new ones.
    void insertEntity(int index, std::unique_ptr<CQEntity> entity);
    std::unique_ptr<CQEntity> eraseEntity(int index);

    // --- selection and visibility ---
    // A hidden brush cannot be selected.
    void selectBrush(BrushId id, bool selected);
    // Hides a brush (deselecting it) or shows it again; false when it already was so. A brush
    // taken out of the map stays hidden, so that it comes back as it went.
    bool setHidden(BrushId id, bool hidden);
    // Selecting a face deselects every brush, selecting a brush every face.
    void selectFace(FaceRef face, bool selected);
    // The faces become the face selection (the brushes are deselected unless there are none).
    void selectFaces(const std::vector<FaceRef>& faces);
    // Makes the entity current (-1: none); the old current entity's brushes are deselected.
    void setCurrentEntity(int index);
    // Deselects every brush and face; the current entity stays current.
    void deselectAll() { restoreSelection({currentIndex(), {}, {}}); }
    SelectionState selectionState() const;
    void restoreSelection(const SelectionState& state);

    // Replaces every entity by those given (a map just read, or none); brushes get new ids.
    void reset(std::vector<std::unique_ptr<CQEntity>> entities);

    NoticeBuilder& notice() { return notice_; }

private:
    BrushId giveId(CQBrush& brush);
    void revise(BrushId id);
    // Sets the locations of the entity's brushes from `first` on.
    void placeBrushes(int entity, int first);
    void placeEntitiesFrom(int first);
    void deselectFacesOf(BrushId id);
    void deselectBrushes();
    void deselectFaces();

    std::vector<std::unique_ptr<CQEntity>> entities_;
    BrushLocations locations_;
    Selection selection_;
    Selection hidden_;
    std::vector<FaceRef> faces_;
    std::unordered_map<BrushId, int> faceOwners_; // how many of each brush's faces are selected
    NoticeBuilder notice_;
    BrushId nextId_ = 1;
    std::vector<std::uint32_t, BackedAllocator<std::uint32_t>> revisions_; // by id
    std::uint32_t nextRevision_ = 1;
};

} // namespace vorn
