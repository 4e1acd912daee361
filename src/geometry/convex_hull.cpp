#include "geometry/convex_hull.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace vorn {
namespace {

struct Triangle {
    std::array<int, 3> v; // counter-clockwise seen from outside
    DPlane plane;
    bool alive = true;
};

std::uint64_t edgeKey(int from, int to)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(from)) << 32) | static_cast<std::uint32_t>(to);
}

// The hull grown point by point: the triangles a new point sees are replaced by a fan from the
// point to the edge around them.
class Hull {
public:
    Hull(std::span<const DVec3> points, double onPlane) : points_(points), onPlane_(onPlane) {}

    // The tetrahedron of four points far apart; false when the points hold no volume.
    bool start();
    void add(int point);
    bool broken() const { return broken_; }
    const std::array<int, 4>& firstPoints() const { return first_; }
    std::vector<HullFace> faces() const;

private:
    double distance(int t, int point) const { return triangles_[static_cast<size_t>(t)].plane.distanceTo(points_[static_cast<size_t>(point)]); }
    void addTriangle(int a, int b, int c);
    void removeTriangle(int t);
    // The triangle across edge k (from corner k to the next) of triangle t.
    int neighbour(int t, int k) const;
    bool coplanar(int t, int k) const;
    HullFace faceOf(const std::vector<int>& group) const;

    std::span<const DVec3> points_;
    double onPlane_;
    std::vector<Triangle> triangles_;
    std::unordered_map<std::uint64_t, int> edges_; // each directed edge to the triangle that has it
    std::vector<int> seen_;                         // by triangle: the last point that saw it
    std::array<int, 4> first_{};
    bool broken_ = false;
};

bool Hull::start()
{
    const auto at = [this](int i) { return points_[static_cast<size_t>(i)]; };
    const int count = static_cast<int>(points_.size());
    const auto farthest = [count](auto measure) {
        int best = 0;
        double bestValue = -1;
        for (int i = 0; i < count; ++i) {
            if (const double value = measure(i); value > bestValue) {
                bestValue = value;
                best = i;
            }
        }
        return std::pair{best, bestValue};
    };
    if (count < 4) return false;
    const int a = farthest([&](int i) { return -at(i).x; }).first;
    const auto [b, ab] = farthest([&](int i) { return Length(at(i) - at(a)); });
    if (ab <= onPlane_) return false;
    const DVec3 along = Normalized(at(b) - at(a));
    const auto [c, offLine] = farthest([&](int i) { return Length(Cross(at(i) - at(a), along)); });
    if (offLine <= onPlane_) return false;
    const DVec3 normal = Normalized(Cross(at(b) - at(a), at(c) - at(a)));
    const DPlane base{normal, Dot(normal, at(a))};
    const auto [d, offPlane] = farthest([&](int i) { return std::fabs(base.distanceTo(at(i))); });
    if (offPlane <= onPlane_) return false;

    // The base faces away from the fourth point; each side shares one of its edges.
    const std::array<int, 3> face = base.distanceTo(at(d)) > 0 ? std::array{a, c, b} : std::array{a, b, c};
    addTriangle(face[0], face[1], face[2]);
    for (int k = 0; k < 3; ++k) addTriangle(face[static_cast<size_t>((k + 1) % 3)], face[static_cast<size_t>(k)], d);
    first_ = {a, b, c, d};
    return true;
}

void Hull::addTriangle(int a, int b, int c)
{
    const DVec3 pa = points_[static_cast<size_t>(a)];
    const DVec3 normal = Normalized(Cross(points_[static_cast<size_t>(b)] - pa, points_[static_cast<size_t>(c)] - pa));
    const int index = static_cast<int>(triangles_.size());
    triangles_.push_back({{a, b, c}, {normal, Dot(normal, pa)}});
    seen_.push_back(-1);
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
        // An edge met twice in one direction: rounding made the surface fold; no hull then.
        if (!edges_.emplace(edgeKey(from, to), index).second) broken_ = true;
    }
}

void Hull::removeTriangle(int t)
{
    Triangle& triangle = triangles_[static_cast<size_t>(t)];
    triangle.alive = false;
    for (int k = 0; k < 3; ++k) edges_.erase(edgeKey(triangle.v[static_cast<size_t>(k)], triangle.v[static_cast<size_t>((k + 1) % 3)]));
}

int Hull::neighbour(int t, int k) const
{
    const Triangle& triangle = triangles_[static_cast<size_t>(t)];
    const auto found = edges_.find(edgeKey(triangle.v[static_cast<size_t>((k + 1) % 3)], triangle.v[static_cast<size_t>(k)]));
    return found == edges_.end() ? -1 : found->second;
}

void Hull::add(int point)
{
    if (broken_) return;
    int best = -1;
    double bestDistance = onPlane_;
    for (int t = 0; t < static_cast<int>(triangles_.size()); ++t) {
        if (!triangles_[static_cast<size_t>(t)].alive) continue;
        if (const double d = distance(t, point); d > bestDistance) {
            bestDistance = d;
            best = t;
        }
    }
    if (best < 0) return; // inside, or on the surface

    // The triangles the point sees, as one region around the one it sees best.
    std::vector<int> visible{best};
    seen_[static_cast<size_t>(best)] = point;
    for (size_t i = 0; i < visible.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const int n = neighbour(visible[i], k);
            if (n < 0) {
                broken_ = true;
                return;
            }
            if (seen_[static_cast<size_t>(n)] != point && distance(n, point) > onPlane_) {
                seen_[static_cast<size_t>(n)] = point;
                visible.push_back(n);
            }
        }
    }
    std::vector<std::pair<int, int>> horizon;
    for (const int t : visible) {
        for (int k = 0; k < 3; ++k) {
            if (seen_[static_cast<size_t>(neighbour(t, k))] == point) continue;
            const Triangle& triangle = triangles_[static_cast<size_t>(t)];
            horizon.emplace_back(triangle.v[static_cast<size_t>(k)], triangle.v[static_cast<size_t>((k + 1) % 3)]);
        }
    }
    for (const int t : visible) removeTriangle(t);
    for (const auto& [from, to] : horizon) addTriangle(from, to, point);
}

