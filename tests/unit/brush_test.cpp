#include "brush_checks.h"
#include "fakes.h"
#include "geometry/face.h"
#include "geometry/winding.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

std::string faceLine(const CQFace& face)
{
    std::string out;
    AppendFaceLine(out, face, MapFormat::Standard);
    return out;
}

Winding square(float z, float half)
{
    return Winding({{-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}});
}

} // namespace

TEST(Brush, BoxIsASolidOfSixQuadsAndAFlatBoxIsInvalid)
{
    FakeHost log;
    CQBrush b;
    b.MakeBox({0, 0, 0}, {64, 64, 64}, "WALL1", log);
    ExpectSolid(b);
    EXPECT_EQ(b.numfaces(), 6);
    for (const CQFace& f : b.faces()) EXPECT_EQ(f.winding->numpoints(), 4);
    EXPECT_TRUE(b.mins() == kOrigin && b.maxs() == (Vec3{64, 64, 64}));
    EXPECT_TRUE(log.debug.empty()); // the face checks find nothing wrong with a good box

    b.MakeBox({0, 0, 0}, {64, 64, 0}, "WALL1", log);
    EXPECT_FALSE(b.IsValid());
    EXPECT_EQ(b.numfaces(), 0);
    EXPECT_EQ(b.maxs(), (Vec3{64, 64, 0}));
}

