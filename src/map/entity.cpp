#include "map/entity.h"

#include "geometry/numeric.h"
#include "map/brush_text.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr float kNoHit = 99999;

const std::string kClassnameKey = "\"classname\"";
const std::string kLightKey = "\"light\"";

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

void CQEntity::insertBrush(int index, CQBrush brush)
{
    brushes_.insert(brushes_.begin() + index, std::move(brush));
}

CQBrush CQEntity::takeBrush(int index)
{
    CQBrush taken = std::move(brushes_[static_cast<size_t>(index)]);
    brushes_.erase(brushes_.begin() + index);
    return taken;
}

std::optional<Bounds> CQEntity::bounds() const
{
    if (brushes_.empty()) return std::nullopt;
    Bounds box = brushes_.front().bounds();
    for (const CQBrush& brush : brushes_) box.include(brush.bounds());
    return box;
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

std::optional<double> CQEntity::Heading() const
{
    const std::string_view value = Unquoted(GetValue("\"angle\""));
    const size_t start = value.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    const size_t end = value.find_first_of(' ', start);
    return ParseFloat(value.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string CQEntity::GetLightValue() const
{
    const bool hasLightKey =
        std::any_of(pairs_.begin(), pairs_.end(), [](const CQKeyValue& p) { return p.key.starts_with("\"light"); });
    if (!hasLightKey) return {};
    const std::string_view light = GetValue(kLightKey);
    return light.empty() ? std::string("300") : std::string(light);
}

void CQEntity::MakeFixedSizeBrush(const FixedBoxes::Box& box, std::optional<Vec3> origin, DebugOutput& log)
{
    const Vec3 at = origin ? *origin : GetOrigin();
    brushes_.clear();
    CQBrush brush;
    brush.MakeBox(box.mins + at, box.maxs + at, "*NONE*", log);
    AddBrush(std::move(brush));
}

int CQEntity::NearestBrushOnSegment(Vec3 start, Vec3 end, DebugOutput& log,
                                    const std::function<bool(const CQBrush&)>& pickable) const
{
    int nearest = -1;
    float best = kNoHit;
    for (int i = 0; i < brushCount(); ++i) {
        if (pickable && !pickable(brushes_[static_cast<size_t>(i)])) continue;
        const RayHit hit = brushes_[static_cast<size_t>(i)].hitByRay(start, end, log);
        if (hit.distance >= 0 && hit.distance <= best) {
            best = hit.distance;
            nearest = i;
        }
    }
    return nearest;
}

void CQEntity::Serialize(std::string& out, MapFormat format) const
{
    SerializeOpening(out);
    SerializeBrushes(out, 0, brushes_.size(), format);
    SerializeClosing(out);
}

void CQEntity::SerializeOpening(std::string& out) const
{
    out += "{\n";
    for (const CQKeyValue& pair : pairs_) {
        out += pair.key;
        out += ' ';
        out += pair.value;
        out += '\n';
    }
}

void CQEntity::SerializeBrushes(std::string& out, size_t first, size_t end, MapFormat format) const
{
    if (!modifiable_) return;
    for (size_t b = first; b < end; ++b) AppendBrush(out, brushes_[b], format);
}

void CQEntity::SerializeClosing(std::string& out) const
{
    for (const UnbuiltBrush& brush : unbuilt_) {
        out += brush.text;
        out += '\n';
    }
    out += "}\n";
}

} // namespace vorn
