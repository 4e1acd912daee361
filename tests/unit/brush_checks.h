#pragma once

#include "geometry/brush.h"
#include "map/brush_text.h"
#include "map/entity.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vorn::test {

// Twice the area of a polygon, along its normal: face polygons run clockwise seen from the front.
inline Vec3 areaVector(const FacePolygon& w)
{
    Vec3 sum;
    for (int i = 0; i < w.numpoints(); ++i) sum += Cross(w[(i + 1) % w.numpoints()], w[i]);
    return sum;
}

inline float Volume(const CQBrush& b)
{
    float sum = 0;
    for (const CQFace& f : b.faces()) sum += f.winding ? f.plane.dist * Dot(areaVector(*f.winding), f.plane.normal) : 0;
    return sum / 6.0f;
}

// A real solid: valid, its polygons facing out along their planes, convex (every corner on or
// behind every face plane), closed (the area vectors of its faces cancel out) and not empty.
inline void ExpectSolid(const CQBrush& b)
{
    ASSERT_TRUE(b.IsValid());
    Vec3 total;
    for (const CQFace& f : b.faces()) {
        if (!f.winding) continue;
        total += areaVector(*f.winding);
        EXPECT_GT(Dot(areaVector(*f.winding), f.plane.normal), 0) << "polygon winds against its plane";
        for (const Vec3& p : f.winding->points()) {
            for (const CQFace& o : b.faces()) EXPECT_TRUE(!o.winding || o.plane.distanceTo(p) <= 0.02f) << "not convex";
        }
    }
    EXPECT_LE(Length(total), 1e-3f * Dot(b.maxs() - b.mins(), b.maxs() - b.mins())) << "faces do not close";
    EXPECT_GT(Volume(b), 0.1f);
}

// Strictly inside, by more than `margin`; and how many of the brushes are.
inline bool Contains(const CQBrush& b, Vec3 p, float margin = 0.01f)
{
    return b.IsValid() && std::ranges::none_of(b.faces(), [&](auto& f) { return f.winding && f.plane.distanceTo(p) > -margin; });
}
inline int CountContaining(std::span<const CQBrush> brushes, Vec3 p)
{
    return static_cast<int>(std::ranges::count_if(brushes, [&](const CQBrush& b) { return Contains(b, p); }));
}

inline CQBrush Box(Vec3 mins, Vec3 maxs, std::string_view texture = "WALL1")
{
    NullDebugOutput log;
    CQBrush b;
    b.MakeBox(mins, maxs, texture, log);
    return b;
}
// A brush block read from just after its opening brace, and a brush as a map file holds it.
inline CQBrush ReadBlock(std::string_view afterBrace, DebugOutput& log)
{
    TextCursor in(afterBrace);
    CQBrush brush;
    ReadBrush(in, brush, log);
    return brush;
}
inline std::string BrushText(const CQBrush& b, MapFormat format = MapFormat::Standard)
{
    std::string out;
    AppendBrush(out, b, format);
    return out;
}

inline bool Near(Vec3 a, Vec3 b, float tolerance = 0.02f)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

} // namespace vorn::test
