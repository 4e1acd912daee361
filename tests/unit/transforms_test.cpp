#include "map/entity.h"

#include "brush_checks.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

TEST(Transforms, RotatingForthAndBackRestoresThePoints)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {128, 64, 32});
    const CQBrush before = e.brushes()[0];
    const auto expectRestored = [&] {
        for (int i = 0; i < before.numfaces(); ++i) {
            const auto& now = e.brushes()[0].face(i).planepts;
            for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(Near(ToFloat(now[k]), ToFloat(before.face(i).planepts[k]), 0.01f)) << i;
        }
    };
    e.RotateSelectionZ(15, log);
    EXPECT_FALSE(Near(ToFloat(e.brushes()[0].face(0).planepts[0]), ToFloat(before.face(0).planepts[0])));
    e.RotateSelectionZ(-15, log);
    expectRestored();
    for (int i = 0; i < 4; ++i) e.RotateSelectionX(90, log);
    expectRestored();
    for (int i = 0; i < 4; ++i) e.RotateSelectionY(90, log);
    expectRestored();
}

TEST(Transforms, SelectionTurnsAboutTheMeanOfItsCentres)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64}); // centre (32, 32, 32)
    e.AddBrush(Box({128, 0, 0}, {192, 64, 64}));          // centre (160, 32, 32)
    e.AddBrush(Box({0, 512, 0}, {64, 576, 64}));          // not selected: stays put
    e.brushes()[2].SetSelected(false);
    e.RotateSelectionZ(90, log);
    // About (96, 32, 32); positive angles turn X toward Y about Z, Y toward Z about X, Z toward X about Y.
    EXPECT_TRUE(Near(e.brushes()[0].Centre(), {96, -32, 32}));
    EXPECT_TRUE(Near(e.brushes()[1].Centre(), {96, 96, 32}));
    e.RotateSelectionX(90, log);
    EXPECT_TRUE(Near(e.brushes()[1].Centre(), {96, 32, 96}));
    e.RotateSelectionY(90, log);
    EXPECT_TRUE(Near(e.brushes()[1].Centre(), {160, 32, 32}));
    EXPECT_EQ(e.brushes()[2].Centre(), (Vec3{32, 544, 32}));
    for (const CQBrush& b : e.brushes()) ExpectSolid(b);
}

TEST(Transforms, ScaleAboutTheCentreOfTheSelection)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    e.AddBrush(Box({64, 0, 0}, {128, 64, 64}));
    e.AddBrush(Box({0, 512, 0}, {64, 576, 64}));
    e.brushes()[2].SetSelected(false);
    e.ScaleSelection(0.5f, 0.5f, 0.5f, log);
    EXPECT_TRUE(Near(e.brushes()[0].mins(), {32, 16, 16}) && Near(e.brushes()[0].maxs(), {64, 48, 48}));
    EXPECT_TRUE(Near(e.brushes()[1].mins(), {64, 16, 16}) && Near(e.brushes()[1].maxs(), {96, 48, 48}));
    e.ScaleSelection(2, 1, 3, log);
    EXPECT_TRUE(Near(e.brushes()[0].mins(), {0, 16, -16}) && Near(e.brushes()[1].maxs(), {128, 48, 80}));
    EXPECT_EQ(e.brushes()[2].face(0).planepts, Box({0, 512, 0}, {64, 576, 64}).face(0).planepts);
    for (const CQBrush& b : e.brushes()) ExpectSolid(b);
}
