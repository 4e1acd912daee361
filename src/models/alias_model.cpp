#include "models/alias_model.h"

#include "textures/byte_view.h"

#include <bit>

namespace vorn {
namespace {

constexpr std::string_view kMagic = "IDPO";
constexpr std::int32_t kVersion = 6;
constexpr std::uint64_t kHeaderBytes = 84;
constexpr std::int32_t kMostSkinSide = 4096;
constexpr std::uint64_t kSkinVertexBytes = 12;
constexpr std::uint64_t kTriangleBytes = 16;
constexpr std::uint64_t kFrameVertexBytes = 4;
constexpr std::uint64_t kFrameBoundsBytes = 8; // two packed vertices
constexpr std::uint64_t kFrameHeadBytes = kFrameBoundsBytes + 16; // and a name

AliasModelRead refused(std::string reason) { return {std::nullopt, std::move(reason)}; }

// Walks the file's parts, refusing any that would end past it.
class Walk {
public:
    explicit Walk(const ByteView& bytes) : bytes_(bytes) {}

    std::uint64_t at() const { return at_; }
    bool has(std::uint64_t length) const { return bytes_.contains(at_, length); }
    bool skip(std::uint64_t length)
    {
        if (!has(length)) return false;
        at_ += length;
        return true;
    }
    // A 32-bit count of at least 1, consumed.
    std::optional<std::uint64_t> count()
    {
        if (!has(4) || bytes_.i32(at_) < 1) return std::nullopt;
        const std::uint64_t value = bytes_.u32(at_);
        at_ += 4;
        return value;
    }
    std::optional<std::int32_t> i32()
    {
        if (!has(4)) return std::nullopt;
        const std::int32_t value = bytes_.i32(at_);
        at_ += 4;
        return value;
    }

private:
    const ByteView& bytes_;
    std::uint64_t at_ = kHeaderBytes;
};

float floatAt(const ByteView& bytes, std::uint64_t offset) { return std::bit_cast<float>(bytes.u32(offset)); }

Vec3 vectorAt(const ByteView& bytes, std::uint64_t offset)
{
    return {floatAt(bytes, offset), floatAt(bytes, offset + 4), floatAt(bytes, offset + 8)};
}

// Walks the skins or the frames: each entry is one item, or a group of them (a marker that is
// not 0, their count, `groupHeadBytes` of the group's own, and a time for each item), followed
// by its items of `itemBytes` each. Where the first item begins.
std::optional<std::uint64_t> walkEntries(Walk& walk, std::uint64_t entries, std::uint64_t groupHeadBytes, std::uint64_t itemBytes)
{
    std::optional<std::uint64_t> first;
    for (std::uint64_t e = 0; e < entries; ++e) {
        const auto marker = walk.i32();
        if (!marker) return std::nullopt;
        std::uint64_t items = 1;
        if (*marker != 0) {
            const auto count = walk.count();
            if (!count || !walk.skip(groupHeadBytes + *count * 4)) return std::nullopt;
            items = *count;
        }
        if (!first) first = walk.at();
        if (!walk.skip(items * itemBytes)) return std::nullopt;
    }
    return first;
}

} // namespace

AliasModelRead ReadAliasModel(std::string_view data)
{
    const ByteView bytes(data);
    if (!bytes.contains(0, kHeaderBytes) || bytes.slice(0, 4) != kMagic) return refused("it is no alias model");
    if (bytes.i32(4) != kVersion) return refused("its version is " + std::to_string(bytes.i32(4)) + ", not 6");
    const Vec3 scale = vectorAt(bytes, 8);
    const Vec3 origin = vectorAt(bytes, 20);
    const std::int32_t counts[] = {bytes.i32(48), bytes.i32(52), bytes.i32(56), bytes.i32(60), bytes.i32(64), bytes.i32(68)};
    const auto [skins, width, height, vertices, triangles, frames] = counts;
    if (skins < 1 || vertices < 1 || triangles < 1 || frames < 1) return refused("it has no skin, vertex, triangle or frame");
    if (width < 1 || height < 1 || width > kMostSkinSide || height > kMostSkinSide) {
        return refused("its skin of " + std::to_string(width) + " x " + std::to_string(height) + " is not 1 to 4096 on each side");
    }

    Walk walk(bytes);
    const std::uint64_t pictureBytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const auto skin = walkEntries(walk, static_cast<std::uint64_t>(skins), 0, pictureBytes);
    const std::uint64_t skinVertices = walk.at();
    const std::uint64_t triangleTable = skinVertices + static_cast<std::uint64_t>(vertices) * kSkinVertexBytes;
    if (!skin || !walk.skip(static_cast<std::uint64_t>(vertices) * kSkinVertexBytes) ||
        !walk.skip(static_cast<std::uint64_t>(triangles) * kTriangleBytes)) {
        return refused("the file ends before its skins, vertices and triangles do");
    }
    // A group of frames has bounds of its own; each frame its bounds and name before its vertices.
    const auto firstFrame = walkEntries(walk, static_cast<std::uint64_t>(frames), kFrameBoundsBytes,
                                        kFrameHeadBytes + static_cast<std::uint64_t>(vertices) * kFrameVertexBytes);
    if (!firstFrame) return refused("the file ends before its frames do");
    const std::uint64_t frame = *firstFrame + kFrameHeadBytes;

    AliasModel model;
    model.skinCount = skins;
    model.skinWidth = width;
    model.skinHeight = height;
    model.frameCount = frames;
    model.skin = std::string(bytes.slice(*skin, pictureBytes));
    model.positions.reserve(static_cast<size_t>(vertices));
    for (std::int32_t v = 0; v < vertices; ++v) {
        const std::uint64_t at = frame + static_cast<std::uint64_t>(v) * kFrameVertexBytes;
        model.positions.push_back({bytes.u8(at) * scale.x + origin.x, bytes.u8(at + 1) * scale.y + origin.y,
                                   bytes.u8(at + 2) * scale.z + origin.z});
    }
    model.triangles.reserve(static_cast<size_t>(triangles));
    for (std::int32_t t = 0; t < triangles; ++t) {
        const std::uint64_t at = triangleTable + static_cast<std::uint64_t>(t) * kTriangleBytes;
        const bool facesFront = bytes.i32(at) != 0;
        std::array<AliasCorner, 3> corners;
        for (std::uint64_t c = 0; c < 3; ++c) {
            const std::int32_t vertex = bytes.i32(at + 4 + 4 * c);
            if (vertex < 0 || vertex >= vertices) return refused("a triangle names vertex " + std::to_string(vertex));
            const std::uint64_t st = skinVertices + static_cast<std::uint64_t>(vertex) * kSkinVertexBytes;
            // A vertex on the seam stands for two: the back of the model takes the skin's right half.
            const bool onSeam = bytes.i32(st) != 0;
            const float s = static_cast<float>(bytes.i32(st + 4)) + (onSeam && !facesFront ? 0.5f * static_cast<float>(width) : 0);
            const float tex = static_cast<float>(bytes.i32(st + 8));
            corners[c] = {static_cast<std::uint32_t>(vertex), (s + 0.5f) / static_cast<float>(width),
                          (tex + 0.5f) / static_cast<float>(height)};
        }
        model.triangles.push_back(corners);
    }
    return {std::move(model), {}};
}

} // namespace vorn
