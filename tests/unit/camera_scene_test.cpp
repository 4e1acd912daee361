#include "editor_fixture.h"
#include "render/camera_projection.h"
#include "render/camera_scene.h"
#include "render/texture_projection.h"

#include <algorithm>
#include <span>
#include <set>

using namespace vorn;
using namespace vorn::test;

namespace {

Vec3 positionOf(const SceneVertex& v) { return {v.position[0], v.position[1], v.position[2]}; }

// The vertices a brush's triangles use, in order.
std::vector<SceneVertex> brushVertices(const CameraScene& scene, BrushId id)
{
    const BrushRange r = scene.range(id);
    return {scene.vertices().begin() + r.firstVertex, scene.vertices().begin() + r.firstVertex + r.vertexRoom};
}

class CameraSceneTest : public EditorTest {
protected:
    BrushId id(int brush) { return worldBrush(brush).id(); }

    CameraScene scene;
    FixedTextureSizes sizes{64, 32, "WALL"};
};

} // namespace

TEST_F(CameraSceneTest, BoxBecomesTwelveTrianglesInSceneSpaceWithYUp)
{
    makeWorld({{{0, 0, 0}, {64, 32, 16}}});
    EXPECT_EQ(scene.rebuild(map(), SceneStyle::Tinted, sizes), 0);
    ASSERT_EQ(scene.vertices().size(), 24u);
    EXPECT_EQ(scene.triangleIndices().size(), 36u);
    EXPECT_EQ(scene.lineIndices().size(), 48u);

    std::set<std::tuple<float, float, float>> corners;
    for (const SceneVertex& v : scene.vertices()) corners.insert({v.position[0], v.position[1], v.position[2]});
    std::set<std::tuple<float, float, float>> expected; // map (x, y, z) is scene (x, z, y)
    for (int i = 0; i < 8; ++i) expected.insert({i & 1 ? 64.0f : 0.0f, i & 4 ? 16.0f : 0.0f, i & 2 ? 32.0f : 0.0f});
    EXPECT_EQ(corners, expected);

    // The top face (map +z) faces scene +y; the north face (map +y) faces scene +z.
    for (const SceneVertex& v : scene.vertices()) {
        const std::vector<int> normal(v.normal, v.normal + 3);
        if (v.position[1] == 16 && v.normal[1] != 0) {
            EXPECT_EQ(normal, (std::vector<int>{0, 127, 0}));
        }
        if (v.position[2] == 32 && v.normal[2] != 0) {
            EXPECT_EQ(normal, (std::vector<int>{0, 0, 127}));
        }
    }
    for (const std::uint32_t i : scene.triangleIndices()) EXPECT_LT(i, scene.vertices().size());
}

TEST_F(CameraSceneTest, OnlyBrushesWithFourPolygonFacesOfAtMost64PointsAreBuilt)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    CQBrush flat;
    flat.MakeBox({0, 0, 0}, {64, 64, 0}, "WALL", host); // no volume: no faces
    CQBrush threeFaces = box({100, 0, 0}, {164, 64, 64});
    for (int f = 3; f < 6; ++f) threeFaces.face(f).winding.reset();
    change([&](MapChange& c) {
        c.addBrush(0, flat);
        c.addBrush(0, threeFaces);
    });
    scene.rebuild(map(), SceneStyle::Tinted, sizes);
    EXPECT_EQ(scene.vertices().size(), 24u);
    EXPECT_EQ(scene.range(id(1)).triangleIndexCount, 0u);
    EXPECT_EQ(scene.range(id(2)).triangleIndexCount, 0u);

    // A face of more than 64 points ends its brush there, and the camera says so.
    std::vector<Vec3> many;
    for (int i = 0; i < 65; ++i) many.push_back({64, static_cast<float>(i), static_cast<float>(i % 2)});
    change([&](MapChange& c) { c.editBrush({0, 0}).face(3).winding = Winding(many); });
    EXPECT_EQ(scene.rebuild(map(), SceneStyle::Tinted, sizes), 1);
    EXPECT_EQ(scene.vertices().size(), 12u) << "the three faces before it stay";
    editor.cameraView().chooseMode(RenderMode::Wireframe);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"A Brush face has more than 64 vertices\nthis is not allowed."}));
}

