#include "geometry/brush.h"
#include "map/brush_text.h"
#include "map/text_reader.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <map>

using namespace vorn;
using vorn::test::RecordingDebug;

namespace {

CQBrush box(Vec3 mins, Vec3 maxs, RecordingDebug& log)
{
    CQBrush b;
    b.MakeBox(mins, maxs, "WALL1", log);
    return b;
}

CQBrush readBrush(std::string_view text, RecordingDebug& log)
{
    TextCursor in(text);
    CQBrush brush;
    ReadBrush(in, brush, log);
    return brush;
}

std::string written(const CQBrush& b)
{
    std::string out;
    AppendBrush(out, b);
    return out;
}

// Every corner of every polygon lies on or behind every other face's plane: the brush is convex
// and closed.
void expectConvex(const CQBrush& b)
{
    for (const CQFace& f : b.faces()) {
        if (!f.winding) continue;
        for (const Vec3& p : f.winding->points()) {
            for (const CQFace& other : b.faces()) {
                if (other.winding) {
                    EXPECT_LE(other.plane.distanceTo(p), 0.02f);
                }
            }
        }
    }
}

class FixedSizes : public TextureSizeSource {
public:
    std::map<std::string, Size, std::less<>> sizes;
    int lookups = 0;
    Size textureSize(std::string_view name) override
    {
        ++lookups;
        const auto it = sizes.find(name);
        return it == sizes.end() ? Size{} : it->second;
    }
};

} // namespace

