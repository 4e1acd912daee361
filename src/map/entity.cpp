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
const std::string kOriginKey = "\"origin\"";
const std::string kLightKey = "\"light\"";

// A closed solid has at least four faces with a polygon.
constexpr int kMinSolidFaces = 4;

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
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

int CQEntity::NearestBrushOnSegment(Vec3 start, Vec3 end, DebugOutput& log) const
{
    int nearest = -1;
    float best = kNoHit;
    for (int i = 0; i < brushCount(); ++i) {
        const RayHit hit = brushes_[static_cast<size_t>(i)].hitByRay(start, end, log);
        if (hit.distance >= 0 && hit.distance <= best) {
            best = hit.distance;
            nearest = i;
        }
    }
    return nearest;
}

void CQEntity::Serialize(std::string& out) const
{
    out += "{\n";
    for (const CQKeyValue& pair : pairs_) {
        out += pair.key;
        out += ' ';
        out += pair.value;
        out += '\n';
    }
    if (modifiable_) {
        for (const CQBrush& brush : brushes_) AppendBrush(out, brush);
    }
    for (const UnbuiltBrush& brush : unbuilt_) {
        out += brush.text;
        out += '\n';
    }
    out += "}\n";
}

EntityReadResult CQEntity::Read(TextCursor& in, const FixedBoxes& classes, DebugOutput& log)
{
    *this = CQEntity();
    EntityReadResult result;
    const char opening = NextNonBlank(in);
    if (opening != '{') {
        result.status = opening == 0 ? EntityReadResult::EndOfFile : EntityReadResult::NoBlock;
        result.line = in.line();
        return result;
    }

    for (;;) {
        const char c = NextNonBlank(in);
        if (c == '"') {
            const std::string_view key = ReadQuoted(in);
            if (NextNonBlank(in) == '"') {
                const std::string_view value = ReadQuoted(in);
                SetValue(key, value);
            }
        } else if (c == '{') {
            const int line = in.line();
            const size_t start = in.position() - 1;
            CQBrush brush;
            if (ReadBrush(in, brush, log).facesDropped > 0) result.overfullBrushLines.push_back(line);
            if (brush.numfaces() == 0) {
                ++result.emptyBrushesDropped;
            } else if (brush.CountFaces() < kMinSolidFaces) {
                unbuilt_.push_back({std::string(withoutTrailingBlanks(in.since(start))), line});
                result.unbuiltBrushLines.push_back(line);
            } else {
                brushes_.push_back(std::move(brush));
            }
        } else if (c == '}') {
            result.status = EntityReadResult::Complete;
            break;
        } else {
            *this = CQEntity();
            result.status = EntityReadResult::Discarded;
            break;
        }
    }
    result.line = in.line();

    std::optional<Vec3> origin;
    if (brushes_.empty()) {
        const std::string_view stored = GetValue(kOriginKey);
        if (stored.empty() && !unbuilt_.empty()) {
            origin = kOrigin; // it has brushes, only none that can be shown
        } else if (stored.empty()) {
            // The world needs no place: an empty one is no mistake.
            result.placedAtOrigin = className() != "worldspawn";
            origin = kOrigin;
        } else {
            origin = ParseVector(stored);
        }
    }

    const std::string name = className();
    const std::optional<FixedBoxes::Box> box = classes.fixedBox(name);
    // A class with a fixed box whose block brings brushes of its own keeps them: replacing them by
    // the class box would drop them from the file on the next save.
    if (box && brushes_.empty()) {
        MakeFixedSizeBrush(*box, origin, log);
        modifiable_ = false;
    } else {
        isWorld_ = name == "worldspawn";
        modifiable_ = true;
    }
    return result;
}

} // namespace vorn
