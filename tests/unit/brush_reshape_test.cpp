#include "geometry/brush_reshape.h"

#include "box_text.h"
#include "brush_checks.h"
#include "geometry/brush_shape.h"
#include "geometry/convex_hull.h"
#include "texel_checks.h"

#include <algorithm>
#include <set>
#include <tuple>

using namespace vorn;
using namespace vorn::test;

namespace {

using Points = std::set<std::tuple<double, double, double>>;

Points pointsOf(std::span<const DVec3> points)
{
    Points set;
    for (const DVec3& p : points) set.insert({p.x, p.y, p.z});
    return set;
}

// The box (0, 0, 0)-(64, 64, 64) with its faces textured after their sides.
CQBrush namedBox()
{
    CQBrush box = Box({0, 0, 0}, {64, 64, 64});
    const char* names[] = {"TOP", "BOTTOM", "WEST", "EAST", "SOUTH", "NORTH"};
    for (int f = 0; f < 6; ++f) box.face(f).texture = names[f];
    return box;
}

std::vector<int> cornersAt(const CQBrush& brush, std::initializer_list<DVec3> points)
{
    const BrushShape shape = ShapeOf(brush);
    std::vector<int> corners;
    for (const DVec3& p : points) {
        const auto found = std::ranges::find(shape.vertices, p);
        EXPECT_NE(found, shape.vertices.end());
        corners.push_back(static_cast<int>(found - shape.vertices.begin()));
    }
    return corners;
}

// A real solid whose corners are exactly the points given, each face lying flat on its plane,
// every plane point a whole number.
void expectSolidOf(const CQBrush& b, std::initializer_list<DVec3> corners)
{
    ExpectSolid(b);
    EXPECT_EQ(pointsOf(ShapeOf(b).vertices), pointsOf(std::vector<DVec3>(corners)));
    for (const CQFace& face : b.faces()) {
        ASSERT_TRUE(face.winding);
        for (const Vec3& p : face.winding->points()) EXPECT_NEAR(face.plane.distanceTo(p), 0, 1e-4);
        for (const DVec3& p : face.planepts.points()) EXPECT_EQ(p, (DVec3{std::round(p.x), std::round(p.y), std::round(p.z)}));
    }
}

std::multiset<std::string> textures(const CQBrush& b)
{
    std::multiset<std::string> names;
    for (const CQFace& face : b.faces()) names.insert(face.texture.str());
    return names;
}

} // namespace

TEST(ConvexHull, JoinsCoplanarTrianglesDropsInnerAndEdgePointsAndRefusesFlatPoints)
{
    // A cube's corners with its face centres, its edge middles, its centre and a repeated corner.
    std::vector<DVec3> points;
    for (int i = 0; i < 8; ++i) points.push_back({i & 1 ? 8.0 : 0.0, i & 2 ? 8.0 : 0.0, i & 4 ? 8.0 : 0.0});
    points.insert(points.end(), {{4, 4, 0}, {4, 4, 8}, {0, 4, 4}, {4, 0, 0}, {8, 4, 8}, {4, 4, 4}, {8, 8, 8}});
    const auto hull = ConvexHull(points, 0.001);
    ASSERT_TRUE(hull);
    ASSERT_EQ(hull->size(), 6u);
    for (const HullFace& face : *hull) {
        ASSERT_EQ(face.corners.size(), 4u);
        for (const int c : face.corners) EXPECT_LT(c, 8) << "only the cube's own corners";
        // Counter-clockwise seen from outside.
        const DVec3 a = points[static_cast<size_t>(face.corners[0])];
        EXPECT_GT(Dot(Cross(points[static_cast<size_t>(face.corners[1])] - a, points[static_cast<size_t>(face.corners[2])] - a),
                      face.plane.normal), 0);
    }
    EXPECT_FALSE(ConvexHull(std::vector<DVec3>{{0, 0, 0}, {8, 0, 0}, {0, 8, 0}, {8, 8, 0.0005}}, 0.001)) << "flat";
    EXPECT_FALSE(ConvexHull(std::vector<DVec3>{{0, 0, 0}, {8, 0, 0}, {16, 0, 0}, {4, 0, 0}}, 0.001)) << "on a line";
}