// A face that cuts nothing, or has no plane, gets no polygon but stays part of the brush and of
// its text, in its place; so does a scale of 0.
TEST(Brush, FacesWithoutAPolygonAndZeroScalesAreKept)
{
    FakeHost log;
    CQBrush b = Box({0, 0, 0}, {64, 64, 64});
    for (int i = 0; i < b.numfaces(); ++i) b.face(i).scale = {0, -0.0};
    const CQFace repeat = b.face(0);
    b.AddFace(repeat, log);
    b.AddFace(CQFace({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, "X"), log);
    EXPECT_TRUE(b.BuildWindings(log));
    EXPECT_EQ(b.CountFaces(), 6);
    EXPECT_FALSE(b.face(6).winding || b.face(7).winding);
    const std::string text = BrushText(b);
    EXPECT_EQ(std::ranges::count(text, '\n'), 10);
    EXPECT_TRUE(text.ends_with("( 0 0 0 ) ( 1 1 1 ) ( 2 2 2 ) X 0 0 0 1.000000 1.000000\n}\n"));
    EXPECT_NE(text.find("WALL1 0 0 0 .000000 -.000000\n"), std::string::npos);
}

// The faces facing a point are the upright sides it is outside; segments and rays find the faces
// they cross.
TEST(Brush, FacesFacingAPointAndFacesCrossedBySegmentsAndRays)
{
    FakeHost log;
    const CQBrush b = Box({0, 0, 0}, {64, 64, 64});
    const std::vector<int> east = b.FacesFacing({100, 32, 2048}, 2); // high above, yet only the side
    EXPECT_TRUE(east.size() == 1 && b.face(east[0]).plane.normal == (Vec3{1, 0, 0}));
    EXPECT_EQ(b.FacesFacing({100, 100, 2048}, 2).size(), 2u);
    EXPECT_TRUE(b.FacesFacing({32, 32, 2048}, 2).empty());

    const LineClip clip = b.ClipLineToBrush({32, 32, 4096}, {32, 32, -4096});
    ASSERT_GE(clip.enterFace, 0);
    ASSERT_GE(clip.exitFace, 0);
    EXPECT_EQ(b.face(clip.enterFace).plane.normal, (Vec3{0, 0, 1}));
    EXPECT_EQ(b.face(clip.exitFace).plane.normal, (Vec3{0, 0, -1}));
    EXPECT_FLOAT_EQ(clip.enter.z, 64);
    EXPECT_FLOAT_EQ(clip.exit.z, 0);
    const LineClip miss = b.ClipLineToBrush({100, 32, 4096}, {100, 32, -4096});
    EXPECT_EQ(std::pair(miss.enterFace, miss.exitFace), std::pair(-1, -1));

    const RayHit fromAbove = b.hitByRay({32, 32, 4096}, {32, 32, -4096}, log);
    EXPECT_TRUE(fromAbove.hit);
    EXPECT_FLOAT_EQ(fromAbove.distance, 4096 - 64);
    EXPECT_EQ(fromAbove.face, clip.enterFace);
    for (const Vec3 end : {Vec3{32, 32, 30}, Vec3{32, 32, 40}}) { // wholly inside, or of no length
        const RayHit inside = b.hitByRay({32, 32, 40}, end, log);
        EXPECT_FALSE(inside.hit);
        EXPECT_EQ(inside.distance, 0);
    }
    const RayHit leaving = b.hitByRay({32, 32, 40}, {32, 32, -100}, log);
    EXPECT_FALSE(leaving.hit);
    EXPECT_EQ(leaving.distance, -1.0f);
    EXPECT_TRUE(log.debug.empty());
}

TEST(Brush, CuttingFaceTakesFirstTextureAndDropsEmptyFaces)
{
    FakeHost log;
    CQBrush b = Box({0, 0, 0}, {64, 64, 64});
    b.face(0).shift = {8, 8};
    ASSERT_TRUE(b.addFace(CQFace({32, 0, 0}, {32, 0, 64}, {32, 64, 64}, "OTHER"), log)); // keeps x <= 32
    ExpectSolid(b);
    EXPECT_EQ(b.maxs().x, 32);
    EXPECT_EQ(b.numfaces(), 6); // the old east face lost its polygon and was dropped
    EXPECT_EQ(b.face(5).texture, "WALL1");
    EXPECT_EQ(b.face(5).shift, (std::array<double, 2>{8, 8}));

    EXPECT_FALSE(b.addFace(CQFace({-10, 0, 0}, {-10, 0, 64}, {-10, 64, 64}, "X"), log)); // leaves nothing
    EXPECT_FALSE(b.IsValid());
}

TEST(Brush, AlignTexturesShiftsKnownTexturesToTheFaceEdges)
{
    FixedTextureSizes sizes(64, 64, "WALL1");
    CQBrush b = Box({100, 100, 100}, {164, 164, 164});
    b.AlignTextures(sizes);
    // 164 lies beyond one texture width: the shift moves in steps of 16 until the edge is within
    // 15 texels of a texture boundary.
    for (const CQFace& f : b.faces()) EXPECT_EQ(f.shift, (std::array<double, 2>{32, -32}));
    CQBrush small = Box({0, 0, 0}, {40, 40, 40});
    small.AlignTextures(sizes);
    EXPECT_EQ(small.face(0).shift[0], 24); // 64 - 40
    CQBrush unknown = Box({100, 100, 100}, {164, 164, 164}, "OTHER");
    unknown.face(0).shift = {5, 6};
    unknown.AlignTextures(sizes);
    EXPECT_EQ(unknown.face(0).shift, (std::array<double, 2>{5, 6}));
}

// Every number of a face is written so that it reads back to its value; texture numbers keep the
// form they were read in, and those of a new face are written as the standard format always did.
TEST(FaceLine, NumbersReadBackExactlyInTheFormTheyWereRead)
{
    CQFace face({0, 0, 0}, {0, 64, 0}, {64, 64, 0}, "WALL1");
    face.planepts = PlanePoints::Points{DVec3{0.9, -1.7, 1e-16}, face.planepts[1], face.planepts[2]};
    face.shift = {0.5, -3.9};
    face.rotation = 45.7;
    face.scale = {0.5, 1.3200000525};
    EXPECT_EQ(faceLine(face), "( 0.9 -1.7 1e-16 ) ( 0 64 0 ) ( 64 64 0 ) WALL1 0.5 -3.9 45.7 .500000 1.3200000525\n");
    face.planepts = PlanePoints::Points{DVec3{-0.0, 3e9, -123456789012.0}, face.planepts[1], face.planepts[2]}; // whole numbers stay whole, however large
    EXPECT_TRUE(faceLine(face).starts_with("( 0 3000000000 -123456789012 ) "));

    for (const char* line : {"( 0 0 0.9 ) ( 0 64 0 ) ( 64 64 0.30000000000000004 ) W 21.471992 -0.27417 239.99991 1 -1\n",
                             "( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 ) W 0 0 90 -1.000000 1.000000\n",
                             "( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 ) W 8 0 0 0.707107 .500000\n",
                             "( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 ) W 0 0 0 0 1.3200000525\n"}) {
        TextCursor in(line);
        CQFace read;
        ASSERT_EQ(ReadFace(in, read), FaceRead::Face) << line;
        EXPECT_FALSE(read.axes);
        EXPECT_EQ(faceLine(read), line);
    }
}

// A number that cannot be taken as written makes the face malformed, as does a brush that ends
// before its closing brace; the brace itself ends the faces.
TEST(FaceLine, NumbersThatAreNoneAndBrushesCutShortAreMalformed)
{
    for (const char* number : {"nan", "inf", "-inf", "1e400", "0x10", "1.5.2", "12abc", ""}) {
        const std::string line = std::string("( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 ) W ") + number + " 0 0 1 1\n}\n";
        TextCursor in(line);
        CQFace face;
        EXPECT_EQ(ReadFace(in, face), FaceRead::Malformed) << number;
    }
    TextCursor closed("}\n");
    CQFace face;
    EXPECT_EQ(ReadFace(closed, face), FaceRead::End);
    EXPECT_TRUE(closed.atEnd());

    FakeHost log;
    CQBrush b;
    TextCursor cut("\n( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) A 0 0 0 1 1\n( 0 0 64 ) ( 0 6");
    EXPECT_EQ(ReadBrush(cut, b, log).malformedLine, 3);
}

TEST(FaceLine, BrushWrittenAndReadBackBuildsTheSamePolygons)
{
    FakeHost log;
    CQBrush original = Box({-32, -48, 0}, {32, 48, 96});
    // Slanted cuts make polygons with corners off the grid.
    ASSERT_TRUE(original.addFace(CQFace({-32, -48, 64}, {32, -48, 64}, {32, 48, 96}, "X"), log));
    ASSERT_TRUE(original.addFace(CQFace({0, -48, 0}, {0, -48, 96}, {32, 0, 96}, "X"), log));
    const std::string text = BrushText(original);
    const CQBrush copy = ReadBlock(std::string_view(text).substr(2), log);
    ASSERT_EQ(copy.numfaces(), original.numfaces());
    for (int i = 0; i < copy.numfaces(); ++i) {
        EXPECT_TRUE(std::ranges::equal(copy.face(i).winding->points(), original.face(i).winding->points())) << i;
    }
    EXPECT_EQ(BrushText(copy), text);
}

// The editor adds at most fifty faces to a brush; one read from a file keeps all it has.
TEST(Brush, FiftyFacesAtMostAreAddedButAReadBrushKeepsThemAll)
{
    FakeHost log;
    CQBrush b;
    const CQFace face({0, 0, 0}, {0, 64, 0}, {64, 64, 0}, "X");
    for (int i = 0; i < kMaxFaces; ++i) ASSERT_TRUE(b.AddFace(face, log));
    EXPECT_FALSE(b.AddFace(face, log));
    EXPECT_EQ(b.numfaces(), 50);
    EXPECT_EQ(log.debug, std::vector<std::string>{"CQBrush::AddFace(): Tried to add a face to a full brush!\n"});

    // A prism of 60 sides: 62 faces, each with a polygon.
    std::string text;
    for (int k = 0; k < 60; ++k) {
        const auto corner = [](int i) {
            const double a = i * 6.0 * kRadiansPerDegree;
            return std::to_string(std::lround(4096 * std::cos(a))) + " " + std::to_string(std::lround(4096 * std::sin(a)));
        };
        text += "( " + corner(k) + " 0 ) ( " + corner(k) + " 64 ) ( " + corner(k + 1) + " 64 ) A 0 0 0 1 1\n";
    }
    text += "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) A 0 0 0 1 1\n( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) A 0 0 0 1 1\n}\n";
    const CQBrush prism = ReadBlock(text, log);
    EXPECT_EQ(prism.numfaces(), 62);
    EXPECT_EQ(prism.CountFaces(), 62);
    EXPECT_EQ(std::ranges::count(BrushText(prism), '\n'), 64);
}

TEST(Brush, BuildsWholeAndExactFarFromTheOriginAndSnapsCornersTowardZeroOnly)
{
    FakeHost log;
    for (const float far : {11760.0f, -30000.0f, 65000.0f}) {
        CQBrush b;
        b.MakeBox({far, -far, far - 64}, {far + 64, -far + 80, far + 16}, "WALL1", log);
        ExpectSolid(b);
        EXPECT_EQ(b.CountFaces(), 6) << far;
        EXPECT_EQ(std::pair(b.mins(), b.maxs()), std::pair(Vec3{far, -far, far - 64}, Vec3{far + 64, -far + 80, far + 16}));

        // A slanted brush out there builds too, with every corner on its planes.
        b.RotateZ(30, TextureLock::Off, log);
        ExpectSolid(b);
        EXPECT_EQ(b.CountFaces(), 6) << far;
    }
    // Corners near a whole number snap to it toward zero only.
    for (const float x : {32.004f, 31.996f}) {
        CQBrush b = Box({0, 0, 0}, {64, 64, 64});
        b.face(3).planepts.change([&](DVec3& p) { p.x = x; }); // the east side
        b.BuildWindings(log);
        EXPECT_EQ(b.maxs().x, x == 32.004f ? 32.0f : 31.996f);
    }
}

TEST(Windings, BasePolygonIsTheHugeSquareOnThePlaneInOrder)
{
    FakeHost log;
    const std::array<Vec3, 4> up = BasePolyPoints({{0, 0, 1}, 0}, log);
    EXPECT_EQ(up, (std::array<Vec3, 4>{{{8192, 8192, 0}, {8192, -8192, 0}, {-8192, -8192, 0}, {-8192, 8192, 0}}}));
    for (const Vec3& p : BasePolyPoints({{-1, 0, 0}, 16}, log)) {
        EXPECT_EQ(p.x, -16);
        EXPECT_EQ(std::fabs(p.y) + std::fabs(p.z), 2 * 8192);
    }
    EXPECT_TRUE(log.debug.empty());
}

// A clip keeps what is in front of the plane or behind it by less than a tenth, and puts the
// points it splits off exactly on an axial plane, where interpolation would not be exact.
TEST(Windings, ClipKeepsTheFrontWithinATenthAndSplitsExactlyOnAxialPlanes)
{
    FakeHost log;
    const Winding vertical({{0, 0, -37}, {0, 100, -37}, {0, 100, 100}, {0, 0, 100}});
    for (const float side : {1.0f, -1.0f}) {
        const auto kept = ClipWinding(vertical, {{0, 0, side}, side * 33.3f}, log);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(std::ranges::all_of(kept->points(), [&](const Vec3& p) { return side * p.z >= side * 33.3f; }));
        EXPECT_EQ(std::ranges::count(kept->points(), 33.3f, &Vec3::z), 2) << side;
    }
    for (const float z : {10.0f, -0.05f}) {
        const auto kept = ClipWinding(square(z, 32), {{0, 0, 1}, 0}, log);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(std::ranges::equal(kept->points(), square(z, 32).points()));
    }
    EXPECT_FALSE(ClipWinding(square(-10, 32), {{0, 0, 1}, 0}, log));
    const auto cornerCut = ClipWinding(square(0, 32), {Normalized(Vec3{-1, -1, 0}), -40}, log);
    ASSERT_TRUE(cornerCut);
    EXPECT_EQ(cornerCut->numpoints(), 5) << "a corner cut off becomes two";
    EXPECT_TRUE(log.debug.empty());
}

TEST(Windings, CheckFaceReportsEachFinding)
{
    CQFace face;
    face.plane = {{0, 0, 1}, 0};
    // Each finding once; a two-point polygon has two degenerate edges.
    const std::tuple<Winding, const char*, int> findings[] = {
        {Winding({{0, 0, 0}, {64, 0, 0}, {0, 64, 0.2f}}), "CheckFace: point off plane\n", 1},
        {Winding({{0, 0, 0}, {0.05f, 0, 0}}), "CheckFace: 2 points\n", 1},
        {Winding({{0, 0, 0}, {0.05f, 0, 0}}), "CheckFace: degenerate edge\n", 2}};
    for (const auto& [winding, finding, times] : findings) {
        FakeHost log;
        face.winding = winding;
        CheckFace(face, log);
        EXPECT_EQ(log.debugCount(finding), times) << finding;
    }
    FakeHost noWinding;
    face.winding.reset();
    CheckFace(face, noWinding);
    EXPECT_EQ(noWinding.debug, std::vector<std::string>{"CheckFace: no winding\n"});
}
