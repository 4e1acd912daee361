#pragma once

#include "document/dialogs.h"
#include "document/map_history.h"
#include "document/map_notice.h"
#include "document/map_store.h"
#include "geometry/vec3.h"
#include "map/entity.h"
#include "map/map_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorn {

class DebugOutput;
class FixedBoxes;
class MapChange;
class Progress;

// What opening a map file came to: the failure that kept it from being read, or what reading it
// found.
struct MapOpening {
    std::optional<std::string> failure; // "Could not open <path>: <reason>"
    MapReadResult read;
};

// What the user is told after a map was read: damage, dropped faces, brushes kept unbuilt,
// entities placed at the origin. Empty when all went well.
std::vector<std::string> ReadReport(const MapReadResult& read);

// The open map: its entities (the world first), which one is current and which brushes are
// selected, and the settings the editing commands share.
//
// Everything that changes the map's entities, brushes or pairs goes through a MapChange, which
// makes one undoable step of it. The selection changes outside of steps too, but each step
// restores the selection it had. After each change the listeners are told what changed.
class CQMap {
public:
    CQMap() = default;
    CQMap(const CQMap&) = delete;
    CQMap& operator=(const CQMap&) = delete;

    // --- the file ---
    // Forgets the map and its history and starts an empty one.
    void NewMap();
    // Reads the map file; a file that cannot be read leaves the map as it was. A damaged file
    // keeps what was read and leaves the map without a file name.
    MapOpening OpenMap(const std::string& path, const FixedBoxes& classes, DebugOutput& log, Progress* progress);
    // Reads a map text into an empty map with a new history; see ReadMap for `release`.
    MapReadResult ReadMapText(std::string_view text, const FixedBoxes& classes, DebugOutput& log, Progress* progress,
                              const TextRelease& release = {});
    // Saves as SaveFile does (the old file intact on failure, links and permissions kept);
    // "Could not save <path>: <reason>" when the file could not be written.
    std::optional<std::string> SaveMap(const std::string& path, const MapAuthor& author);
    const std::string& pathName() const { return pathName_; }
    // The file name part of the path, or "Untitled".
    std::string title() const;
    // Whether the map differs from the state it was last opened or saved in.
    bool IsModifiedSinceSave() const;
    // No state of the map counts as saved any more (a map recovered after a crash).
    void markUnsaved();
    // The face format the map was read in and is saved in; a new map is standard.
    MapFormat format() const { return format_; }
    // The comment header of the map's file at the given path, dated now.
    MapHeader FileHeader(const std::string& path, const MapAuthor& author) const;
    // Writes the map text (header and every entity) for the given path.
    std::string WriteMapText(const std::string& path, const MapAuthor& author) const;

    // --- undo and redo ---
    bool canUndo() const { return !open_ && history_.canUndo(); }
    bool canRedo() const { return !open_ && history_.canRedo(); }
    // The name of the step Undo or Redo would take back or do again.
    const std::string& undoName() const { return history_.undoName(); }
    const std::string& redoName() const { return history_.redoName(); }
    void Undo();
    void Redo();

    // --- listeners, told after every change ---
    void addListener(MapListener& listener);
    void removeListener(MapListener& listener);

    // --- shared settings ---
    RotationSettings rotation;
    ScaleSettings scale;
    // Whether moves, turns and scaling keep the textures fixed to their faces.
    TextureLock textureLock = TextureLock::Off;
    float GetMaxZ() const { return maxZ_; }
    float GetMinZ() const { return minZ_; }
    // The other height moves out of the way by the grid when the range would be empty.
    void SetMaxZ(float height, int gridSize);
    void SetMinZ(float height, int gridSize);
    const std::string& currentTexture() const { return currentTexture_; }
    void SetCurrentTexture(std::string_view name);