// Corners, edges and faces of a box moved as the views move them: the brush is the solid of its
// new corners, faces that stay flat keep themselves, a face that bends splits into faces with its
// texture, a face moved whole takes its texture along, and corners that meet are one.
TEST(MoveCorners, MakesTheSolidOfTheMovedCorners)
{
    NullDebugOutput log;
    const CQBrush box = namedBox();
    struct Case {
        const char* what;
        std::initializer_list<DVec3> moved;
        DVec3 offset;
        std::initializer_list<DVec3> corners;
        std::multiset<std::string> textures;
    };
    const Case cases[] = {
        {"a top corner out in x and y",
         {{64, 64, 64}},
         {32, 32, 0},
         {{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {64, 64, 0}, {0, 0, 64}, {64, 0, 64}, {0, 64, 64}, {96, 96, 64}},
         {"TOP", "BOTTOM", "WEST", "SOUTH", "EAST", "EAST", "NORTH", "NORTH"}},
        {"a top corner up: the top bends",
         {{64, 64, 64}},
         {0, 0, 32},
         {{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {64, 64, 0}, {0, 0, 64}, {64, 0, 64}, {0, 64, 64}, {64, 64, 96}},
         {"TOP", "TOP", "BOTTOM", "WEST", "EAST", "SOUTH", "NORTH"}},
        {"the top east edge down to the bottom: a ramp",
         {{64, 0, 64}, {64, 64, 64}},
         {0, 0, -64},
         {{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {64, 64, 0}, {0, 0, 64}, {0, 64, 64}},
         {"TOP", "BOTTOM", "WEST", "SOUTH", "NORTH"}},
        {"the top face up",
         {{0, 0, 64}, {64, 0, 64}, {0, 64, 64}, {64, 64, 64}},
         {0, 0, 32},
         {{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {64, 64, 0}, {0, 0, 96}, {64, 0, 96}, {0, 64, 96}, {64, 64, 96}},
         {"TOP", "BOTTOM", "WEST", "EAST", "SOUTH", "NORTH"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Reshaped reshaped = MoveCorners(box, cornersAt(box, c.moved), c.offset, TextureLock::Off, log);
        ASSERT_TRUE(std::holds_alternative<CQBrush>(reshaped));
        const CQBrush& b = std::get<CQBrush>(reshaped);
        expectSolidOf(b, c.corners);
        EXPECT_EQ(textures(b), c.textures);
        EXPECT_EQ(b.id(), box.id());
    }
    // Faces that keep their plane keep their very points; the face moved whole moves its points.
    const CQBrush raised = std::get<CQBrush>(MoveCorners(box, cornersAt(box, cases[3].moved), {0, 0, 32}, TextureLock::Off, log));
    EXPECT_EQ(raised.face(0).planepts[0], (box.face(0).planepts[0] + DVec3{0, 0, 32}));
    EXPECT_EQ(raised.face(1).planepts, box.face(1).planepts);
    // The top slid sideways keeps its texels at its corners with the lock on, and its texture
    // where it lies with the lock off.
    const DVec3 aside{16, 0, 0};
    const auto top = cornersAt(box, cases[3].moved);
    const CQBrush locked = std::get<CQBrush>(MoveCorners(box, top, aside, TextureLock::On, log));
    const CQBrush unlocked = std::get<CQBrush>(MoveCorners(box, top, aside, TextureLock::Off, log));
    for (const Vec3& p : box.face(0).winding->points()) {
        const DVec3 moved = ToDouble(p) + aside;
        EXPECT_NEAR(TexelAt(locked.face(0), moved)[0], TexelAt(box.face(0), ToDouble(p))[0], 1e-6);
        EXPECT_NEAR(TexelAt(unlocked.face(0), moved)[0], TexelAt(box.face(0), moved)[0], 1e-6);
    }
}

TEST(MoveCorners, RefusesAFlatSolidAndACornerMovedInside)
{
    NullDebugOutput log;
    const CQBrush box = namedBox();
    const auto top = cornersAt(box, {{0, 0, 64}, {64, 0, 64}, {0, 64, 64}, {64, 64, 64}});
    const DVec3 down{0, 0, -64};
    EXPECT_EQ(std::get<ReshapeRefusal>(MoveCorners(box, top, down, TextureLock::Off, log)), ReshapeRefusal::NoVolume);
    const auto corner = cornersAt(box, {{64, 64, 64}});
    const DVec3 inward{-48, -48, -48};
    EXPECT_EQ(std::get<ReshapeRefusal>(MoveCorners(box, corner, inward, TextureLock::Off, log)), ReshapeRefusal::NotConvex);
    // Onto the edge of the other corners' solid it would be swallowed too.
    const DVec3 ontoEdge{0, -32, -32};
    EXPECT_EQ(std::get<ReshapeRefusal>(MoveCorners(box, corner, ontoEdge, TextureLock::Off, log)), ReshapeRefusal::NotConvex);
}

// A vertex pulled a unit off a large box leaves faces a fraction of a unit wide, which still
// build: every face of the solid keeps a polygon.
TEST(MoveCorners, SliverFacesKeepTheirPolygons)
{
    NullDebugOutput log;
    const CQBrush big = Box({-512, -512, 0}, {512, 512, 1024});
    const Reshaped reshaped = MoveCorners(big, cornersAt(big, {{512, 512, 1024}}), {1, 0, 1}, TextureLock::Off, log);
    ASSERT_TRUE(std::holds_alternative<CQBrush>(reshaped));
    const CQBrush& b = std::get<CQBrush>(reshaped);
    ExpectSolid(b);
    EXPECT_EQ(b.CountFaces(), b.numfaces());
    EXPECT_GT(b.numfaces(), 6);
}

TEST(MergeBrushes, TouchingBoxesMakeTheirBoxAndAnLShapeItsHull)
{
    NullDebugOutput log;
    CQBrush first = Box({0, 0, 0}, {64, 64, 64}, "FIRST");
    first.setId(7);
    const CQBrush second = Box({64, 0, 0}, {128, 64, 64}, "SECOND");
    const CQBrush* pair[] = {&first, &second};
    const auto merged = MergeBrushes(pair, log);
    ASSERT_TRUE(merged);
    ExpectSolid(*merged);
    EXPECT_EQ(merged->mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(merged->maxs(), (Vec3{128, 64, 64}));
    EXPECT_EQ(merged->numfaces(), 6);
    EXPECT_EQ(merged->id(), 7);
    // The first brush's faces on the box are its own; the east side is the second's.
    EXPECT_EQ(merged->face(0).planepts, first.face(0).planepts);
    EXPECT_EQ(textures(*merged), (std::multiset<std::string>{"FIRST", "FIRST", "FIRST", "FIRST", "FIRST", "SECOND"}));

    const CQBrush leg = Box({0, 64, 0}, {64, 128, 64}, "SECOND");
    const CQBrush* ell[] = {&second, &first, &leg};
    const auto hull = MergeBrushes(ell, log);
    ASSERT_TRUE(hull);
    expectSolidOf(*hull, {{0, 0, 0}, {128, 0, 0}, {128, 64, 0}, {64, 128, 0}, {0, 128, 0},
                          {0, 0, 64}, {128, 0, 64}, {128, 64, 64}, {64, 128, 64}, {0, 128, 64}});
    EXPECT_EQ(hull->numfaces(), 7);
}

TEST(Mirror, KeepsVolumeOutwardFacesAndTexturesMirrored)
{
    NullDebugOutput log;
    const CQBrush ramp = std::get<CQBrush>(MoveCorners(namedBox(), cornersAt(namedBox(), {{64, 0, 64}, {64, 64, 64}}), {0, 0, -64}, TextureLock::Off, log));
    for (int axis = 0; axis < 3; ++axis) {
        SCOPED_TRACE(axis);
        CQBrush mirrored = ramp;
        mirrored.Mirror(axis, TextureLock::Off, log);
        ExpectSolid(mirrored);
        EXPECT_NEAR(Volume(mirrored), Volume(ramp), 1e-3);
        const std::vector<DVec3> images = ShapeOf(mirrored).vertices;
        for (DVec3 v : ShapeOf(ramp).vertices) {
            v[axis] = -v[axis];
            EXPECT_TRUE(std::ranges::find(images, v) != images.end());
        }
        mirrored.Mirror(axis, TextureLock::Off, log);
        EXPECT_EQ(BrushText(mirrored), BrushText(ramp)) << "twice is the brush again";
    }

    // Valve axes are mirrored with the brush: each corner keeps its texel at its image.
    CQBrush valve = ReadBlock(kValveBoxBlock + 1, log);
    CQBrush mirrored = valve;
    mirrored.Mirror(0, TextureLock::Off, log);
    ExpectSolid(mirrored);
    for (int f = 0; f < valve.numfaces(); ++f) {
        std::vector<std::array<double, 2>> images;
        for (const Vec3& p : valve.face(f).winding->points()) images.push_back(TexelAt(mirrored.face(f), {-p.x, p.y, p.z}));
        ExpectSameCornerTexels(CornerTexels(valve.face(f)), images, 1e-6);
    }
}
