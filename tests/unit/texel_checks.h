#pragma once

#include "geometry/brush.h"
#include "geometry/texture_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vorn::test {

// The texel coordinates at the corners of a face's polygon.
inline std::vector<std::array<double, 2>> CornerTexels(const CQFace& face)
{
    std::vector<std::array<double, 2>> texels;
    if (face.winding) {
        for (const Vec3& p : face.winding->points()) texels.push_back(TexelAt(face, ToDouble(p)));
    }
    return texels;
}

// The same texels, in whatever order the polygons list their corners.
inline void ExpectSameCornerTexels(const std::vector<std::array<double, 2>>& was, const std::vector<std::array<double, 2>>& now,
                                   double tolerance)
{
    ASSERT_EQ(was.size(), now.size());
    ASSERT_FALSE(was.empty());
    for (const auto& texel : was) {
        const bool found = std::ranges::any_of(now, [&](const auto& t) {
            return std::fabs(t[0] - texel[0]) <= tolerance && std::fabs(t[1] - texel[1]) <= tolerance;
        });
        EXPECT_TRUE(found) << "no corner has texel (" << texel[0] << ", " << texel[1] << ")";
    }
}

// Every face of `after` has at its corners the texels the same face of `before` had at its own.
inline void ExpectSameTexels(const CQBrush& before, const CQBrush& after, double tolerance = 1e-3)
{
    ASSERT_EQ(before.numfaces(), after.numfaces());
    for (int i = 0; i < before.numfaces(); ++i) {
        SCOPED_TRACE("face " + std::to_string(i));
        ExpectSameCornerTexels(CornerTexels(before.face(i)), CornerTexels(after.face(i)), tolerance);
    }
}

} // namespace vorn::test