    // --- entities and brushes ---
    int EntityCount() const { return store_.entityCount(); }
    const CQEntity& entity(int i) const { return store_.entity(i); }
    const std::vector<std::unique_ptr<CQEntity>>& entities() const { return store_.entities(); }
    const CQEntity* GetCurrentEntity() const;
    int currentIndex() const { return store_.currentIndex(); }
    BrushLocation locate(BrushId id) const { return store_.locate(id); }
    const CQBrush& brush(BrushLocation at) const { return store_.brush(at); }
    // Changes whenever the brush may have changed (see MapStore::revision).
    std::uint32_t brushRevision(BrushId id) const { return store_.revision(id); }
    // Brushes counted for the file (point entities' boxes excluded).
    int CountBrushes() const;

    // --- the selection ---
    bool isSelected(const CQBrush& brush) const { return store_.selection().contains(brush.id()); }
    bool isSelected(BrushId id) const { return store_.selection().contains(id); }
    int countSelectedBrushes() const { return static_cast<int>(store_.selection().size()); }
    // The selected brushes in map order.
    std::vector<BrushLocation> selectedBrushes() const;
    // The selected brushes in map order when the current entity may change them (the world or a
    // brush entity); none otherwise.
    std::vector<BrushLocation> changeableSelection() const;
    // The first selected brush in map order; not valid when none is selected.
    BrushLocation firstSelectedBrush() const;
    // The selected brush when exactly one is selected.
    BrushLocation onlySelectedBrush() const;
    SelectionState selectionState() const { return store_.selectionState(); }
    // The selected faces still in the map, in the order they were picked.
    std::vector<FaceRef> selectedFaces() const;
    bool hasSelectedFaces() const { return !store_.selectedFaces().empty(); }
    // Which of the brush's faces are selected, by place.
    std::vector<int> selectedFacesOf(BrushId id) const;

    // --- hidden brushes: neither drawn nor picked, but written to the file ---
    bool isHidden(const CQBrush& brush) const { return store_.isHidden(brush.id()); }
    bool isHidden(BrushId id) const { return store_.isHidden(id); }
    // The hidden brushes, those taken out of the map while hidden too.
    std::span<const BrushId> hiddenBrushes() const { return store_.hidden().ids(); }

    // Makes the entity current (-1: none); the old current entity's brushes are deselected.
    bool SetCurrentEntityByIndex(int index);
    // Selects or deselects one brush; selecting makes its entity current.
    void selectBrush(BrushLocation at, bool selected);
    // Toggles the nearest brush the vertical segment meets, in the last entity that has one,
    // and makes that entity current; a brush now selected gives the current texture. False when
    // the segment meets no brush.
    bool SelectEntityAt(Vec3 start, Vec3 end, DebugOutput& log);
    // Toggles a brush the user picked and makes its entity current; a brush now selected gives
    // the current texture (its first face's).
    void togglePicked(BrushLocation at);
    // Selects or deselects one face; a face selected deselects the brushes and gives the current
    // texture.
    void toggleFace(FaceRef face);
    // The selection becomes the one given, at once.
    void select(const SelectionState& state);
    // Selects every brush of the current entity that is not hidden.
    void SelectAll();
    void DeselectAll();

    // --- bounds ---
    Bounds GetMapBounds(bool recompute);
    void RecomputeMapBounds();
    // The middle of the map's geometry: the bounds of the brushes the file holds, or of every
    // entity's box when there are none; the origin for an empty map. The XY view opens there and
    // Center on Map goes there, so that the brushes are in view whatever the point entities do.
    Vec3 GeometryMiddle() const;

private:
    friend class MapChange;

    // The step a change is recording, shared by the changes begun inside it.
    struct OpenStep {
        MapStep step;
        std::unordered_set<BrushId> editedBrushes;      // recorded already, or added in this step
        std::unordered_map<BrushId, size_t> movedBrushes; // recorded as moves: their records' places
        std::unordered_set<const CQEntity*> editedPairs; // likewise
        // Where the step keeps its copies of the brushes it edits: the heap for the few of most
        // steps; large blocks once it has copied many (a Select All and move), so that copying
        // tens of thousands of brushes does not spend its time asking for memory piece by piece.
        std::unique_ptr<BulkArena> copies;
        BulkArena* arenaForCopies();
    };

    // Tells the listeners what changed since they were last told.
    void publish();
    // Sets the current texture for the next notice; false when it was that already.
    bool noteCurrentTexture(std::string_view name);
    void startAfresh(std::vector<std::unique_ptr<CQEntity>> entities);

