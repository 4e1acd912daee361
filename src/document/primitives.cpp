#include "document/primitives.h"

#include "geometry/brush.h"
#include "platform/debug_output.h"

#include <cmath>
#include <string>

namespace vorn {
namespace {

// A wall has the face itself, the inner side and one side per polygon edge.
constexpr int kMaxWallCorners = kMaxFaces - 2;

// The side face of edge a-b leans along -m from b; m is the edge pair's own normal, or the face
// normal where three corners in a row are collinear and give no direction.
Vec3 edgeNormal(Vec3 a, Vec3 b, Vec3 c, Vec3 faceNormal)
{
    const Vec3 m = Cross(a - b, b - c);
    const float scale = Length(a - b) * Length(b - c);
    if (scale == 0 || Length(m) < 1e-3f * scale) return -faceNormal;
    return Normalized(m);
}

CQBrush makeWall(const CQFace& face, int thickness, std::string_view texture, DebugOutput& log)
{
    const std::string name(texture);
    const FacePolygon& w = *face.winding;
    const int n = w.numpoints();
    const float t = static_cast<float>(thickness);
    const Vec3 inward = face.plane.normal * t;

    CQBrush wall;
    wall.AddFace(CQFace(w[0], w[1], w[2], name), log);
    wall.AddFace(CQFace(w[2] - inward, w[1] - inward, w[0] - inward, name), log);
    for (int i = 0; i < n; ++i) {
        const Vec3 a = w[i];
        const Vec3 b = w[(i + 1) % n];
        const Vec3 c = w[(i + 2) % n];
        const Vec3 m = edgeNormal(a, b, c, face.plane.normal) * t;
        wall.AddFace(CQFace(a, b, b - m, name), log);
    }
    wall.BuildWindings(log);
    return wall;
}

bool isCompass(Compass end)
{
    const int index = static_cast<int>(end);
    return index >= 0 && index <= 3;
}

} // namespace

std::optional<std::vector<CQBrush>> MakeWalls(std::span<const CQFace> faces, int thickness, std::string_view texture,
                                              DebugOutput& log)
{
    for (const CQFace& face : faces) {
        if (face.winding && face.winding->numpoints() > kMaxWallCorners) {
            log.debugOutput("MakeRoom: a face has too many corners for a wall\n");
            return std::nullopt;
        }
    }
    std::vector<CQBrush> walls;
    for (const CQFace& face : faces) {
        if (!face.winding || face.winding->numpoints() < 3) continue;
        CQBrush wall = makeWall(face, thickness, texture, log);
        if (wall.IsValid()) walls.push_back(std::move(wall));
    }
    return walls;
}

std::optional<Replacement> MakeRoom(const CQBrush& b, int thickness, std::string_view texture, DebugOutput& log)
{
    if (!b.IsValid() || thickness < 1) return std::nullopt;
    auto walls = MakeWalls(b.faces(), thickness, texture, log);
    if (!walls) return std::nullopt;
    return Replacement{std::move(*walls)};
}

std::optional<Replacement> MakeStairs(const CQBrush& b, Compass upEnd, int stepHeight, int thickness,
                                      std::string_view texture, DebugOutput& log)
{
    // A negative thickness would put every bottom above its top and lose the brush.
    if (!b.IsValid() || !isCompass(upEnd) || stepHeight < 1 || thickness < 0) return std::nullopt;
    const Vec3 lo = b.mins();
    const Vec3 hi = b.maxs();

    const float n = (hi.z - lo.z) / static_cast<float>(stepHeight);
    if (n < 2.0f) return std::nullopt;
    const int run = upEnd == Compass::North || upEnd == Compass::South ? 1 : 0;
    const bool risesTowardHigh = upEnd == Compass::North || upEnd == Compass::East;
    const float depth = (hi[run] - lo[run]) / n;
    const int steps = static_cast<int>(std::ceil(n));

    Replacement stairs;
    for (int j = 0; j < steps; ++j) {
        const bool last = j == steps - 1;
        const float nearEdge = static_cast<float>(j) * depth;
        const float farEdge = static_cast<float>(j + 1) * depth;
        Vec3 stepMins = lo;
        Vec3 stepMaxs = hi;
        if (risesTowardHigh) {
            stepMins[run] = lo[run] + nearEdge;
            stepMaxs[run] = last ? hi[run] : lo[run] + farEdge;
        } else {
            stepMaxs[run] = hi[run] - nearEdge;
            stepMins[run] = last ? lo[run] : hi[run] - farEdge;
        }
        const float top = last ? hi.z : lo.z + static_cast<float>((j + 1) * stepHeight);
        stepMaxs.z = top;
        stepMins.z = thickness == 0 ? lo.z : top - static_cast<float>(thickness);

        CQBrush step;
        step.MakeBox(stepMins, stepMaxs, texture, log);
        if (step.IsValid()) stairs.brushes.push_back(std::move(step));
    }
    return stairs;
}

std::optional<Replacement> MakeRamp(const CQBrush& b, Compass elevatedEnd, std::string_view texture, DebugOutput& log)
{
    if (!b.IsValid() || !isCompass(elevatedEnd)) return std::nullopt;
    const Vec3 lo = b.mins();
    const Vec3 hi = b.maxs();
    // A corner of B's box: each flag picks the high end of that axis.
    auto corner = [&](bool x, bool y, bool z) { return Vec3{x ? hi.x : lo.x, y ? hi.y : lo.y, z ? hi.z : lo.z}; };

    // The slope through the bottom edge at the low end and the top edge at the elevated end.
    struct Slope {
        Vec3 p0, p1, p2;
    };
    Slope slope;
    switch (elevatedEnd) {
    case Compass::North: slope = {corner(0, 0, 0), corner(1, 1, 1), corner(1, 0, 0)}; break;
    case Compass::South: slope = {corner(0, 1, 0), corner(1, 1, 0), corner(1, 0, 1)}; break;
    case Compass::East: slope = {corner(0, 0, 0), corner(0, 1, 0), corner(1, 1, 1)}; break;
    case Compass::West: slope = {corner(1, 1, 0), corner(1, 0, 0), corner(0, 0, 1)}; break;
    }

    CQBrush ramp;
    ramp.MakeBox(lo, hi, texture, log);
    ramp.AddFace(CQFace(slope.p0, slope.p1, slope.p2, std::string(texture)), log);
    ramp.BuildWindings(log);
    Replacement replacement;
    if (ramp.IsValid()) replacement.brushes.push_back(std::move(ramp));
    return replacement;
}

} // namespace vorn
