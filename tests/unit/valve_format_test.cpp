#include "box_text.h"
#include "brush_checks.h"
#include "fakes.h"
#include "render/texture_projection.h"
#include "texel_checks.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// A brush block read without a word of complaint.
CQBrush readBlock(std::string_view block)
{
    FakeHost log;
    const CQBrush brush = ReadBlock(block.substr(1), log);
    EXPECT_TRUE(log.debug.empty());
    return brush;
}

} // namespace

TEST(ValveFormat, FaceLinesAreReadAndWrittenBackExactly)
{
    const CQBrush box = readBlock(kValveBoxBlock);
    ExpectSolid(box);
    ASSERT_EQ(box.numfaces(), 6);
    const CQFace& top = box.face(0);
    ASSERT_TRUE(top.axes);
    EXPECT_EQ(top.axes->axis[0], (DVec3{0.8660254037844387, 0.5, 0}));
    EXPECT_EQ(top.axes->offset[0], 12.5);
    EXPECT_EQ(top.axes->offset[1], -3);
    EXPECT_EQ(top.rotation, 30);
    EXPECT_EQ(box.face(1).scale, (std::array<double, 2>{0.5, 2}));
    EXPECT_EQ(NativeFormat(box), MapFormat::Valve220);
    EXPECT_EQ(BrushText(box, MapFormat::Valve220), kValveBoxBlock);

    // The standard line that follows a Valve one is read as standard.
    const std::string mixed = std::string(kValveBoxBlock).insert(2, "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) SKY 4 5 0 1 1\n");
    const CQBrush both = readBlock(mixed);
    EXPECT_FALSE(both.face(0).axes);
    EXPECT_EQ(both.face(0).shift, (std::array<double, 2>{4, 5}));
    EXPECT_TRUE(both.face(1).axes);
}

TEST(ValveFormat, FacesWithoutAxesAreWrittenWithTheAxesOfTheirStandardProjection)
{
    CQBrush box = Box({-32, 16, 0}, {96, 80, 48});
    const float rotations[6] = {0, 90, 30, -45, 180, 135};
    for (int i = 0; i < 6; ++i) {
        CQFace& face = box.face(i);
        face.rotation = rotations[i];
        face.scale = {0.5f, i % 2 ? -1.0f : 2.0f};
        face.shift = {8, -3};
    }
    const std::string valve = BrushText(box, MapFormat::Valve220);
    EXPECT_EQ(valve.substr(0, valve.find('\n', 2) + 1),
              "{\n( -32 16 48 ) ( -32 80 48 ) ( 96 80 48 ) WALL1 [ 1 0 0 8 ] [ 0 -1 0 -3 ] 0 0.5 2\n");

    const CQBrush back = readBlock(valve);
    for (const CQFace& face : back.faces()) EXPECT_TRUE(face.axes);
    ExpectSameTexels(box, back);
    // Axes that a standard projection gave convert back to that projection.
    for (int i = 0; i < 6; ++i) {
        const StandardTexture texture = StandardFromAxes(back.face(i));
        const CQFace& face = box.face(i);
        EXPECT_NEAR(texture.rotation, face.rotation, 1e-9);
        for (size_t k = 0; k < 2; ++k) {
            EXPECT_NEAR(texture.shift[k], face.shift[k], 1e-9);
            EXPECT_NEAR(texture.scale[k], face.scale[k], 1e-9);
        }
    }
}

TEST(ValveFormat, AxesInTheFaceAxisPlaneBecomeTheStandardProjectionThatLaysTheSameTextureAndTheCameraFollowsThem)
{
    const CQBrush box = readBlock(kValveBoxBlock);
    for (int i = 0; i < 5; ++i) { // the last face's t axis leaves its axis plane: no projection matches it
        const CQFace& valve = box.face(i);
        const StandardTexture texture = StandardFromAxes(valve);
        CQFace standard = valve;
        standard.axes.reset();
        standard.rotation = texture.rotation;
        standard.shift = texture.shift;
        standard.scale = texture.scale;
        SCOPED_TRACE("face " + std::to_string(i));
        ExpectSameCornerTexels(CornerTexels(valve), CornerTexels(standard), 1e-3);
    }
    // The camera lays the textures along the axes.
    for (const CQFace& face : box.faces()) {
        const TextureProjection projection(face, {64, 32});
        for (const Vec3& p : face.winding->points()) {
            const auto texel = TexelAt(face, ToDouble(p));
            EXPECT_NEAR(projection.at(p).s, texel[0] / 64, 1e-5);
            EXPECT_NEAR(projection.at(p).t, texel[1] / 32, 1e-5);
        }
    }
    // Written in the standard format, the shifts keep their fractions.
    EXPECT_EQ(BrushText(box, MapFormat::Standard).substr(2, 56), "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL 12.5 -3 30 1 1\n");
}
