#include "map/entity.h"

#include "entities/entity_class.h"
#include "geometry/grid.h"
#include "geometry/numeric.h"
#include "map/brush_text.h"
#include "map/text_reader.h"
#include "platform/host.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr float kEmptyBounds = 4096;
constexpr float kNoHit = 99999;

const std::string kClassnameKey = "\"classname\"";
const std::string kOriginKey = "\"origin\"";
const std::string kLightKey = "\"light\"";

void widen(Vec3& mins, Vec3& maxs, const CQBrush& brush)
{
    for (int axis = 0; axis < 3; ++axis) {
        mins[axis] = std::min(mins[axis], brush.mins()[axis]);
        maxs[axis] = std::max(maxs[axis], brush.maxs()[axis]);
    }
}

} // namespace

std::string Quoted(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string_view Unquoted(std::string_view stored)
{
    return stored.size() < 2 ? std::string_view{} : stored.substr(1, stored.size() - 2);
}

Vec3 ParseVector(std::string_view stored)
{
    Vec3 v;
    int part = 0;
    size_t i = 0;
    while (part < 3 && i < stored.size()) {
        while (i < stored.size() && (stored[i] == '"' || stored[i] == ' ')) ++i;
        const size_t start = i;
        while (i < stored.size() && stored[i] != '"' && stored[i] != ' ') ++i;
        if (i > start) v[part++] = static_cast<float>(ParseFloat(stored.substr(start, i - start)));
    }
    return v;
}

std::string OriginText(Vec3 v)
{
    return std::to_string(TruncateToInt(v.x)) + ' ' + std::to_string(TruncateToInt(v.y)) + ' ' +
           std::to_string(TruncateToInt(v.z));
}

CQEntity::CQEntity(const CQEntity& other)
    : mins_(other.mins_), maxs_(other.maxs_), isWorld_(other.isWorld_), current_(other.current_),
      brushes_(other.brushes_), pairs_(other.pairs_), unbuilt_(other.unbuilt_), modifiable_(other.modifiable_)
{
    reown();
}

CQEntity& CQEntity::operator=(const CQEntity& other)
{
    if (this != &other) {
        CQEntity copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CQEntity::CQEntity(CQEntity&& other) noexcept
    : mins_(other.mins_), maxs_(other.maxs_), isWorld_(other.isWorld_), current_(other.current_),
      brushes_(std::move(other.brushes_)), pairs_(std::move(other.pairs_)), unbuilt_(std::move(other.unbuilt_)),
      modifiable_(other.modifiable_)
{
    reown();
}

CQEntity& CQEntity::operator=(CQEntity&& other) noexcept
{
    mins_ = other.mins_;
    maxs_ = other.maxs_;
    isWorld_ = other.isWorld_;
    current_ = other.current_;
    brushes_ = std::move(other.brushes_);
    pairs_ = std::move(other.pairs_);
    unbuilt_ = std::move(other.unbuilt_);
    modifiable_ = other.modifiable_;
    reown();
    return *this;
}

void CQEntity::reown()
{
    for (CQBrush& brush : brushes_) brush.SetOwner(this);
}

std::string_view CQEntity::GetValue(std::string_view key) const
{
    for (const CQKeyValue& pair : pairs_) {
        if (pair.key == key) return pair.value;
    }
    return {};
}

bool CQEntity::SetValue(std::string_view key, std::string_view value)
{
    const auto existing = std::find_if(pairs_.begin(), pairs_.end(), [&](const CQKeyValue& p) { return p.key == key; });
    const bool existed = existing != pairs_.end();
    if (existed) pairs_.erase(existing);
    pairs_.push_back({std::string(key), std::string(value)});
    return existed;
}

std::string CQEntity::className() const
{
    return std::string(Unquoted(GetValue(kClassnameKey)));
}

void CQEntity::Clear()
{
    *this = CQEntity();
}

void CQEntity::SetCurrent(bool current)
{
    current_ = current;
    if (!current) DeselectAllBrushes();
}

void CQEntity::AddBrush(const CQBrush& brush)
{
    brushes_.push_back(brush);
    CQBrush& added = brushes_.back();
    added.SetOwner(this);
    added.SetSelected(true);
    widen(mins_, maxs_, added);
}

void CQEntity::removeBrush(int index)
{
    brushes_.erase(brushes_.begin() + index);
}

int CQEntity::selectedCount() const
{
    return static_cast<int>(std::count_if(brushes_.begin(), brushes_.end(), [](const CQBrush& b) { return b.IsSelected(); }));
}

CQBrush* CQEntity::FirstBrush()
{
    return brushes_.empty() ? nullptr : &brushes_.front();
}

CQBrush* CQEntity::FirstSelectedBrush()
{
    const auto it = std::find_if(brushes_.begin(), brushes_.end(), [](const CQBrush& b) { return b.IsSelected(); });
    return it == brushes_.end() ? nullptr : &*it;
}

void CQEntity::SelectAllBrushes()
{
    for (CQBrush& brush : brushes_) brush.SetSelected(true);
}

void CQEntity::DeselectAllBrushes()
{
    for (CQBrush& brush : brushes_) {
        if (brush.IsSelected()) brush.SetSelected(false);
    }
}

void CQEntity::RemoveInvalidBrushes()
{
    std::erase_if(brushes_, [](const CQBrush& b) { return !b.IsValid(); });
}

void CQEntity::SetTextureOfSelected(std::string_view name)
{
    if (!modifiable_) return;
    for (CQBrush& brush : brushes_) {
        if (brush.IsSelected()) brush.SetTexture(name);
    }
}

void CQEntity::ComputeBounds()
{
    mins_ = {kEmptyBounds, kEmptyBounds, kEmptyBounds};
    maxs_ = {-kEmptyBounds, -kEmptyBounds, -kEmptyBounds};
    for (const CQBrush& brush : brushes_) widen(mins_, maxs_, brush);
}

Vec3 CQEntity::GetOrigin() const
{
    if (!brushes_.empty()) {
        Vec3 sum;
        for (const CQBrush& brush : brushes_) sum += brush.Centre();
        return sum * (1.0f / static_cast<float>(brushes_.size()));
    }
    const std::string_view origin = GetValue(kOriginKey);
    return origin.empty() ? kOrigin : ParseVector(origin);
}

std::string CQEntity::GetLightValue() const
{
    const bool hasLightKey =
        std::any_of(pairs_.begin(), pairs_.end(), [](const CQKeyValue& p) { return p.key.starts_with("\"light"); });
    if (!hasLightKey) return {};
    const std::string_view light = GetValue(kLightKey);
    return light.empty() ? std::string("300") : std::string(light);
}

void CQEntity::MoveSelected(Vec3 offset, DebugOutput& log)
{
    const std::string_view origin = GetValue(kOriginKey);
    if (!origin.empty()) SetValue(kOriginKey, Quoted(OriginText(ParseVector(origin) + offset)));
    for (CQBrush& brush : brushes_) {
        if (brush.IsSelected()) brush.Move(offset, log);
    }
}

void CQEntity::MakeFixedSizeBrush(const EntityClass& entityClass, std::optional<Vec3> origin, DebugOutput& log)
{
    const Vec3 at = origin ? *origin : GetOrigin();
    brushes_.clear();
    CQBrush box;
    box.MakeBox(entityClass.mins() + at, entityClass.maxs() + at, "*NONE*", log);
    AddBrush(box);
    ComputeBounds();
}

CQBrush* CQEntity::PickBrush(Vec3 start, Vec3 end, DebugOutput& log)
{
    CQBrush* nearest = nullptr;
    float best = kNoHit;
    for (CQBrush& brush : brushes_) {
        const RayHit hit = brush.hitByRay(start, end, log);
        if (hit.distance >= 0 && hit.distance <= best) {
            best = hit.distance;
            nearest = &brush;
        }
    }
    if (nearest) nearest->SetSelected(!nearest->IsSelected());
    return nearest;
}

bool CQEntity::PasteBrushes(std::span<const CQBrush> clipboard, const GridPlacement& placement, Host& host)
{
    if (!modifiable_) {
        host.messageBox("Can't paste into unmodifiable entity!");
        return false;
    }
    if (clipboard.empty()) return true;
    Vec3 centre;
    for (const CQBrush& brush : clipboard) centre += brush.Centre();
    centre = centre * (1.0f / static_cast<float>(clipboard.size()));

    for (const CQBrush& source : clipboard) {
        CQBrush brush = source;
        brush.Move({-centre.x, -centre.y, 0}, host);
        Vec3 target = placement.target;
        if (placement.snap) {
            // Each brush snaps on its own: the offset from its corner is rounded to the grid.
            target.x = std::trunc(SnapToGrid(target.x - brush.mins().x, placement.gridSize) + brush.mins().x);
            target.y = std::trunc(SnapToGrid(target.y - brush.mins().y, placement.gridSize) + brush.mins().y);
        }
        brush.Move({target.x, target.y, 0}, host);
        AddBrush(brush);
    }
    return true;
}

void CQEntity::Serialize(std::string& out, MapFormat format) const
{
    out += "{\n";
    for (const CQKeyValue& pair : pairs_) {
        out += pair.key;
        out += ' ';
        out += pair.value;
        out += '\n';
    }
    if (modifiable_) {
        for (const CQBrush& brush : brushes_) AppendBrush(out, brush, format);
    }
    for (const UnbuiltBrush& brush : unbuilt_) {
        out += brush.text;
        out += '\n';
    }
    out += "}\n";
}

} // namespace vorn
