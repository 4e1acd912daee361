#include "editor_fixture.h"
#include "model_files.h"
#include "render/camera_scene.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace vorn;
using namespace vorn::test;

namespace {

// An editor whose entity list names a model for one point class, with that model in its game
// folder, the camera on.
class EntityModelSceneTest : public EditorTest {
protected:
    EntityModelSceneTest()
    {
        scratch.write("quake/id1/pak0.pak", pakOf({{"progs/tetra.mdl", tetrahedron()}}));
        editor.prefs().entityList = scratch.write("classes.fgd", "@PointClass size(-16 -16 -16, 16 16 16) model(\":progs/tetra.mdl\") = "
                                                                 "monster_tetra []\n"
                                                                 "@PointClass model(\":progs/none.mdl\") = monster_none []\n"
                                                                 "@SolidClass = worldspawn []\n");
        EXPECT_FALSE(editor.loadEntityClasses());
        editor.prefs().gameFolder = (scratch.path() / "quake").string();
        editor.gameFolderChanged();
        makeWorld({{{0, 0, 0}, {64, 64, 64}}});
        editor.cameraView().chooseMode(RenderMode::FlatShaded);
    }

    const CameraScene& scene() { return editor.cameraView().scene(); }

    // The vertices the entity's triangles use.
    std::vector<SceneVertex> verticesOf(int entity)
    {
        const BrushRange r = scene().range(map().entity(entity).brush(0).id());
        std::vector<SceneVertex> used;
        for (const std::uint32_t index : scene().triangleIndices().subspan(r.firstTriangleIndex, r.triangleIndexCount)) {
            used.push_back(scene().vertices()[index]);
        }
        return used;
    }

    // The scene points of an entity's vertices, rounded to whole units.
    std::set<std::vector<int>> pointsOf(int entity)
    {
        std::set<std::vector<int>> points;
        for (const SceneVertex& v : verticesOf(entity)) {
            points.insert({static_cast<int>(std::lround(v.position[0])), static_cast<int>(std::lround(v.position[1])),
                           static_cast<int>(std::lround(v.position[2]))});
        }
        return points;
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(EntityModelSceneTest, APointEntityShowsItsClassModelTurnedByItsAngleAndOthersShowTheirBoxes)
{
    addPointEntity("monster_tetra", {100, 0, 8});
    addPointEntity("monster_none", {0, 100, 8});
    setValue(1, "\"angle\"", "\"90\"");

    // Four triangles of the tetrahedron, turned a quarter about the vertical; map (x, y, z) is
    // scene (x, z, y).
    ASSERT_EQ(verticesOf(1).size(), 12u);
    EXPECT_EQ(pointsOf(1), (std::set<std::vector<int>>{{100, 8, 0}, {100, 8, 16}, {84, 8, 0}, {100, 24, 0}}));
    const SceneVertex first = verticesOf(1).front();
    EXPECT_EQ(first.normal[3], kAlwaysTextured);
    ASSERT_TRUE(scene().textures().picture(first.layer));
    EXPECT_EQ(scene().textures().picture(first.layer)->width, 4);
    EXPECT_EQ(verticesOf(2).size(), 36u) << "a model that is not there leaves the box";

    // Another angle turns it again; another game folder without the model shows the box.
    setValue(1, "\"angle\"", "\"180\"");
    EXPECT_EQ(pointsOf(1), (std::set<std::vector<int>>{{100, 8, 0}, {84, 8, 0}, {100, 8, -16}, {100, 24, 0}}));
    editor.prefs().gameFolder = scratch.path().string();
    editor.gameFolderChanged();
    EXPECT_EQ(verticesOf(1).size(), 36u);
    EXPECT_TRUE(host.messages.empty());
}
