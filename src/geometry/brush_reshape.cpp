#include "geometry/brush_reshape.h"

#include "geometry/brush_shape.h"
#include "geometry/convex_hull.h"
#include "geometry/texture_axes.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

// How near a plane a corner counts as on it while the solid is found: as the brush build cuts.
constexpr double kOnPlane = 0.001;
// How near its old plane a face's new corners must lie for the face to keep itself: the corners
// come from polygons kept in single precision.
constexpr double kSamePlane = 0.01;
// Normals closer than this (in cosine) face the same way.
constexpr double kSameFacing = 0.99;

// A face of the old brushes that the faces of the solid may come from, with its corners among the
// solid's points.
struct Source {
    const CQFace* face;
    DPlane plane;
    std::vector<int> corners;
    bool movedWhole = false;
};

std::optional<Source> sourceOf(const CQFace& face, std::vector<int> corners, bool movedWhole)
{
    const auto plane = face.planepts.plane();
    if (!plane || corners.size() < 3) return std::nullopt;
    std::ranges::sort(corners);
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    return Source{&face, *plane, std::move(corners), movedWhole};
}

bool liesIn(const HullFace& face, const Source& source, std::span<const DVec3> points)
{
    return Dot(face.plane.normal, source.plane.normal) > kSameFacing &&
           std::ranges::all_of(face.corners, [&](int c) { return std::fabs(source.plane.distanceTo(points[static_cast<size_t>(c)])) <= kSamePlane; });
}

int sharedCorners(const HullFace& face, const Source& source)
{
    return static_cast<int>(std::ranges::count_if(face.corners, [&](int c) { return std::ranges::binary_search(source.corners, c); }));
}

bool sameCorners(const HullFace& face, const Source& source)
{
    return face.corners.size() == source.corners.size() && sharedCorners(face, source) == static_cast<int>(source.corners.size());
}

// The source a face of the solid comes from: one whose plane it lies in, or else the one it shares
// the most corners with, the one facing most its way among those.
size_t sourceFor(const HullFace& face, std::span<const Source> sources, std::span<const DVec3> points, bool& samePlane)
{
    samePlane = true;
    for (size_t s = 0; s < sources.size(); ++s) {
        if (liesIn(face, sources[s], points)) return s;
    }
    samePlane = false;
    size_t best = 0;
    std::pair<int, double> bestScore{-1, -2};
    for (size_t s = 0; s < sources.size(); ++s) {
        const std::pair score{sharedCorners(face, sources[s]), Dot(face.plane.normal, sources[s].plane.normal)};
        if (score > bestScore) {
            bestScore = score;
            best = s;
        }
    }
    return best;
}

// Three corners of the face far apart, in the order that makes its plane face out.
std::array<DVec3, 3> planePoints(const HullFace& face, std::span<const DVec3> points)
{
    const auto at = [&](int c) { return points[static_cast<size_t>(c)]; };
    int a = face.corners[0];
    int b = face.corners[1];
    for (const int i : face.corners) {
        for (const int j : face.corners) {
            if (Length(at(j) - at(i)) > Length(at(b) - at(a))) std::tie(a, b) = std::pair{i, j};
        }
    }
    const DVec3 along = Normalized(at(b) - at(a));
    const int c = *std::ranges::max_element(face.corners, {}, [&](int k) { return Length(Cross(at(k) - at(a), along)); });
    std::array<DVec3, 3> p{at(a), at(b), at(c)};
    if (Dot(Cross(p[0] - p[1], p[2] - p[1]), face.plane.normal) < 0) std::swap(p[0], p[2]);
    return p;
}