TEST_F(CameraSceneTest, ColoursFollowTheStyleAndTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}});
    select(0, {1});
    const auto colours = [&](int brush) {
        std::set<std::vector<int>> found;
        for (const SceneVertex& v : brushVertices(scene, id(brush))) found.insert({v.colour[0], v.colour[1], v.colour[2]});
        return found;
    };
    const std::set<std::vector<int>> red{{255, 0, 0}};

    scene.rebuild(map(), SceneStyle::Wireframe, sizes);
    EXPECT_EQ(colours(0), (std::set<std::vector<int>>{{0, 0, 255}}));
    EXPECT_EQ(colours(1), red);

    scene.rebuild(map(), SceneStyle::Textured, sizes);
    EXPECT_EQ(colours(0), (std::set<std::vector<int>>{{255, 255, 255}}));
    EXPECT_EQ(colours(1), red);

    // A point entity's box has no texture: textured, it shows its class's colour (a light's is
    // yellow) on no texture layer.
    const BrushId light = addPointEntity("light", {300, 0, 0}).brush(0).id();
    scene.setEntityClasses(editor.classes());
    scene.rebuild(map(), SceneStyle::Textured, sizes);
    std::set<std::vector<unsigned>> lightFaces;
    for (const SceneVertex& v : brushVertices(scene, light)) lightFaces.insert({v.colour[0], v.colour[1], v.colour[2], v.layer});
    EXPECT_EQ(lightFaces, (std::set<std::vector<unsigned>>{{255, 255, 0, kUntexturedLayer}}));
    EXPECT_EQ(scene.textures().names(), std::vector<std::string>{"WALL"});

    scene.rebuild(map(), SceneStyle::Tinted, sizes);
    const auto tints = colours(0);
    EXPECT_GE(tints.size(), 5u) << "each face its own tint";
    for (const auto& tint : tints) {
        for (int c : tint) EXPECT_TRUE(c >= 127 && c <= 255) << c;
    }
    EXPECT_EQ(colours(1), red);
    scene.rebuild(map(), SceneStyle::Tinted, sizes);
    EXPECT_EQ(colours(0), tints) << "a rebuilt brush keeps its tints";

    // Selecting brushes and faces only recolours them, as a rebuild would colour them.
    for (const SceneStyle style : {SceneStyle::Tinted, SceneStyle::Textured}) {
        scene.rebuild(map(), style, sizes);
        NoticeRecorder notices(map());
        map().SelectAll();
        map().DeselectAll();
        change([&](MapChange& c) {
            c.selectBrush({0, 1}, true);
            c.selectFace({id(0), 2}, true);
        });
        for (const MapNotice& notice : notices.notices) scene.follow(map(), notice, sizes);
        CameraScene rebuilt;
        rebuilt.setEntityClasses(editor.classes());
        rebuilt.rebuild(map(), style, sizes);
        for (const BrushId brush : {id(0), id(1), light}) {
            const auto followed = brushVertices(scene, brush);
            const auto fresh = brushVertices(rebuilt, brush);
            ASSERT_EQ(followed.size(), fresh.size());
            for (size_t v = 0; v < fresh.size(); ++v) {
                EXPECT_TRUE(std::ranges::equal(followed[v].colour, fresh[v].colour)) << "brush " << brush << " vertex " << v;
            }
        }
        EXPECT_FALSE(notices.notices.empty());
    }
}

TEST_F(CameraSceneTest, TextureCoordinatesFollowShiftRotationScaleAndSize)
{
    makeWorld({{{0, 0, 0}, {64, 32, 16}}});
    CQFace top = worldBrush(0).face(0);
    ASSERT_EQ(top.plane.normal, (Vec3{0, 0, 1}));
    top.shift = {8, 4};
    const TexCoord plain = TextureProjection(top, {64, 32}).at({32, 16, 16});
    EXPECT_FLOAT_EQ(plain.s, (32 + 8) / 64.0f);
    EXPECT_FLOAT_EQ(plain.t, (-16 + 4) / 32.0f);

    top.shift = {0, 0};
    top.rotation = 90;
    top.scale = {2, 2};
    const TexCoord turned = TextureProjection(top, {64, 32}).at({32, 16, 16});
    EXPECT_FLOAT_EQ(turned.s, 16 / 2 / 64.0f);
    EXPECT_FLOAT_EQ(turned.t, 32 / 2 / 32.0f);

    // An unknown size counts as 64 × 64; the scene takes its sizes from the source.
    const TexCoord unknown = TextureProjection(top, {}).at({32, 16, 16});
    EXPECT_FLOAT_EQ(unknown.t, 32 / 2 / 64.0f);
    change([&](MapChange& c) { c.editBrush({0, 0}).face(0) = top; });
    scene.rebuild(map(), SceneStyle::Textured, sizes);
    for (const SceneVertex& v : brushVertices(scene, id(0))) {
        if (v.normal[1] != 127) continue;
        const TexCoord at = TextureProjection(top, {64, 32}).at(SceneToMap(positionOf(v)));
        EXPECT_FLOAT_EQ(v.texCoord[0], at.s);
        EXPECT_FLOAT_EQ(v.texCoord[1], at.t);
    }
    EXPECT_EQ(scene.textures().names(), (std::vector<std::string>{"WALL"}));
}

