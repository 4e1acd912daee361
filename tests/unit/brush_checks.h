#pragma once

#include "geometry/brush.h"
#include "map/entity.h"
#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <vector>

namespace vorn::test {

// Twice the area of a polygon, along its normal: face polygons run clockwise seen from the front.
inline Vec3 areaVector(const Winding& w)
{
    Vec3 sum;
    for (int i = 0; i < w.numpoints(); ++i) sum += Cross(w[(i + 1) % w.numpoints()], w[i]);
    return sum;
}

inline float Volume(const CQBrush& b)
{
    float volume = 0;
    for (const CQFace& f : b.faces()) {
        if (f.winding) volume += f.plane.dist * Dot(areaVector(*f.winding), f.plane.normal) / 6.0f;
    }
    return volume;
}

// A real solid: valid, with at least four polygons facing out along their planes, convex (every
// corner on or behind every face plane) and closed (the area vectors of its faces cancel out).
inline void ExpectSolid(const CQBrush& b)
{
    ASSERT_TRUE(b.IsValid());
    EXPECT_GE(b.CountFaces(), 4);
    Vec3 total;
    float area = 0;
    for (const CQFace& f : b.faces()) {
        if (!f.winding) continue;
        ASSERT_GE(f.winding->numpoints(), 3);
        const Vec3 a = areaVector(*f.winding);
        EXPECT_GT(Dot(a, f.plane.normal), 0) << "polygon winds against its plane";
        total += a;
        area += Length(a);
        for (const Vec3& p : f.winding->points()) {
            for (const CQFace& other : b.faces()) {
                if (other.winding) {
                    EXPECT_LE(other.plane.distanceTo(p), 0.02f);
                }
            }
        }
    }
    EXPECT_LE(Length(total), 1e-3f * area) << "faces do not close";
    EXPECT_GT(Volume(b), 0.1f);
}

// Strictly inside, by more than `margin`.
inline bool Contains(const CQBrush& b, Vec3 p, float margin = 0.01f)
{
    if (!b.IsValid()) return false;
    for (const CQFace& f : b.faces()) {
        if (f.winding && f.plane.distanceTo(p) > -margin) return false;
    }
    return true;
}

inline int CountContaining(std::span<const CQBrush> brushes, Vec3 p)
{
    int n = 0;
    for (const CQBrush& b : brushes) n += Contains(b, p) ? 1 : 0;
    return n;
}

inline CQBrush Box(Vec3 mins, Vec3 maxs, std::string_view texture = "WALL1")
{
    NullDebugOutput log;
    CQBrush b;
    b.MakeBox(mins, maxs, texture, log);
    return b;
}

// An entity holding one selected box.
inline CQEntity EntityWithBox(Vec3 mins, Vec3 maxs)
{
    CQEntity e;
    e.AddBrush(Box(mins, maxs));
    return e;
}

// Every corner of every polygon of the brush.
inline std::vector<Vec3> Corners(const CQBrush& b)
{
    std::vector<Vec3> corners;
    for (const CQFace& f : b.faces()) {
        if (f.winding) corners.insert(corners.end(), f.winding->points().begin(), f.winding->points().end());
    }
    return corners;
}

inline bool Near(Vec3 a, Vec3 b, float tolerance = 0.02f)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

inline bool HasCorner(const CQBrush& b, Vec3 p, float tolerance = 0.02f)
{
    for (const Vec3& c : Corners(b)) {
        if (Near(c, p, tolerance)) return true;
    }
    return false;
}

} // namespace vorn::test