bool Hull::coplanar(int t, int k) const
{
    const int n = neighbour(t, k);
    const Triangle& a = triangles_[static_cast<size_t>(t)];
    const Triangle& b = triangles_[static_cast<size_t>(n)];
    const int aFar = a.v[static_cast<size_t>((k + 2) % 3)];
    int bFar = b.v[0];
    for (const int v : b.v) {
        if (std::ranges::find(a.v, v) == a.v.end()) bFar = v;
    }
    return Dot(a.plane.normal, b.plane.normal) > 0 && std::fabs(a.plane.distanceTo(points_[static_cast<size_t>(bFar)])) <= onPlane_ &&
           std::fabs(b.plane.distanceTo(points_[static_cast<size_t>(aFar)])) <= onPlane_;
}

// The face of triangles in one plane: the plane of the largest of them, and the corners of the
// polygon around their points, found in that plane.
HullFace Hull::faceOf(const std::vector<int>& group) const
{
    const auto area = [this](int t) {
        const auto& v = triangles_[static_cast<size_t>(t)].v;
        const auto p = [this](int i) { return points_[static_cast<size_t>(i)]; };
        return Length(Cross(p(v[1]) - p(v[0]), p(v[2]) - p(v[0])));
    };
    const int largest = *std::ranges::max_element(group, {}, area);
    HullFace face{triangles_[static_cast<size_t>(largest)].plane, {}};

    std::vector<int> points;
    for (const int t : group) points.insert(points.end(), triangles_[static_cast<size_t>(t)].v.begin(), triangles_[static_cast<size_t>(t)].v.end());
    std::ranges::sort(points);
    points.erase(std::unique(points.begin(), points.end()), points.end());

    // A frame in the plane whose turn from u to v is counter-clockwise seen from outside.
    const DVec3 n = face.plane.normal;
    const DVec3 across = std::fabs(n.x) < 0.9 ? DVec3{1, 0, 0} : DVec3{0, 1, 0};
    const DVec3 u = Normalized(Cross(across, n));
    const DVec3 v = Cross(n, u);
    struct Flat {
        double x, y;
        int index;
    };
    std::vector<Flat> flat;
    for (const int i : points) flat.push_back({Dot(points_[static_cast<size_t>(i)], u), Dot(points_[static_cast<size_t>(i)], v), i});
    std::ranges::sort(flat, [](const Flat& l, const Flat& r) { return l.x != r.x ? l.x < r.x : l.y < r.y; });

    // The monotone chain, each corner turning left by more than `onPlane` from the line it cuts.
    const auto keeps = [this](const Flat& o, const Flat& a, const Flat& b) {
        const double turn = (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
        return turn > onPlane_ * std::hypot(b.x - o.x, b.y - o.y);
    };
    std::vector<Flat> chain;
    for (int pass = 0; pass < 2; ++pass) {
        const size_t floor = chain.size();
        for (const Flat& p : flat) {
            while (chain.size() >= floor + 2 && !keeps(chain[chain.size() - 2], chain.back(), p)) chain.pop_back();
            chain.push_back(p);
        }
        chain.pop_back(); // the next pass begins with it
        std::ranges::reverse(flat);
    }
    for (const Flat& p : chain) face.corners.push_back(p.index);
    return face;
}

std::vector<HullFace> Hull::faces() const
{
    // Triangles in one plane, neighbour to neighbour, make one face.
    std::vector<int> root(triangles_.size());
    std::iota(root.begin(), root.end(), 0);
    const auto find = [&root](int t) {
        while (root[static_cast<size_t>(t)] != t) t = root[static_cast<size_t>(t)] = root[static_cast<size_t>(root[static_cast<size_t>(t)])];
        return t;
    };
    for (int t = 0; t < static_cast<int>(triangles_.size()); ++t) {
        if (!triangles_[static_cast<size_t>(t)].alive) continue;
        for (int k = 0; k < 3; ++k) {
            if (coplanar(t, k)) root[static_cast<size_t>(find(t))] = find(neighbour(t, k));
        }
    }
    std::unordered_map<int, std::vector<int>> groups;
    std::vector<int> order;
    for (int t = 0; t < static_cast<int>(triangles_.size()); ++t) {
        if (!triangles_[static_cast<size_t>(t)].alive) continue;
        auto& group = groups[find(t)];
        if (group.empty()) order.push_back(find(t));
        group.push_back(t);
    }
    std::vector<HullFace> faces;
    for (const int r : order) {
        HullFace face = faceOf(groups[r]);
        if (face.corners.size() >= 3) faces.push_back(std::move(face));
    }
    return faces;
}

} // namespace

std::optional<std::vector<HullFace>> ConvexHull(std::span<const DVec3> points, double onPlane)
{
    Hull hull(points, onPlane);
    if (!hull.start()) return std::nullopt;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        if (std::ranges::find(hull.firstPoints(), i) == hull.firstPoints().end()) hull.add(i);
    }
    if (hull.broken()) return std::nullopt;
    std::vector<HullFace> faces = hull.faces();
    if (faces.size() < 4) return std::nullopt;
    return faces;
}

} // namespace vorn