TEST(Brush, BoxBuildsSixQuadsWithExactBounds)
{
    RecordingDebug log;
    const CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    EXPECT_TRUE(b.IsValid());
    EXPECT_EQ(b.numfaces(), 6);
    EXPECT_EQ(b.CountFaces(), 6);
    for (const CQFace& f : b.faces()) EXPECT_EQ(f.winding->numpoints(), 4);
    EXPECT_EQ(b.mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(b.maxs(), (Vec3{64, 64, 64}));
    EXPECT_EQ(b.Centre(), (Vec3{32, 32, 32}));
    expectConvex(b);
    EXPECT_TRUE(log.lines.empty());
}

TEST(Brush, BoxWithoutVolumeIsInvalidAndKeepsItsCorners)
{
    RecordingDebug log;
    const CQBrush flat = box({0, 0, 0}, {64, 64, 0}, log);
    EXPECT_FALSE(flat.IsValid());
    EXPECT_EQ(flat.numfaces(), 0);
    EXPECT_EQ(flat.maxs(), (Vec3{64, 64, 0}));
}

TEST(Brush, RepeatedPlaneBuildsLikeTheBrushWithoutIt)
{
    RecordingDebug log;
    CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    CQFace repeat = b.face(0);
    b.AddFace(repeat, log);
    b.BuildWindings(log);
    EXPECT_EQ(b.CountFaces(), 6);
    EXPECT_FALSE(b.face(6).winding);
    EXPECT_EQ(written(b), written(box({0, 0, 0}, {64, 64, 64}, log)));
}

TEST(Brush, CollinearFaceGetsNoPolygonButOthersBuild)
{
    RecordingDebug log;
    CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    b.AddFace(CQFace({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, "X"), log);
    EXPECT_TRUE(b.BuildWindings(log));
    EXPECT_EQ(b.CountFaces(), 6);
}

TEST(Brush, CornersNearAWholeNumberSnapTowardZeroOnly)
{
    RecordingDebug log;
    CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    // Move the east side to x = 32.004, then to 31.996.
    for (auto x : {32.004f, 31.996f}) {
        CQBrush moved = b;
        for (int i = 0; i < moved.numfaces(); ++i) {
            CQFace& f = moved.face(i);
            if (f.plane.normal.x == 1) {
                for (Vec3& p : f.planepts) p.x = x;
            }
        }
        moved.BuildWindings(log);
        EXPECT_EQ(moved.maxs().x, x == 32.004f ? 32.0f : 31.996f);
    }
}

TEST(Brush, FullBrushRefusesTheFiftyFirstFace)
{
    RecordingDebug log;
    CQBrush b;
    const CQFace face({0, 0, 0}, {0, 64, 0}, {64, 64, 0}, "X");
    for (int i = 0; i < kMaxFaces; ++i) ASSERT_TRUE(b.AddFace(face, log));
    EXPECT_FALSE(b.AddFace(face, log));
    EXPECT_EQ(b.numfaces(), 50);
    EXPECT_EQ(log.lines, std::vector<std::string>{"CQBrush::AddFace(): Tried to add a face to a full brush!\n"});
}

TEST(Brush, SelectionSetsTheCameraColour)
{
    CQBrush b;
    b.SetSelected(true);
    EXPECT_EQ(b.color(), (std::array<float, 3>{1, 0, 0}));
    b.SetSelected(false);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(b.color(), (std::array<float, 3>{0, 0, 1}));
}

TEST(Brush, CopiesOwnTheirPolygons)
{
    RecordingDebug log;
    CQBrush original = box({0, 0, 0}, {64, 64, 64}, log);
    CQBrush copy = original;
    original.Move({100, 0, 0}, log);
    EXPECT_EQ(copy.mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(copy.face(0).winding->points()[0].x < 100, true);
    EXPECT_NE(copy.face(0).winding->points().data(), original.face(0).winding->points().data());
}

TEST(Brush, MoveAndSetTextureKeepAlignment)
{
    RecordingDebug log;
    CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    b.face(0).shift = {3, 4};
    b.Move({16, -32, 8}, log);
    EXPECT_EQ(b.mins(), (Vec3{16, -32, 8}));
    EXPECT_EQ(b.maxs(), (Vec3{80, 32, 72}));
    b.SetTexture("SKY1");
    for (const CQFace& f : b.faces()) EXPECT_EQ(f.texture, "SKY1");
    EXPECT_EQ(b.face(0).shift, (std::array<float, 2>{3, 4}));
}

TEST(Brush, SegmentThroughBoxEntersTopAndLeavesBottom)
{
    RecordingDebug log;
    const CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    const LineClip clip = b.ClipLineToBrush({32, 32, 4096}, {32, 32, -4096});
    ASSERT_GE(clip.enterFace, 0);
    ASSERT_GE(clip.exitFace, 0);
    EXPECT_EQ(b.face(clip.enterFace).plane.normal, (Vec3{0, 0, 1}));
    EXPECT_EQ(b.face(clip.exitFace).plane.normal, (Vec3{0, 0, -1}));
    EXPECT_FLOAT_EQ(clip.enter.z, 64);
    EXPECT_FLOAT_EQ(clip.exit.z, 0);

    const LineClip miss = b.ClipLineToBrush({100, 32, 4096}, {100, 32, -4096});
    EXPECT_EQ(miss.enterFace, -1);
    EXPECT_EQ(miss.exitFace, -1);
}

TEST(Brush, RayHitsReportDistanceAndInsideStarts)
{
    RecordingDebug log;
    const CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);

    const RayHit fromAbove = b.hitByRay({32, 32, 4096}, {32, 32, -4096}, log);
    EXPECT_TRUE(fromAbove.hit);
    EXPECT_FLOAT_EQ(fromAbove.distance, 4096 - 64);
    EXPECT_EQ(b.face(fromAbove.face).plane.normal, (Vec3{0, 0, 1}));

    const RayHit allInside = b.hitByRay({32, 32, 40}, {32, 32, 30}, log);
    EXPECT_FALSE(allInside.hit);
    EXPECT_EQ(allInside.distance, 0);
    EXPECT_EQ(allInside.face, 0);

    const RayHit leaving = b.hitByRay({32, 32, 40}, {32, 32, -100}, log);
    EXPECT_FALSE(leaving.hit);
    EXPECT_EQ(leaving.distance, -1.0f);

    const RayHit zeroLength = b.hitByRay({32, 32, 40}, {32, 32, 40}, log);
    EXPECT_FALSE(zeroLength.hit);
    EXPECT_EQ(zeroLength.distance, 0);
    EXPECT_TRUE(log.lines.empty());
}

TEST(Brush, CuttingFaceTakesFirstTextureAndDropsEmptyFaces)
{
    RecordingDebug log;
    CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    b.face(0).shift = {8, 8};
    // Keeps x <= 32: the plane x = 32 facing +x.
    CQFace cut({32, 0, 0}, {32, 0, 64}, {32, 64, 64}, "OTHER");
    ASSERT_TRUE(b.addFace(cut, log));
    EXPECT_EQ(b.maxs().x, 32);
    EXPECT_EQ(b.numfaces(), 6); // the old east face lost its polygon and was dropped
    EXPECT_EQ(b.face(5).texture, "WALL1");
    EXPECT_EQ(b.face(5).shift, (std::array<float, 2>{8, 8}));
    expectConvex(b);

    // A plane that leaves nothing: every face loses its polygon.
    CQFace everything({-10, 0, 0}, {-10, 0, 64}, {-10, 64, 64}, "X");
    EXPECT_FALSE(b.addFace(everything, log));
    EXPECT_FALSE(b.IsValid());
}

TEST(Brush, FacesFacingAPointAreTheVerticalSidesItIsOutside)
{
    RecordingDebug log;
    const CQBrush b = box({0, 0, 0}, {64, 64, 64}, log);
    const std::vector<int> east = b.FacesFacing({100, 32, 2048});
    ASSERT_EQ(east.size(), 1u);
    EXPECT_EQ(b.face(east[0]).plane.normal, (Vec3{1, 0, 0}));
    EXPECT_EQ(b.FacesFacing({100, 100, 2048}).size(), 2u);
    EXPECT_TRUE(b.FacesFacing({32, 32, 2048}).empty());
}

TEST(Brush, AlignTexturesShiftsToTheFaceEdges)
{
    RecordingDebug log;
    FixedSizes sizes;
    sizes.sizes["WALL1"] = {64, 64};
    CQBrush b = box({100, 100, 100}, {164, 164, 164}, log);
    b.AlignTextures(sizes);
    EXPECT_EQ(sizes.lookups, 1); // the same name is not looked up again
    for (const CQFace& f : b.faces()) {
        // 164 lies beyond one texture width: the shift moves in steps of 16 until the edge is
        // within 15 texels of a texture boundary.
        EXPECT_EQ(f.shift[0], 32);
        EXPECT_EQ(f.shift[1], -32);
    }
    CQBrush small = box({0, 0, 0}, {40, 40, 40}, log);
    small.AlignTextures(sizes);
    EXPECT_EQ(small.face(0).shift[0], 24); // 64 - 40
}

TEST(Brush, AlignTexturesKeepsShiftsOfUnknownTextures)
{
    RecordingDebug log;
    FixedSizes sizes;
    CQBrush b = box({100, 100, 100}, {164, 164, 164}, log);
    b.face(0).shift = {5, 6};
    b.AlignTextures(sizes);
    EXPECT_EQ(b.face(0).shift, (std::array<float, 2>{5, 6}));
}

TEST(FaceLine, WritesTruncatedNumbersAndSixDecimalScales)
{
    CQFace face({0.9f, -1.7f, 64}, {0, 64, 0}, {64, 64, 0}, "WALL1");
    face.shift = {0.5f, -3.9f};
    face.rotation = 45.7f;
    face.scale = {0.5f, -2.25f};
    std::string out;
    AppendFaceLine(out, face);
    EXPECT_EQ(out, "( 0 -1 64 ) ( 0 64 0 ) ( 64 64 0 ) WALL1 0 -3 45 .500000 -2.250000\n");

    out.clear();
    face.scale = {1, 0.05f};
    AppendFaceLine(out, face);
    EXPECT_TRUE(out.ends_with(" 1.000000 .050000\n"));

    out.clear();
    face.scale = {-0.5f, 0.9999999f};
    AppendFaceLine(out, face);
    EXPECT_TRUE(out.ends_with(" -.500000 1.000000\n"));
}

TEST(FaceLine, ReadsPointsAsIntegersAndShiftsAsFloats)
{
    RecordingDebug log;
    TextCursor in("( 0 0 0.9 ) ( 0 64 0 ) ( 64 64 0 ) WALL1 0.5 0 0 1 1\n}\n");
    CQFace face;
    ASSERT_TRUE(ReadFace(in, face));
    EXPECT_EQ(face.planepts[0], (Vec3{0, 0, 0}));
    EXPECT_EQ(face.planepts[2], (Vec3{64, 64, 0}));
    EXPECT_EQ(face.texture, "WALL1");
    EXPECT_EQ(face.shift[0], 0.5f);
    EXPECT_EQ(face.scale[1], 1.0f);
    EXPECT_FALSE(ReadFace(in, face)); // the closing brace ends the faces
    EXPECT_TRUE(in.atEnd());

    std::string out;
    AppendFaceLine(out, face);
    EXPECT_EQ(out, "( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 ) WALL1 0 0 0 1.000000 1.000000\n");
}

TEST(FaceLine, ZeroScaleIsWrittenAsOneAfterTheBuild)
{
    RecordingDebug log;
    const CQBrush b = readBrush(
        "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) A 0 0 0 0 0\n"
        "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) A 0 0 0 0 0\n"
        "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 ) A 0 0 0 0 0\n"
        "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 ) A 0 0 0 0 0\n"
        "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 ) A 0 0 0 0 0\n"
        "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 ) A 0 0 0 0 0\n"
        "}\n",
        log);
    ASSERT_TRUE(b.IsValid());
    const std::string out = written(b);
    EXPECT_EQ(out.find(" 0.000000"), std::string::npos);
    EXPECT_NE(out.find("A 0 0 0 1.000000 1.000000\n"), std::string::npos);
}

TEST(FaceLine, BrushWrittenAndReadBackBuildsTheSamePolygons)
{
    RecordingDebug log;
    CQBrush original = box({-32, -48, 0}, {32, 48, 96}, log);
    // A slanted cut makes polygons with non-axial corners.
    ASSERT_TRUE(original.addFace(CQFace({-32, -48, 64}, {32, -48, 64}, {32, 48, 96}, "X"), log));
    ASSERT_TRUE(original.addFace(CQFace({0, -48, 0}, {0, -48, 96}, {32, 0, 96}, "X"), log));
    const std::string text = written(original);
    const CQBrush copy = readBrush(std::string_view(text).substr(2), log);
    ASSERT_EQ(copy.numfaces(), original.numfaces());
    for (int i = 0; i < copy.numfaces(); ++i) {
        const auto& a = original.face(i).winding->points();
        const auto& b = copy.face(i).winding->points();
        ASSERT_EQ(a.size(), b.size());
        for (size_t k = 0; k < a.size(); ++k) EXPECT_EQ(a[k], b[k]);
    }
    EXPECT_EQ(written(copy), text);
}

TEST(FaceLine, BrushWithTooManyFacesKeepsFiftyAndCountsTheRest)
{
    RecordingDebug log;
    std::string text;
    for (int i = 0; i < 53; ++i) text += "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) A 0 0 0 1 1\n";
    text += "}\n";
    TextCursor in(text);
    CQBrush b;
    EXPECT_EQ(ReadBrush(in, b, log).facesDropped, 3);
    EXPECT_EQ(b.numfaces(), 50);
    EXPECT_TRUE(in.atEnd());
}
