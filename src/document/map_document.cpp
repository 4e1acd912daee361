#include "document/map_document.h"

#include "editor/editor.h"
#include "geometry/numeric.h"
#include "map/map_file.h"
#include "platform/file_io.h"
#include "platform/host.h"

#include <algorithm>
#include <filesystem>
#include <ctime>

namespace vorn {
namespace {

constexpr float kEmptyBounds = 4096;

std::string damageMessage(const MapReadResult& read)
{
    std::string text;
    if (read.damaged) {
        text = "The map file is damaged after line " + std::to_string(read.stoppedAtLine) + ": only " +
               std::to_string(read.entitiesRead) + " entities were read.";
    }
    for (const int line : read.overfullBrushLines) {
        if (!text.empty()) text += '\n';
        text += "The brush at line " + std::to_string(line) +
                " has more than 50 faces; the faces after the 50th were dropped.";
    }
    return text;
}

// Told once after an open: brushes that could not be built are kept as they were read.
std::string unbuiltMessage(const MapReadResult& read)
{
    if (read.unbuiltBrushLines.empty()) return {};
    return std::to_string(read.unbuiltBrushLines.size()) +
           " brushes could not be built and are kept unchanged (first at line " +
           std::to_string(read.unbuiltBrushLines.front()) + ").";
}

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

CQMap::CQMap(Editor& editor) : editor_(editor), currentTexture_(editor.prefs().curTexture) {}

void CQMap::NewMap()
{
    mapMins_ = {-2000, -2000, -4096};
    mapMaxs_ = {2000, 2000, 4096};
    maxZ_ = 16;
    minZ_ = 0;
    entities_.clear();
    pathName_.clear();
    modifiedSinceSave_ = false;
    format_ = MapFormat::Standard;
    editor_.rebuildCameraScene();
    tellPanel();
}

std::optional<MapReadResult> CQMap::OpenMap(const std::string& path)
{
    const FileContents file = ReadWholeFile(path);
    if (!file.bytes) {
        editor_.host().messageBox("Could not open " + path + ": " + file.error);
        return std::nullopt;
    }
    NewMap();
    // Absolute, so that the header's file name and the recent files still say where it is
    // whatever the current folder later becomes. Set while reading, so that the texture
    // archives are looked for beside the map.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    pathName_ = error ? path : absolute.lexically_normal().string();
    const MapReadResult read = ReadMapText(*file.bytes);
    const std::string problems = damageMessage(read);
    if (!problems.empty()) {
        // Keep what was read, but never let Save overwrite the damaged original by accident.
        pathName_.clear();
        editor_.host().messageBox(problems);
    }
    if (const std::string unbuilt = unbuiltMessage(read); !unbuilt.empty()) editor_.host().messageBox(unbuilt);
    return read;
}

MapReadResult CQMap::ReadMapText(std::string_view text)
{
    const std::string previousWad = editor_.prefs().wad;
    Host& host = editor_.host();
    const std::unique_ptr<Progress> progress = host.startProgress("Reading Entity from Map File");
    const MapReadResult read = ReadMap(text, editor_.classes(), host, progress.get(), entities_);
    format_ = read.format;

    if (!entities_.empty()) {
        entities_.front()->SetCurrent(true);
        tellPanel();
        editor_.prefs().wad = std::string(Unquoted(entities_.front()->GetValue("\"wad\"")));
        // An archive not found before may be found beside this map.
        if (editor_.prefs().wad != previousWad || !editor_.panel().textures().archives().isLoaded()) {
            BusyScope busy(host);
            editor_.textureArchiveChanged();
        }
    }

    RecomputeMapBounds();
    editor_.xyView().growExtents(mapMins_, mapMaxs_);
    editor_.rebuildCameraScene();
    const Vec3 middle = GeometryMiddle();
    editor_.xyView().centreOn(TruncateToInt(middle.x), TruncateToInt(middle.y));
    editor_.updateViews(ViewFlags::All);
    return read;
}

MapHeader CQMap::FileHeader(const std::string& path) const
{
    const Preferences& prefs = editor_.prefs();
    return {path, prefs.authorName, prefs.authorEmail, localNow(), EntityCount(), CountBrushes(), format_};
}

std::string CQMap::WriteMapText(const std::string& path) const
{
    return WriteMap(FileHeader(path), entities_);
}

bool CQMap::SaveMap(const std::string& path)
{
    if (const auto failure = WriteFileAtomically(path, WriteMapText(path))) {
        editor_.host().messageBox("Could not save " + path + ": " + *failure);
        return false;
    }
    pathName_ = path;
    modifiedSinceSave_ = false;
    return true;
}

std::string CQMap::title() const
{
    if (pathName_.empty()) return "Untitled";
    const size_t slash = pathName_.find_last_of('/');
    return slash == std::string::npos ? pathName_ : pathName_.substr(slash + 1);
}

void CQMap::SetMaxZ(float height)
{
    maxZ_ = height;
    if (minZ_ >= height) minZ_ = maxZ_ - static_cast<float>(editor_.xyView().gridSize());
}

void CQMap::SetMinZ(float height)
{
    minZ_ = height;
    if (maxZ_ <= height) maxZ_ = minZ_ + static_cast<float>(editor_.xyView().gridSize());
}

void CQMap::SetCurrentTexture(std::string_view name)
{
    if (name == currentTexture_) return;
    currentTexture_ = name;
    editor_.prefs().curTexture = currentTexture_;
    editor_.panel().setTexture(name);
    editor_.host().controlPanelChanged();
}

CQEntity* CQMap::GetCurrentEntity()
{
    const int index = currentIndex();
    return index < 0 ? nullptr : entities_[static_cast<size_t>(index)].get();
}

int CQMap::currentIndex() const
{
    for (size_t i = 0; i < entities_.size(); ++i) {
        if (entities_[i]->isCurrent()) return static_cast<int>(i);
    }
    return -1;
}

bool CQMap::SetCurrentEntityByIndex(int index)
{
    if (index < 0 || index >= EntityCount()) return false;
    for (int i = 0; i < EntityCount(); ++i) {
        if (i != index && entity(i).isCurrent()) entity(i).SetCurrent(false);
    }
    entity(index).SetCurrent(true);
    tellPanel();
    return true;
}

bool CQMap::SelectEntityAt(Vec3 start, Vec3 end)
{
    for (int i = EntityCount() - 1; i >= 0; --i) {
        CQEntity& hit = entity(i);
        const CQBrush* brush = hit.PickBrush(start, end, editor_.host());
        if (!brush) continue;
        if (brush->IsSelected()) SetCurrentTexture(brush->numfaces() > 0 ? brush->face(0).texture : "*NONE*");
        if (!hit.isCurrent()) {
            if (CQEntity* old = GetCurrentEntity()) old->SetCurrent(false);
            hit.SetCurrent(true);
            tellPanel();
        }
        return true;
    }
    return false;
}

void CQMap::AddEntity(const CQEntity& added)
{
    if (CQEntity* current = GetCurrentEntity()) current->SetCurrent(false);
    entities_.push_back(std::make_unique<CQEntity>(added));
    entities_.back()->SetCurrent(true);
    modifiedSinceSave_ = true;
    tellPanel();
}

std::unique_ptr<CQEntity> CQMap::TakeCurrentEntity()
{
    const auto it = std::find_if(entities_.begin(), entities_.end(),
                                 [](const auto& e) { return e->isCurrent() && !e->isWorld(); });
    if (it == entities_.end()) return nullptr;
    std::unique_ptr<CQEntity> taken = std::move(*it);
    entities_.erase(it);
    return taken;
}

void CQMap::AddBrush(const CQBrush& brush)
{
    if (!brush.IsValid()) return;
    if (entities_.empty()) {
        // The world; named so that the saved file is a map the compile tools accept.
        auto world = std::make_unique<CQEntity>();
        world->SetValue("\"classname\"", "\"worldspawn\"");
        world->setWorld(true);
        world->SetCurrent(true);
        entities_.push_back(std::move(world));
    }
    CQEntity* current = GetCurrentEntity();
    if (!current) return;
    current->AddBrush(brush);
    for (int axis = 0; axis < 3; ++axis) {
        mapMins_[axis] = std::min(mapMins_[axis], current->mins()[axis]);
        mapMaxs_[axis] = std::max(mapMaxs_[axis], current->maxs()[axis]);
    }
    modifiedSinceSave_ = true;
}

void CQMap::DeleteSelection()
{
    const int index = currentIndex();
    if (index < 0) return;
    CQEntity& current = entity(index);
    const int before = current.brushCount();
    for (int i = current.brushCount() - 1; i >= 0; --i) {
        if (current.brushes()[static_cast<size_t>(i)].IsSelected()) current.removeBrush(i);
    }
    if (current.brushCount() == before) return;
    modifiedSinceSave_ = true;
    if (current.brushCount() == 0 && !current.isWorld()) {
        entities_.erase(entities_.begin() + index);
        if (!entities_.empty()) entities_.front()->SetCurrent(true);
        tellPanel();
    }
}

void CQMap::DeselectAll()
{
    if (CQEntity* current = GetCurrentEntity()) current->DeselectAllBrushes();
    tellPanel();
}

void CQMap::MoveSelection(Vec3 offset)
{
    CQEntity* current = GetCurrentEntity();
    if (!current || current->selectedCount() == 0) return;
    current->MoveSelected(offset, editor_.host());
    modifiedSinceSave_ = true;
    if (!current->isModifiable()) tellPanel(); // its origin changed
}

void CQMap::ApplyCurrentTexture()
{
    CQEntity* current = GetCurrentEntity();
    if (!current || !current->isModifiable() || current->selectedCount() == 0) return;
    current->SetTextureOfSelected(currentTexture_);
    modifiedSinceSave_ = true;
}

void CQMap::AlignSelectionTextures(TextureSizeSource& sizes)
{
    CQEntity* current = GetCurrentEntity();
    if (!current || !current->isModifiable() || current->selectedCount() == 0) return;
    for (CQBrush& brush : current->brushes()) {
        if (brush.IsSelected()) brush.AlignTextures(sizes);
    }
    modifiedSinceSave_ = true;
}

int CQMap::CountBrushes() const
{
    int count = 0;
    for (const auto& e : entities_) count += e->BrushCountForFile();
    return count;
}

int CQMap::countSelectedBrushes() const
{
    int count = 0;
    for (const auto& e : entities_) count += e->selectedCount();
    return count;
}

CQMap::BrushRef CQMap::firstSelectedBrush()
{
    for (const auto& e : entities_) {
        const auto brushes = e->brushes();
        for (size_t i = 0; i < brushes.size(); ++i) {
            if (brushes[i].IsSelected()) return {e.get(), static_cast<int>(i)};
        }
    }
    return {};
}

CQMap::BrushRef CQMap::onlySelectedBrush()
{
    return countSelectedBrushes() == 1 ? firstSelectedBrush() : BrushRef{};
}

CQMap::Bounds CQMap::GetMapBounds(bool recompute)
{
    if (recompute) RecomputeMapBounds();
    return {mapMins_, mapMaxs_};
}

void CQMap::RecomputeMapBounds()
{
    mapMins_ = {kEmptyBounds, kEmptyBounds, kEmptyBounds};
    mapMaxs_ = {-kEmptyBounds, -kEmptyBounds, -kEmptyBounds};
    for (const auto& e : entities_) {
        e->ComputeBounds();
        for (int axis = 0; axis < 3; ++axis) {
            mapMins_[axis] = std::min(mapMins_[axis], e->mins()[axis]);
            mapMaxs_[axis] = std::max(mapMaxs_[axis], e->maxs()[axis]);
        }
    }
}

Vec3 CQMap::GeometryMiddle() const
{
    const auto middleOf = [this](bool ownBrushesOnly) -> std::optional<Vec3> {
        Vec3 lo{kEmptyBounds, kEmptyBounds, kEmptyBounds};
        Vec3 hi = -lo;
        bool any = false;
        for (const auto& e : entities_) {
            if (ownBrushesOnly && !e->isModifiable()) continue;
            for (const CQBrush& brush : e->brushes()) {
                any = true;
                for (int axis = 0; axis < 3; ++axis) {
                    lo[axis] = std::min(lo[axis], brush.mins()[axis]);
                    hi[axis] = std::max(hi[axis], brush.maxs()[axis]);
                }
            }
        }
        if (!any) return std::nullopt;
        return (lo + hi) * 0.5f;
    };
    if (const auto middle = middleOf(true)) return *middle;
    return middleOf(false).value_or(kOrigin);
}

void CQMap::tellPanel()
{
    editor_.panel().showEntity(GetCurrentEntity());
    editor_.host().controlPanelChanged();
}

} // namespace vorn