    MapStore store_;
    MapHistory history_;
    std::optional<OpenStep> open_;
    // Grows whenever the map starts afresh: a change begun before belongs to a map that is gone.
    std::uint64_t generation_ = 0;
    std::vector<MapListener*> listeners_;
    std::string pathName_;
    MapFormat format_ = MapFormat::Standard;
    // What a new map starts with.
    static constexpr Bounds kNewBounds{{-2000, -2000, -4096}, {2000, 2000, 4096}};
    static constexpr float kNewMaxZ = 16;
    static constexpr float kNewMinZ = 0;

    Bounds bounds_ = kNewBounds;
    float maxZ_ = kNewMaxZ;
    float minZ_ = kNewMinZ;
    std::string currentTexture_ = "*NONE*";
};

// One named change to the map, which becomes one undoable step when it is committed; a change
// that is never committed is undone when it ends. A change begun while another is open is part
// of that one's step. Places are brush locations and entity indices as they are at each call.
// When the map starts afresh (New, Open) a change still open is dropped: it does nothing more.
class MapChange {
public:
    MapChange(CQMap& map, std::string name);
    ~MapChange();
    MapChange(const MapChange&) = delete;
    MapChange& operator=(const MapChange&) = delete;

    const CQMap& map() const { return map_; }

    // --- brushes ---
    // The brush, to be changed in place (its id must stay).
    CQBrush& editBrush(BrushLocation at);
    // Moves the brush; a move by whole units is kept in the step as the move alone.
    void moveBrush(BrushLocation at, Vec3 offset, TextureLock lock);
    // Another version of the brush at that place; it keeps the id of the one it replaces. Brushes
    // given to the change take the map's face format.
    void replaceBrush(BrushLocation at, CQBrush brush);
    // Puts a brush at that place, unselected. A brush keeps its id only when it is moving from
    // elsewhere in the map (it was removed in this change); otherwise it gets a new one.
    BrushLocation insertBrush(BrushLocation at, CQBrush brush);
    // Appends a brush to the entity, unselected.
    BrushLocation addBrush(int entity, CQBrush brush);
    void removeBrush(BrushLocation at);

    // Hides a brush (deselecting it) or shows it again.
    void setHidden(BrushId id, bool hidden);

    // --- pairs ---
    void setValue(int entity, std::string_view key, std::string_view value);
    void setPairs(int entity, std::vector<CQKeyValue> pairs);

    // --- entities ---
    // Appends the entity, not current; returns its index.
    int addEntity(CQEntity entity);
    void removeEntity(int index);

    // --- the selection, which the step restores as it was before and after it ---
    void selectBrush(BrushLocation at, bool selected);
    void selectFace(FaceRef face, bool selected);
    // Makes the entity current (-1: none); the old current entity's brushes are deselected.
    void setCurrentEntity(int index);
    void deselectAll();

    // Tells the listeners what changed so far, for a change that lasts (a drag).
    void publish();
    // The change becomes a step (when it changed anything) and the listeners are told.
    void commit();

    // The map started afresh since this change began.
    bool dropped() const { return generation_ != map_.generation_; }

private:
    CQMap::OpenStep& open() { return *map_.open_; }
    void recordPairs(int entity);
    // Keeps a full copy of the brush as it was before the step in place of the move recorded for
    // it, if any: the brush is about to change in other ways than by moving.
    void copyInsteadOfMove(BrushId id);
    // In a Valve 220 map a brush the change brings gets texture axes where its faces have none,
    // the axes of their standard projection: its texture then moves and turns with it at once.
    void fitToFormat(CQBrush& brush) const;
    // Readies a brush the change brings into the map: the map's face format, and its id kept
    // only when it is coming back from elsewhere in the map (removed earlier in this change).
    void adopt(CQBrush& brush) const;

    CQMap& map_;
    MapStore& store_;
    std::uint64_t generation_;
    size_t firstRecord_;
    SelectionState selectionAtStart_;
    bool outermost_;
    bool done_ = false;
};

} // namespace vorn