// The brush of the solid's faces, each made from its source, in the order of their sources.
std::optional<CQBrush> brushOf(std::span<const HullFace> hull, std::span<const Source> sources, std::span<const DVec3> points,
                               DVec3 offset, TextureLock lock, BrushId id, DebugOutput& log)
{
    struct Made {
        size_t source;
        CQFace face;
    };
    std::vector<Made> made;
    for (const HullFace& h : hull) {
        bool samePlane = false;
        const size_t s = sourceFor(h, sources, points, samePlane);
        CQFace face = *sources[s].face;
        face.winding.reset();
        if (sources[s].movedWhole && sameCorners(h, sources[s])) {
            face.planepts.change([&](DVec3& p) { p += offset; });
            if (lock == TextureLock::On) MoveTextureWith(face, offset);
        } else if (!samePlane) {
            face.planepts = planePoints(h, points);
        }
        made.push_back({s, std::move(face)});
    }
    std::ranges::stable_sort(made, {}, &Made::source);
    std::vector<CQFace> faces;
    for (Made& m : made) faces.push_back(std::move(m.face));

    CQBrush brush;
    brush.setId(id);
    brush.TakeFaces(faces);
    if (!brush.BuildWindings(log) || !brush.RemoveEmptyFaces()) return std::nullopt;
    return brush;
}

bool isCorner(std::span<const HullFace> hull, int point)
{
    return std::ranges::any_of(hull, [point](const HullFace& f) { return std::ranges::find(f.corners, point) != f.corners.end(); });
}

} // namespace

Reshaped MoveCorners(const CQBrush& brush, std::span<const int> corners, DVec3 offset, TextureLock lock, DebugOutput& log)
{
    const BrushShape shape = ShapeOf(brush);
    std::vector<bool> moved(shape.vertices.size(), false);
    for (const int c : corners) moved[static_cast<size_t>(c)] = true;

    // The corners where they go, those that come together as one point.
    std::vector<DVec3> points;
    std::vector<int> pointOf(shape.vertices.size());
    for (size_t v = 0; v < shape.vertices.size(); ++v) {
        pointOf[v] = IndexOfPoint(points, moved[v] ? shape.vertices[v] + offset : shape.vertices[v]);
    }
    const auto hull = ConvexHull(points, kOnPlane);
    if (!hull) return ReshapeRefusal::NoVolume;
    // A moved corner stays a corner, alone or merged with another; one the solid would swallow
    // (inside it, or flat in a face or an edge) would make a dent the brush cannot have.
    for (const int c : corners) {
        if (!isCorner(*hull, pointOf[static_cast<size_t>(c)])) return ReshapeRefusal::NotConvex;
    }

    std::vector<Source> sources;
    for (int f = 0; f < brush.numfaces(); ++f) {
        const std::vector<int>& old = shape.faces[static_cast<size_t>(f)];
        std::vector<int> now;
        for (const int c : old) now.push_back(pointOf[static_cast<size_t>(c)]);
        const bool movedWhole = std::ranges::all_of(old, [&](int c) { return moved[static_cast<size_t>(c)]; });
        if (auto source = sourceOf(brush.face(f), std::move(now), movedWhole)) sources.push_back(std::move(*source));
    }
    if (sources.empty()) return ReshapeRefusal::NoVolume;
    auto reshaped = brushOf(*hull, sources, points, offset, lock, brush.id(), log);
    if (!reshaped) return ReshapeRefusal::NoVolume;
    return std::move(*reshaped);
}

std::optional<CQBrush> MergeBrushes(std::span<const CQBrush* const> brushes, DebugOutput& log)
{
    std::vector<DVec3> points;
    std::vector<Source> sources;
    for (const CQBrush* brush : brushes) {
        for (const CQFace& face : brush->faces()) {
            if (!face.winding) continue;
            std::vector<int> corners;
            for (const Vec3& p : face.winding->points()) corners.push_back(IndexOfPoint(points, ToDouble(p)));
            if (auto source = sourceOf(face, std::move(corners), false)) sources.push_back(std::move(*source));
        }
    }
    const auto hull = ConvexHull(points, kOnPlane);
    if (!hull || sources.empty()) return std::nullopt;
    return brushOf(*hull, sources, points, {}, TextureLock::Off, brushes.front()->id(), log);
}

} // namespace vorn