TEST_F(CameraSceneTest, ANoticeRewritesOnlyTheRangesOfTheBrushesItNames)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}});
    scene.rebuild(map(), SceneStyle::Tinted, sizes);
    const auto before = std::vector<SceneVertex>(scene.vertices().begin(), scene.vertices().end());
    EXPECT_TRUE(scene.takeChanges().whole);

    NoticeRecorder notices(map());
    select(0, {1});
    change([&](MapChange& c) { c.editBrush({0, 1}).Move({0, 0, 32}, TextureLock::Off); });
    scene.follow(map(), notices.notices[0], sizes);
    scene.follow(map(), notices.notices[1], sizes);
    const SceneChanges changes = scene.takeChanges();
    const BrushRange moved = scene.range(id(1));
    EXPECT_FALSE(changes.whole);
    ASSERT_EQ(changes.vertices.size(), 2u) << "recoloured, then moved";
    EXPECT_EQ(changes.vertices[1].first, moved.firstVertex);
    EXPECT_EQ(changes.vertices[1].count, 24u);
    EXPECT_EQ(scene.vertices().size(), before.size()) << "updated in place";
    for (size_t i = 0; i < before.size(); ++i) {
        const bool inMoved = i >= moved.firstVertex && i < moved.firstVertex + moved.vertexRoom;
        EXPECT_EQ(before[i].position[1] != scene.vertices()[i].position[1], inMoved) << i;
    }
    EXPECT_TRUE(moved.selected);
    EXPECT_TRUE(scene.takeChanges().vertices.empty()) << "changes are handed out once";

    // A removed brush draws nothing; one added is built at the end.
    notices.notices.clear();
    change([&](MapChange& c) {
        c.removeBrush({0, 0});
        c.addBrush(0, box({0, 0, 100}, {64, 64, 164}));
    });
    const MapNotice notice = notices.takeOnly();
    ASSERT_TRUE(notice.removed.size() == 1 && notice.added.size() == 1);
    scene.follow(map(), notice, sizes);
    EXPECT_FALSE(scene.range(notice.removed[0]).built);
    EXPECT_EQ(scene.range(notice.added[0]).firstVertex, before.size());
    const auto triangles = scene.triangleIndices();
    const BrushRange gone{0, 24, 0, 36, 36};
    for (std::uint32_t i = gone.firstTriangleIndex; i < gone.triangleIndexRoom; ++i) EXPECT_EQ(triangles[i], 0u);

    // A brush that grew moves to the end and leaves its old triangles empty: a corner cut off makes
    // three more corners on the three cut faces, three on the new face.
    const BrushRange old = scene.range(id(0));
    notices.notices.clear();
    change([&](MapChange& c) { ASSERT_TRUE(c.editBrush({0, 0}).addFace(CQFace({164, 16, 96}, {164, 0, 80}, {148, 0, 96}, "WALL"), host)); });
    scene.follow(map(), notices.takeOnly(), sizes);
    const BrushRange grown = scene.range(id(0));
    EXPECT_EQ(grown.firstVertex + grown.vertexRoom, scene.vertices().size()) << "at the end";
    EXPECT_EQ(grown.vertexRoom, 24u + 6u);
    const auto tri = scene.triangleIndices();
    for (std::uint32_t i = old.firstTriangleIndex; i < old.firstTriangleIndex + old.triangleIndexRoom; ++i) {
        EXPECT_EQ(tri[i], old.firstVertex) << "the old place draws nothing";
    }
    for (std::uint32_t i = 0; i < grown.triangleIndexCount; ++i) {
        EXPECT_GE(tri[grown.firstTriangleIndex + i], grown.firstVertex);
        EXPECT_LT(tri[grown.firstTriangleIndex + i], grown.firstVertex + grown.vertexRoom);
    }
}

