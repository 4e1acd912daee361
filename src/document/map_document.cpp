#include "document/map_document.h"

#include "document/exact_moves.h"
#include "geometry/texture_axes.h"
#include "map/fixed_boxes.h"
#include "map/map_file.h"
#include "map/map_text.h"
#include "platform/file_reading.h"
#include "platform/file_saving.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace vorn {
namespace {

constexpr float kEmptyBounds = 4096;

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

std::vector<std::string> ReadReport(const MapReadResult& read)
{
    std::vector<std::string> messages;
    if (read.damaged) {
        messages.push_back("The map file is damaged after line " + std::to_string(read.stoppedAtLine) + ": only " +
                           std::to_string(read.entitiesRead) + " entities were read.");
    }
    if (!read.unbuiltBrushLines.empty()) {
        messages.push_back(std::to_string(read.unbuiltBrushLines.size()) +
                           " brushes could not be built and are kept unchanged (first at line " +
                           std::to_string(read.unbuiltBrushLines.front()) + ").");
    }
    if (const std::vector<int>& lines = read.placedAtOriginLines; !lines.empty()) {
        const std::string first = std::to_string(lines.front());
        messages.push_back("ERROR: entity has no brush or origin\nWill place it at 0,0,0\n(" +
                           (lines.size() == 1 ? "1 entity, at line " + first
                                              : std::to_string(lines.size()) + " entities, the first at line " + first) +
                           ")");
    }
    return messages;
}

void CQMap::NewMap()
{
    startAfresh({});
    pathName_.clear();
    format_ = MapFormat::Standard;
    publish();
}

void CQMap::startAfresh(std::vector<std::unique_ptr<CQEntity>> entities)
{
    open_.reset();
    ++generation_;
    store_.reset(std::move(entities));
    history_.clear();
    bounds_ = kNewBounds;
    maxZ_ = kNewMaxZ;
    minZ_ = kNewMinZ;
}

MapOpening CQMap::OpenMap(const std::string& path, const FixedBoxes& classes, DebugOutput& log, Progress* progress)
{
    MapOpening opening;
    ReleasableFile file = ReadReleasableFile(path);
    if (!file.bytes) {
        opening.failure = "Could not open " + path + ": " + file.error;
        return opening;
    }
    // Absolute, so that the header's file name and the recent files still say where it is
    // whatever the current folder later becomes. Set before reading, so that listeners find the
    // texture archives beside the map.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    pathName_ = error ? path : absolute.lexically_normal().string();
    opening.read = ReadMapText(file.bytes->view(), classes, log, progress,
                               [&bytes = *file.bytes](size_t usedUpTo) { bytes.releaseBefore(usedUpTo); });
    // Keep what was read, but never let Save overwrite the damaged original by accident.
    if (opening.read.damaged) pathName_.clear();
    return opening;
}

MapReadResult CQMap::ReadMapText(std::string_view text, const FixedBoxes& classes, DebugOutput& log, Progress* progress,
                                 const TextRelease& release)
{
    std::vector<std::unique_ptr<CQEntity>> entities;
    const MapReadResult read = ReadMap(text, classes, log, progress, entities, release);
    startAfresh(std::move(entities));
    format_ = read.format;
    if (store_.entityCount() > 0) store_.setCurrentEntity(0);
    RecomputeMapBounds();
    publish();
    return read;
}

MapHeader CQMap::FileHeader(const std::string& path, const MapAuthor& author) const
{
    return {path, author.name, author.email, localNow(), EntityCount(), CountBrushes(), format_};
}

std::string CQMap::WriteMapText(const std::string& path, const MapAuthor& author) const
{
    return WriteMap(FileHeader(path, author), store_.entities());
}

std::optional<std::string> CQMap::SaveMap(const std::string& path, const MapAuthor& author)
{
    if (const auto failure = SaveFile(path, MapTextPieces(FileHeader(path, author), store_.entities()))) {
        return "Could not save " + path + ": " + *failure;
    }
    pathName_ = path;
    // Saved in the middle of a change, no state of the history is the one written.
    if (open_ && ChangesMap(open_->step)) {
        history_.markUnsaved();
    } else {
        history_.markSaved();
    }
    publish();
    return std::nullopt;
}

std::string CQMap::title() const
{
    if (pathName_.empty()) return "Untitled";
    const size_t slash = pathName_.find_last_of('/');
    return slash == std::string::npos ? pathName_ : pathName_.substr(slash + 1);
}

bool CQMap::IsModifiedSinceSave() const
{
    return !history_.atSavedState() || (open_ && ChangesMap(open_->step));
}

void CQMap::markUnsaved()
{
    history_.markUnsaved();
    publish();
}

void CQMap::Undo()
{
    if (!canUndo()) return;
    MapStep& step = history_.takeUndo();
    for (auto record = step.records.rbegin(); record != step.records.rend(); ++record) ApplyRecord(*record, store_);
    store_.restoreSelection(step.before);
    publish();
}

void CQMap::Redo()
{
    if (!canRedo()) return;
    MapStep& step = history_.takeRedo();
    for (MapRecord& record : step.records) ApplyRecord(record, store_);
    store_.restoreSelection(step.after);
    publish();
}

void CQMap::addListener(MapListener& listener)
{
    listeners_.push_back(&listener);
}

void CQMap::removeListener(MapListener& listener)
{
    std::erase(listeners_, &listener);
}

void CQMap::publish()
{
    const MapNotice notice = store_.notice().take();
    for (const BrushId id : notice.added) bounds_.include(brush(locate(id)).bounds());
    for (const BrushId id : notice.changed) bounds_.include(brush(locate(id)).bounds());
    // A copy: a listener may add or remove listeners.
    const std::vector<MapListener*> listeners = listeners_;
    for (MapListener* listener : listeners) listener->mapChanged(notice);
}

void CQMap::SetMaxZ(float height, int gridSize)
{
    maxZ_ = height;
    if (minZ_ >= height) minZ_ = maxZ_ - static_cast<float>(gridSize);
}

void CQMap::SetMinZ(float height, int gridSize)
{
    minZ_ = height;
    if (maxZ_ <= height) maxZ_ = minZ_ + static_cast<float>(gridSize);
}

void CQMap::SetCurrentTexture(std::string_view name)
{
    if (noteCurrentTexture(name) && !open_) publish();
}

bool CQMap::noteCurrentTexture(std::string_view name)
{
    if (name == currentTexture_) return false;
    currentTexture_ = name;
    store_.notice().currentTextureChanged();
    return true;
}

const CQEntity* CQMap::GetCurrentEntity() const
{
    const int index = currentIndex();
    return index < 0 ? nullptr : &entity(index);
}

int CQMap::CountBrushes() const
{
    int count = 0;
    for (const auto& e : store_.entities()) count += e->BrushCountForFile();
    return count;
}

std::vector<BrushLocation> CQMap::selectedBrushes() const
{
    std::vector<BrushLocation> selected;
    selected.reserve(store_.selection().size());
    for (const BrushId id : store_.selection().ids()) selected.push_back(locate(id));
    std::ranges::sort(selected);
    return selected;
}

std::vector<BrushLocation> CQMap::changeableSelection() const
{
    const CQEntity* current = GetCurrentEntity();
    if (!current || !current->isModifiable()) return {};
    return selectedBrushes();
}

BrushLocation CQMap::firstSelectedBrush() const
{
    BrushLocation first;
    for (const BrushId id : store_.selection().ids()) {
        const BrushLocation at = locate(id);
        if (!first.valid() || at < first) first = at;
    }
    return first;
}

BrushLocation CQMap::onlySelectedBrush() const
{
    return countSelectedBrushes() == 1 ? locate(store_.selection().ids().front()) : BrushLocation{};
}

bool CQMap::SetCurrentEntityByIndex(int index)
{
    if (index < 0 || index >= EntityCount()) return false;
    store_.setCurrentEntity(index);
    // The panel shows the entity again even when it was current already.
    store_.notice().currentEntityChanged();
    if (!open_) publish();
    return true;
}

void CQMap::selectBrush(BrushLocation at, bool selected)
{
    store_.selectBrush(brush(at).id(), selected);
    if (!open_) publish();
}

bool CQMap::SelectEntityAt(Vec3 start, Vec3 end, DebugOutput& log)
{
    for (int e = EntityCount() - 1; e >= 0; --e) {
        const int hit = entity(e).NearestBrushOnSegment(start, end, log, [this](const CQBrush& b) { return !isHidden(b); });
        if (hit < 0) continue;
        togglePicked({e, hit});
        return true;
    }
    return false;
}

void CQMap::togglePicked(BrushLocation at)
{
    const CQBrush& picked = brush(at);
    const bool nowSelected = !isSelected(picked);
    store_.setCurrentEntity(at.entity);
    store_.selectBrush(picked.id(), nowSelected);
    if (nowSelected) noteCurrentTexture(picked.numfaces() > 0 ? picked.face(0).texture.view() : std::string_view("*NONE*"));
    if (!open_) publish();
}

std::vector<FaceRef> CQMap::selectedFaces() const
{
    std::vector<FaceRef> faces;
    for (const FaceRef& face : store_.selectedFaces()) {
        const BrushLocation at = locate(face.brush);
        if (at.valid() && face.face < brush(at).numfaces()) faces.push_back(face);
    }
    return faces;
}

std::vector<int> CQMap::selectedFacesOf(BrushId id) const
{
    std::vector<int> faces;
    if (!store_.hasSelectedFaces(id)) return faces;
    for (const FaceRef& face : store_.selectedFaces()) {
        if (face.brush == id) faces.push_back(face.face);
    }
    return faces;
}

void CQMap::toggleFace(FaceRef face)
{
    const bool nowSelected = std::ranges::find(store_.selectedFaces(), face) == store_.selectedFaces().end();
    store_.selectFace(face, nowSelected);
    const BrushLocation at = locate(face.brush);
    if (nowSelected && at.valid() && face.face < brush(at).numfaces()) noteCurrentTexture(brush(at).face(face.face).texture);
    if (!open_) publish();
}

void CQMap::select(const SelectionState& state)
{
    store_.restoreSelection(state);
    if (!open_) publish();
}

void CQMap::SelectAll()
{
    const int current = currentIndex();
    if (current < 0) return;
    for (const CQBrush& b : entity(current).brushes()) store_.selectBrush(b.id(), true);
    if (!open_) publish();
}

void CQMap::DeselectAll()
{
    store_.deselectAll();
    // The panel shows the current entity again.
    store_.notice().currentEntityChanged();
    if (!open_) publish();
}

Bounds CQMap::GetMapBounds(bool recompute)
{
    if (recompute) RecomputeMapBounds();
    return bounds_;
}

void CQMap::RecomputeMapBounds()
{
    bounds_ = {{kEmptyBounds, kEmptyBounds, kEmptyBounds}, {-kEmptyBounds, -kEmptyBounds, -kEmptyBounds}};
    for (const auto& e : store_.entities()) {
        if (const auto box = e->bounds()) bounds_.include(*box);
    }
}

Vec3 CQMap::GeometryMiddle() const
{
    const auto middleOf = [this](bool ownBrushesOnly) -> std::optional<Vec3> {
        std::optional<Bounds> all;
        for (const auto& e : store_.entities()) {
            if (ownBrushesOnly && !e->isModifiable()) continue;
            if (const auto box = e->bounds()) Include(all, *box);
        }
        if (!all) return std::nullopt;
        return (all->mins + all->maxs) * 0.5f;
    };
    if (const auto middle = middleOf(true)) return *middle;
    return middleOf(false).value_or(kOrigin);
}

MapChange::MapChange(CQMap& map, std::string name)
    : map_(map),
      store_(map.store_),
      generation_(map.generation_),
      firstRecord_(map.open_ ? map.open_->step.records.size() : 0),
      selectionAtStart_(store_.selectionState()),
      outermost_(!map.open_)
{
    if (outermost_) {
        map_.open_ = CQMap::OpenStep{};
        open().step.name = std::move(name);
        open().step.before = selectionAtStart_;
    }
}

MapChange::~MapChange()
{
    if (done_ || dropped()) return;
    // Never committed: what this change did is undone.
    std::vector<MapRecord>& records = open().step.records;
    while (records.size() > firstRecord_) {
        ApplyRecord(records.back(), store_);
        records.pop_back();
    }
    store_.restoreSelection(selectionAtStart_);
    // Forgetting what was recorded costs memory at worst: a brush recorded twice in one step
    // undoes and redoes through both records.
    open().editedBrushes.clear();
    open().movedBrushes.clear();
    open().editedPairs.clear();
    if (outermost_) map_.open_.reset();
    map_.publish();
}

BulkArena* CQMap::OpenStep::arenaForCopies()
{
    // A block holds about a thousand boxes: fewer copies would leave most of it idle in the history.
    constexpr size_t kCopiesOnTheHeap = 512;
    if (!copies && editedBrushes.size() > kCopiesOnTheHeap) copies = std::make_unique<BulkArena>();
    return copies.get();
}

CQBrush& MapChange::editBrush(BrushLocation at)
{
    const CQBrush& brush = store_.brush(at);
    copyInsteadOfMove(brush.id());
    if (open().editedBrushes.insert(brush.id()).second) {
        open().step.records.push_back(BrushEdit{at, CQBrush(brush, open().arenaForCopies())});
    }
    return store_.changeBrush(at);
}

void MapChange::copyInsteadOfMove(BrushId id)
{
    const auto moved = open().movedBrushes.find(id);
    if (moved == open().movedBrushes.end()) return;
    MapRecord& record = open().step.records[moved->second];
    const BrushMove move = std::get<BrushMove>(record);
    CQBrush before(store_.brush(store_.locate(id)), open().arenaForCopies());
    before.Move(move.offset, TextureLock::Off);
    record = BrushEdit{move.at, std::move(before)};
    open().movedBrushes.erase(moved);
    open().editedBrushes.insert(id);
}

void MapChange::moveBrush(BrushLocation at, Vec3 offset, TextureLock lock)
{
    const CQBrush& brush = store_.brush(at);
    CQMap::OpenStep& step = open();
    if (lock == TextureLock::Off && !step.editedBrushes.contains(brush.id())) {
        const auto moved = step.movedBrushes.find(brush.id());
        if (moved == step.movedBrushes.end()) {
            if (MovesBackExactly(brush, offset, {}, true)) {
                step.movedBrushes.emplace(brush.id(), step.step.records.size());
                step.step.records.push_back(BrushMove{at, -offset});
                store_.changeBrush(at).Move(offset, lock);
                return;
            }
        } else if (BrushMove& move = std::get<BrushMove>(step.step.records[moved->second]);
                   MovesBackExactly(brush, offset, move.offset, false)) {
            move.offset -= offset;
            store_.changeBrush(at).Move(offset, lock);
            return;
        }
    }
    editBrush(at).Move(offset, lock);
}

void MapChange::fitToFormat(CQBrush& brush) const
{
    if (map_.format_ != MapFormat::Valve220) return;
    for (int f = 0; f < brush.numfaces(); ++f) {
        CQFace& face = brush.face(f);
        if (!face.axes) face.axes = StandardAxes(face);
    }
}

void MapChange::adopt(CQBrush& brush) const
{
    fitToFormat(brush);
    if (store_.locate(brush.id()).valid() || !map_.open_->editedBrushes.contains(brush.id())) brush.setId(0);
}

void MapChange::replaceBrush(BrushLocation at, CQBrush brush)
{
    fitToFormat(brush);
    CQBrush& edited = editBrush(at);
    brush.setId(edited.id());
    edited = std::move(brush);
}

BrushLocation MapChange::insertBrush(BrushLocation at, CQBrush brush)
{
    adopt(brush);
    const BrushId id = store_.insertBrush(at, std::move(brush));
    open().editedBrushes.insert(id);
    open().step.records.push_back(BrushPresence{at, std::nullopt});
    return at;
}

BrushLocation MapChange::addBrush(int entity, CQBrush brush)
{
    return insertBrush({entity, store_.entity(entity).brushCount()}, std::move(brush));
}

void MapChange::removeBrush(BrushLocation at)
{
    // The id stays known to this change, so that the brush may come back elsewhere as itself.
    open().editedBrushes.insert(store_.brush(at).id());
    open().movedBrushes.erase(store_.brush(at).id());
    open().step.records.push_back(BrushPresence{at, store_.eraseBrush(at)});
}

void MapChange::setHidden(BrushId id, bool hidden)
{
    if (!store_.setHidden(id, hidden)) return;
    std::vector<MapRecord>& records = open().step.records;
    // One record for all the brushes a command hides or shows.
    if (records.size() > firstRecord_ && std::holds_alternative<VisibilityEdit>(records.back())) {
        std::get<VisibilityEdit>(records.back()).flipped.push_back(id);
    } else {
        records.push_back(VisibilityEdit{{id}});
    }
}

void MapChange::recordPairs(int entity)
{
    const CQEntity& e = store_.entity(entity);
    if (open().editedPairs.insert(&e).second) open().step.records.push_back(PairsEdit{entity, e.pairs()});
}

void MapChange::setValue(int entity, std::string_view key, std::string_view value)
{
    std::vector<CQKeyValue> pairs = store_.entity(entity).pairs();
    const auto existing = std::ranges::find(pairs, key, &CQKeyValue::key);
    if (existing != pairs.end()) pairs.erase(existing);
    pairs.push_back({std::string(key), std::string(value)});
    setPairs(entity, std::move(pairs));
}

void MapChange::setPairs(int entity, std::vector<CQKeyValue> pairs)
{
    recordPairs(entity);
    store_.swapPairs(entity, pairs);
}

int MapChange::addEntity(CQEntity entity)
{
    const int index = store_.entityCount();
    auto added = std::make_unique<CQEntity>(std::move(entity));
    for (CQBrush& brush : added->brushes()) adopt(brush);
    open().editedPairs.insert(added.get());
    store_.insertEntity(index, std::move(added));
    for (const CQBrush& brush : store_.entity(index).brushes()) open().editedBrushes.insert(brush.id());
    open().step.records.push_back(EntityPresence{index, nullptr});
    return index;
}

void MapChange::removeEntity(int index)
{
    // Its brushes stay known to this change, so that they may come back in another entity as themselves.
    for (const CQBrush& brush : store_.entity(index).brushes()) {
        open().editedBrushes.insert(brush.id());
        open().movedBrushes.erase(brush.id());
    }
    open().step.records.push_back(EntityPresence{index, store_.eraseEntity(index)});
}

void MapChange::selectBrush(BrushLocation at, bool selected)
{
    store_.selectBrush(store_.brush(at).id(), selected);
}

void MapChange::selectFace(FaceRef face, bool selected)
{
    store_.selectFace(face, selected);
}

void MapChange::setCurrentEntity(int index)
{
    store_.setCurrentEntity(index);
}

void MapChange::deselectAll()
{
    store_.deselectAll();
}

void MapChange::publish()
{
    if (!dropped()) map_.publish();
}

void MapChange::commit()
{
    if (done_ || dropped()) return;
    done_ = true;
    bool stepMade = false;
    if (outermost_) {
        MapStep step = std::move(open().step);
        map_.open_.reset();
        if (!step.records.empty()) {
            step.after = store_.selectionState();
            map_.history_.push(std::move(step));
            stepMade = true;
        }
    }
    // A drag has told its changes as it went: its new step alone is news (Undo, the modified mark).
    if (stepMade || !store_.notice().empty()) map_.publish();
}

} // namespace vorn
