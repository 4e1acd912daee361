#include "document/brush_commands.h"

#include "brush_checks.h"
#include "editor_fixture.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

class Transforms : public EditorTest {
protected:
    void rotate(void (*turn)(CQMap&, float, DebugOutput&), float degrees) { turn(map(), degrees, host); }
    void scale(float x, float y, float z)
    {
        map().scale = {x, y, z};
        ScaleSelectionBy(map(), ScaleDirection::Up, host);
    }
};

} // namespace

TEST_F(Transforms, RotatingForthAndBackRestoresThePoints)
{
    makeWorld({{{0, 0, 0}, {128, 64, 32}}});
    select(0, {0});
    const CQBrush before = worldBrush(0);
    const auto expectRestored = [&] {
        for (int i = 0; i < before.numfaces(); ++i) {
            const auto& now = worldBrush(0).face(i).planepts;
            for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(Near(ToFloat(now[k]), ToFloat(before.face(i).planepts[k]), 0.01f)) << i;
        }
    };
    rotate(RotateSelectionZ, 15);
    EXPECT_FALSE(Near(ToFloat(worldBrush(0).face(0).planepts[0]), ToFloat(before.face(0).planepts[0])));
    rotate(RotateSelectionZ, -15);
    expectRestored();
    for (int i = 0; i < 4; ++i) rotate(RotateSelectionX, 90);
    expectRestored();
    for (int i = 0; i < 4; ++i) rotate(RotateSelectionY, 90);
    expectRestored();
}

TEST_F(Transforms, SelectionTurnsAboutTheMeanOfItsCentres)
{
    // Centres (32, 32, 32) and (160, 32, 32); the third is not selected and stays put.
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}, {{0, 512, 0}, {64, 576, 64}}});
    select(0, {0, 1});
    rotate(RotateSelectionZ, 90);
    // About (96, 32, 32); positive angles turn X toward Y about Z, Y toward Z about X, Z toward X about Y.
    EXPECT_TRUE(Near(worldBrush(0).Centre(), {96, -32, 32}));
    EXPECT_TRUE(Near(worldBrush(1).Centre(), {96, 96, 32}));
    rotate(RotateSelectionX, 90);
    EXPECT_TRUE(Near(worldBrush(1).Centre(), {96, 32, 96}));
    rotate(RotateSelectionY, 90);
    EXPECT_TRUE(Near(worldBrush(1).Centre(), {160, 32, 32}));
    EXPECT_EQ(worldBrush(2).Centre(), (Vec3{32, 544, 32}));
    for (const CQBrush& b : world().brushes()) ExpectSolid(b);
}

TEST_F(Transforms, ScaleAboutTheCentreOfTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 0}, {128, 64, 64}}, {{0, 512, 0}, {64, 576, 64}}});
    select(0, {0, 1});
    scale(0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(Near(worldBrush(0).mins(), {32, 16, 16}) && Near(worldBrush(0).maxs(), {64, 48, 48}));
    EXPECT_TRUE(Near(worldBrush(1).mins(), {64, 16, 16}) && Near(worldBrush(1).maxs(), {96, 48, 48}));
    scale(2, 1, 3);
    EXPECT_TRUE(Near(worldBrush(0).mins(), {0, 16, -16}) && Near(worldBrush(1).maxs(), {128, 48, 80}));
    EXPECT_EQ(worldBrush(2).face(0).planepts, box({0, 512, 0}, {64, 576, 64}).face(0).planepts);
    for (const CQBrush& b : world().brushes()) ExpectSolid(b);
}