TEST_F(CameraSceneTest, AFrameDrawsTheBrushesInViewAndAMovedBrushFromWhereItWent)
{
    makeWorld({{{1000, -32, 0}, {1064, 32, 64}},     // ahead
               {{4800, 200, 0}, {4864, 264, 64}},    // ahead, near the far plane
               {{-3000, -32, 0}, {-2936, 32, 64}},   // behind
               {{7000, -32, 0}, {7064, 32, 64}},     // beyond the far plane
               {{1000, 5000, 0}, {1064, 5064, 64}}}); // far off to the left
    scene.rebuild(map(), SceneStyle::Tinted, sizes);
    // At eye height looking east (map +x).
    const CameraProjection projection(MapToScene({0, 0, 32}), MapToScene({1, 0, 0}), {0, 1, 0}, 800, 600);
    SceneRuns runs;
    const auto drawn = [&](int brush) {
        scene.visibleRuns(projection, runs);
        const BrushRange r = scene.range(id(brush));
        const auto within = [](const std::vector<SceneSpan>& spans, size_t first, size_t count) {
            return std::ranges::any_of(spans, [&](const SceneSpan& s) { return s.first <= first && first + count <= s.first + s.count; });
        };
        return within(runs.triangles, r.firstTriangleIndex, r.triangleIndexCount) &&
               within(runs.lines, r.firstLineIndex, r.lineIndexCount);
    };
    EXPECT_TRUE(drawn(0));
    EXPECT_TRUE(drawn(1));
    EXPECT_FALSE(drawn(2));
    EXPECT_FALSE(drawn(3));
    EXPECT_FALSE(drawn(4));

    // The brush ahead goes behind and the one behind comes ahead: each is drawn with its new cell.
    scene.takeChanges();
    NoticeRecorder notices(map());
    change([&](MapChange& c) {
        c.editBrush({0, 0}).Move({-4000, 0, 0}, TextureLock::Off);
        c.editBrush({0, 2}).Move({4000, 0, 0}, TextureLock::Off);
    });
    scene.follow(map(), notices.takeOnly(), sizes);
    EXPECT_FALSE(scene.takeChanges().whole);
    EXPECT_FALSE(drawn(0));
    EXPECT_TRUE(drawn(2));
    EXPECT_TRUE(drawn(1));
}

// A whole build writes the brushes side by side on every core: each brush lands where its range
// says, as it does when built alone, whatever its texture, selection or visibility.
TEST_F(CameraSceneTest, AWholeBuildPlacesEveryBrushAsBuildingItAloneDoes)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    constexpr int kBoxes = 3000; // past a few hundred, the build is shared among threads
    for (int i = 0; i < kBoxes; ++i) {
        const Vec3 mins{static_cast<float>(160 * (i % 60)), static_cast<float>(160 * (i / 60)), 0};
        AppendBrush(text, Box(mins, mins + Vec3{64, 64, static_cast<float>(32 + 16 * (i % 5))}, i % 3 == 0 ? "FLOOR" : "WALL"),
                    MapFormat::Standard);
    }
    editor.readMapText(text + "}\n");
    select(0, {7, 2500});
    change([&](MapChange& c) { c.setHidden(id(1200), true); });

    scene.rebuild(map(), SceneStyle::Textured, sizes);
    CameraScene alone;
    alone.rebuild(CQMap(), SceneStyle::Textured, sizes);
    for (int b = 0; b < kBoxes; ++b) {
        MapNotice notice;
        notice.added = {id(b)};
        alone.follow(map(), notice, sizes);
    }
    for (int b = 0; b < kBoxes; ++b) {
        const BrushRange whole = scene.range(id(b));
        const BrushRange single = alone.range(id(b));
        ASSERT_TRUE(whole.built);
        ASSERT_EQ(whole.vertexRoom, single.vertexRoom) << b;
        ASSERT_EQ(whole.triangleIndexCount, single.triangleIndexCount) << b;
        EXPECT_EQ(whole.selected, b == 7 || b == 2500);
        const auto wholeVertices = brushVertices(scene, id(b));
        const auto singleVertices = brushVertices(alone, id(b));
        ASSERT_TRUE(std::ranges::equal(std::as_bytes(std::span(wholeVertices)), std::as_bytes(std::span(singleVertices)))) << b;
        for (std::uint32_t t = 0; t < whole.triangleIndexCount; ++t) {
            ASSERT_EQ(scene.triangleIndices()[whole.firstTriangleIndex + t] - whole.firstVertex,
                      alone.triangleIndices()[single.firstTriangleIndex + t] - single.firstVertex);
        }
        for (std::uint32_t l = 0; l < whole.lineIndexCount; ++l) {
            ASSERT_EQ(scene.lineIndices()[whole.firstLineIndex + l] - whole.firstVertex,
                      alone.lineIndices()[single.firstLineIndex + l] - single.firstVertex);
        }
    }
    EXPECT_EQ(scene.range(id(1200)).vertexRoom, 0u) << "hidden";
}
