#include "geometry/winding.h"

#include "geometry/face.h"
#include "platform/debug_output.h"

#include <cmath>
#include <string>

namespace vorn {
namespace {

enum Side { Front, Back, On };

} // namespace

Winding NewWinding(int points, DebugOutput& log)
{
    if (points > kMaxWindingPoints) {
        log.debugOutput("NewWinding: " + std::to_string(points) + " points");
    }
    WindingPoints storage;
    storage.reserve(static_cast<size_t>(std::max(points, 0)));
    return Winding(std::move(storage));
}

template <typename T>
std::array<BasicVec3<T>, 4> BasePolyPoints(const BasicPlane<T>& plane, T halfSize, DebugOutput& log)
{
    using V = BasicVec3<T>;
    const V n = plane.normal;
    int best = -1;
    T max = -18000;
    for (int axis = 0; axis < 3; ++axis) {
        const T v = std::fabs(n[axis]);
        if (v > max) {
            best = axis;
            max = v;
        }
    }
    if (best == -1) log.debugOutput("BasePolyForPlane: no axis found");

    V up = best == 2 ? V{1, 0, 0} : V{0, 0, 1};
    up = up - Dot(up, n) * n;
    Normalize(up);
    const V org = plane.dist * n;
    const V right = Cross(up, n) * halfSize;
    up = up * halfSize;
    return {org - right + up, org + right + up, org + right - up, org - right - up};
}

template std::array<Vec3, 4> BasePolyPoints(const Plane&, float, DebugOutput&);
template std::array<DVec3, 4> BasePolyPoints(const DPlane&, double, DebugOutput&);

template <typename T>
ClipOutcome ClipPolygon(std::span<const BasicVec3<T>> in, const BasicPlane<T>& plane, BasicVec3<T>* out, int outRoom,
                        T onEpsilon)
{
    using V = BasicVec3<T>;
    const size_t n = in.size();
    // Distances and sides of every point, the first repeated after the last.
    std::vector<T> heapDists;
    std::vector<Side> heapSides;
    T stackDists[kMaxWindingPoints + 1];
    Side stackSides[kMaxWindingPoints + 1];
    T* dists = stackDists;
    Side* sides = stackSides;
    if (n > static_cast<size_t>(kMaxWindingPoints)) {
        heapDists.resize(n + 1);
        heapSides.resize(n + 1);
        dists = heapDists.data();
        sides = heapSides.data();
    }

    int counts[3] = {0, 0, 0};
    for (size_t i = 0; i < n; ++i) {
        const T d = Dot(in[i], plane.normal) - plane.dist;
        dists[i] = d;
        sides[i] = d > onEpsilon ? Front : d < -onEpsilon ? Back : On;
        ++counts[sides[i]];
    }
    if (n == 0) return {ClipOutcome::Unchanged};
    dists[n] = dists[0];
    sides[n] = sides[0];

    if (counts[Front] == 0) {
        return {counts[Back] == 0 ? ClipOutcome::Unchanged : ClipOutcome::AllBehind};
    }
    if (counts[Back] == 0) return {ClipOutcome::Unchanged};

    ClipOutcome result{ClipOutcome::Cut};
    auto append = [&](V p) {
        if (result.count < outRoom) {
            out[result.count++] = p;
        } else {
            result.overflowed = true;
        }
    };
    for (size_t i = 0; i < n; ++i) {
        const V p1 = in[i];
        if (sides[i] == On) {
            append(p1);
            continue;
        }
        if (sides[i] == Front) append(p1);
        if (sides[i + 1] == On || sides[i + 1] == sides[i]) continue;

        // Split point; an axial plane gets its coordinate exactly.
        const V p2 = in[(i + 1) % n];
        const T f = dists[i] / (dists[i] - dists[i + 1]);
        V mid;
        for (int axis = 0; axis < 3; ++axis) {
            if (plane.normal[axis] == 1) {
                mid[axis] = plane.dist;
            } else if (plane.normal[axis] == -1) {
                mid[axis] = -plane.dist;
            } else {
                mid[axis] = p1[axis] + f * (p2[axis] - p1[axis]);
            }
        }
        append(mid);
    }
    return result;
}

template ClipOutcome ClipPolygon(std::span<const Vec3>, const Plane&, Vec3*, int, float);
template ClipOutcome ClipPolygon(std::span<const DVec3>, const DPlane&, DVec3*, int, double);

std::optional<Winding> ClipWinding(Winding w, const Plane& plane, DebugOutput& log)
{
    const int room = w.numpoints() + 4;
    WindingPoints out(static_cast<size_t>(room));
    const ClipOutcome outcome = ClipPolygon<float>(w.points(), plane, out.data(), room, kOnEpsilon);
    switch (outcome.kind) {
    case ClipOutcome::Unchanged:
        return w;
    case ClipOutcome::AllBehind:
        return std::nullopt;
    case ClipOutcome::Cut:
        break;
    }
    if (outcome.overflowed) log.debugOutput("ClipWinding: points exceeded estimate");
    out.resize(static_cast<size_t>(outcome.count));
    return Winding(std::move(out));
}

void CheckFace(const CQFace& face, DebugOutput& log)
{
    if (!log.shown()) return;
    if (!face.winding) {
        log.debugOutput("CheckFace: no winding\n");
        return;
    }
    const FacePolygon& w = *face.winding;
    const Vec3 n = face.plane.normal;
    const float d = face.plane.dist;
    const int count = w.numpoints();
    if (count < 3) log.debugOutput("CheckFace: " + std::to_string(count) + " points\n");

    for (int i = 0; i < count; ++i) {
        const Vec3 p = w[i];
        const float off = Dot(p, n) - d;
        if (off < -0.1f || off > 0.1f) log.debugOutput("CheckFace: point off plane\n");

        const Vec3 edge = w[(i + 1) % count] - p;
        if (Length(edge) < 0.1f) log.debugOutput("CheckFace: degenerate edge\n");

        const Vec3 edgeNormal = Normalized(Cross(n, edge));
        const float edgeDist = Dot(p, edgeNormal) + 0.1f;
        for (int k = 0; k < count; ++k) {
            if (k != i && Dot(w[k], edgeNormal) > edgeDist) log.debugOutput("CheckFace: non-convex\n");
        }
    }
}

} // namespace vorn
