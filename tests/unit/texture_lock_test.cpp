#include "box_text.h"
#include "brush_checks.h"
#include "fakes.h"
#include "map/brush_text.h"
#include "map/entity.h"
#include "map/text_reader.h"
#include "recording_debug.h"
#include "texel_checks.h"

#include <gtest/gtest.h>

#include <map>

using namespace vorn;
using namespace vorn::test;

namespace {

CQBrush valveBox()
{
    NullDebugOutput log;
    TextCursor in(kValveBoxBlock + 1); // after the opening brace
    CQBrush b;
    ReadBrush(in, b, log);
    return b;
}

class SquareTextures : public TextureSizeSource {
public:
    Size textureSize(std::string_view) override { return {64, 64}; }
};

} // namespace

TEST(TextureLock, ValveBoxMovedTurnedAndStretchedKeepsTheTexelOfEveryCorner)
{
    RecordingDebug log;
    CQEntity e;
    e.AddBrush(valveBox());
    const CQBrush& box = e.brushes()[0];
    ExpectSolid(box);

    CQBrush before = box;
    e.MoveSelected({16, 8, 0}, log);
    EXPECT_EQ(box.mins(), (Vec3{16, 8, 0}));
    ExpectSameTexels(before, box);

    before = box;
    e.RotateSelectionZ(90, log);
    EXPECT_TRUE(Near(box.Centre(), {48, 40, 32}));
    EXPECT_EQ(box.face(0).axes->axis[0], (DVec3{-0.5, 0.8660254037844387, 0})) << "quarter turns are exact";
    ExpectSameTexels(before, box);

    before = box;
    e.RotateSelectionX(15, log);
    e.ScaleSelection(2, 1, 0.5f, log);
    ExpectSolid(box);
    ExpectSameTexels(before, box);
    EXPECT_TRUE(log.lines.empty());
}

TEST(TextureLock, StandardFacesKeepTheirTextureWhereItLies)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    e.brushes()[0].face(0).shift = {5, 7};
    e.MoveSelected({16, 8, 0}, log);
    e.RotateSelectionZ(90, log);
    EXPECT_EQ(e.brushes()[0].face(0).shift, (std::array<float, 2>{5, 7}));
    EXPECT_FALSE(e.brushes()[0].face(0).axes);
}

TEST(TextureLock, BrushGroupOfValveBrushesKeepsTheirAxesAndTheirTextures)
{
    FakeHost host;
    CQEntity source;
    source.AddBrush(valveBox());
    std::string group;
    source.SerializeBrushGroup(group);
    EXPECT_NE(group.find("[ 0 1 0 0.25 ]"), std::string::npos);

    CQEntity target;
    TextCursor in(group);
    ASSERT_EQ(target.LoadBrushGroup(in, {{320, 160, 0}, false, 16}, host), 1);
    const CQBrush& loaded = target.brushes()[0];
    EXPECT_EQ(loaded.mins(), (Vec3{288, 128, -32})); // centred on the target at height 0
    ExpectSameTexels(source.brushes()[0], loaded);
}

TEST(TextureLock, AlignmentAlongAxesMatchesTheStandardAlignmentForTheSameLaying)
{
    SquareTextures sizes;
    CQBrush standard = Box({100, 100, 100}, {164, 164, 140});
    CQBrush valve = standard;
    for (int i = 0; i < valve.numfaces(); ++i) valve.face(i).axes = StandardAxes(valve.face(i));
    standard.AlignTextures(sizes);
    valve.AlignTextures(sizes);
    ExpectSameTexels(standard, valve, 0);

    // Turned and stretched axes align along themselves: along each axis the face's last corner
    // comes to lie within 16 texels of a texture edge.
    CQBrush turned = valveBox();
    turned.AlignTextures(sizes);
    for (const CQFace& face : turned.faces()) {
        const auto texels = CornerTexels(face);
        ASSERT_FALSE(texels.empty());
        for (size_t k = 0; k < 2; ++k) {
            const auto last = std::ranges::max(texels, {}, [k](const auto& t) { return k == 0 ? t[0] : -t[1]; });
            EXPECT_LT(std::fabs(std::remainder(last[k], 64.0)), 16) << k;
        }
    }
}
