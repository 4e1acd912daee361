#include "document/selection_edits.h"
#include "editor_fixture.h"
#include "render/camera_projection.h"
#include "ui/camera_controller.h"
#include "ui/vertex_mode.h"

#include <cmath>

using namespace vorn;
using namespace vorn::test;

namespace {

constexpr float kTolerance = 1e-3f;

class CameraControllerTest : public EditorTest {
protected:
    CameraController& view() { return editor.cameraView(); }
    CameraModel& camera() { return editor.workspace().camera(); }
    BrushRange rangeOf(int entity, int brush) { return view().scene().range(map().entity(entity).brush(brush).id()); }
    MouseInput at(int x, int y, bool shift = false) { return {x, y, shift, false, true}; }
};

} // namespace

TEST_F(CameraControllerTest, ArrowKeysTurnAndWalkPageKeysChangeTheHeightXAndZStrafe)
{
    const float start = camera().heading();
    for (int i = 0; i < 36; ++i) view().keyDown(CameraKey::Left);
    EXPECT_NEAR(camera().heading(), start, kTolerance);
    view().keyDown(CameraKey::Left);
    EXPECT_NEAR(camera().heading() - start, 0.17453292f, kTolerance);
    view().keyDown(CameraKey::Right);
    EXPECT_NEAR(camera().heading(), start, kTolerance);

    EXPECT_EQ(camera().position3D().y, -50);
    view().keyDown(CameraKey::Up);
    EXPECT_NEAR(camera().position3D().y, -34, kTolerance);
    view().keyDown(CameraKey::Down);
    view().keyDown(CameraKey::Down);
    EXPECT_NEAR(camera().position3D().y, -66, kTolerance);

    view().keyDown(CameraKey::PageUp);
    EXPECT_EQ(camera().position3D().z, 80);
    view().keyDown(CameraKey::PageDown);
    view().keyDown(CameraKey::PageDown);
    EXPECT_EQ(camera().position3D().z, 48);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing) << "the XY and Z views show the camera too";

    // X strafes to the right of the heading, Z to the left.
    camera().moveTo(0, 0);
    camera().lookAt(0, 100); // heading 90 degrees, toward map +y
    view().keyDown(CameraKey::X);
    EXPECT_TRUE(Near(camera().position3D(), {16, 0, 48}, kTolerance));
    view().keyDown(CameraKey::Z);
    view().keyDown(CameraKey::Z);
    EXPECT_NEAR(camera().position3D().x, -16, kTolerance);

    const Vec3 before = camera().position3D();
    view().keyDown(CameraKey::Home);
    EXPECT_EQ(camera().position3D(), before);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Camera);
}

TEST_F(CameraControllerTest, DragsAreMeasuredFromThePressPoint)
{
    // Left drag: moving right turns right, moving down walks back.
    view().buttonDown(CameraButton::Left, at(100, 100));
    const float heading = camera().heading();
    EXPECT_TRUE(view().mouseMove(130, 100));
    EXPECT_NEAR(heading - camera().heading(), 30 * 0.017453292f / 3, kTolerance);
    EXPECT_TRUE(view().mouseMove(130, 100)) << "the cursor went back, so the same point turns again";
    EXPECT_NEAR(heading - camera().heading(), 60 * 0.017453292f / 3, kTolerance);
    view().buttonUp(CameraButton::Left);
    EXPECT_FALSE(view().mouseMove(0, 0)) << "no drag after the release";

    camera().lookAt(camera().position3D().x, camera().position3D().y + 100); // north again
    const Vec3 start = camera().position3D();
    view().buttonDown(CameraButton::Left, at(100, 100));
    view().mouseMove(100, 110);
    EXPECT_NEAR(camera().position3D().y, start.y - 30, kTolerance);
    view().buttonUp(CameraButton::Left);

    // Right drag: sideways and up or down.
    view().buttonDown(CameraButton::Right, at(50, 50));
    view().mouseMove(60, 40);
    EXPECT_NEAR(camera().position3D().x, start.x + 30, kTolerance);
    EXPECT_NEAR(camera().position3D().z, start.z + 30, kTolerance);

    // A second button while one is down changes nothing but its own drag flag.
    view().buttonDown(CameraButton::Left, at(0, 0));
    EXPECT_EQ(view().dragStartX(), 50);
    view().buttonUp(CameraButton::Right);
    EXPECT_FALSE(view().mouseMove(10, 10));
}

TEST_F(CameraControllerTest, ModesSwitchTheCameraOnAndAreEachRemembered)
{
    makeWorld({{{-32, 100, 32}, {32, 132, 96}}});
    EXPECT_FALSE(view().isOn());
    EXPECT_TRUE(view().scene().vertices().empty()) << "nothing is built while off";
    // Each mode with the value the settings keep for it, as a restarted editor takes it back.
    for (const auto& [mode, stored] : {std::pair{RenderMode::Gouraud, 0x89}, {RenderMode::FlatShaded, 0x88}, {RenderMode::UnlitFlat, 0xC0},
                                       {RenderMode::Textured, 0x100}, {RenderMode::Wireframe, 0x40}}) {
        view().chooseMode(mode);
        EXPECT_TRUE(view().isOn() && view().mode() == mode);
        EXPECT_EQ(std::pair(editor.prefs().camOn, editor.prefs().camMode), std::pair(1, stored));
        EXPECT_EQ(Editor(host, dialogs, editor.prefs()).cameraView().mode(), mode);
        EXPECT_EQ(view().scene().vertices().size(), 24u);
    }
    view().turnOff();
    EXPECT_EQ(editor.prefs().camOn, 0);
    EXPECT_TRUE(view().scene().vertices().empty());
    AddNewBrush(map(), box({-32, 200, 32}, {32, 232, 96}));
    view().chooseMode(RenderMode::Wireframe);
    EXPECT_EQ(view().scene().vertices().size(), 48u) << "rebuilt from the document";
    EXPECT_TRUE(Editor(host, dialogs, editor.prefs()).cameraView().isOn());
}

TEST_F(CameraControllerTest, TheSceneFollowsDocumentChangesAndNewTextureSources)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    view().chooseMode(RenderMode::Wireframe);
    view().scene().takeChanges();
    AddNewBrush(map(), box({100, 0, 0}, {164, 64, 64}));
    EXPECT_EQ(view().scene().vertices().size(), 48u) << "a new brush joins the scene";
    EXPECT_FALSE(view().scene().takeChanges().whole) << "without a rebuild";
    EXPECT_TRUE(rangeOf(0, 1).selected);

    map().DeselectAll();
    EXPECT_FALSE(rangeOf(0, 1).selected) << "recoloured";
    map().Undo();
    EXPECT_FALSE(rangeOf(0, 0).selected);
    EXPECT_EQ(view().scene().triangleIndices().size(), 72u) << "the undone brush's room draws nothing";

    map().NewMap();
    EXPECT_TRUE(view().scene().vertices().empty());

    // New texture sources renumber the layers and rescale the faces.
    FixedTextureSizes sizes(64, 64);
    NoTextureImages images;
    makeWorld({{{0, 0, 0}, {128, 64, 64}}});
    view().chooseMode(RenderMode::Textured);
    const int generation = view().scene().textures().generation();
    const auto widestS = [&] {
        float s = 0;
        for (const SceneVertex& v : view().scene().vertices()) s = std::max(s, v.texCoord[0]);
        return s;
    };
    EXPECT_FLOAT_EQ(widestS(), 2) << "unknown sizes count as 64";

    sizes.size = {128, 128};
    view().setTextureSources(sizes, images);
    EXPECT_FLOAT_EQ(widestS(), 1);
    EXPECT_NE(view().scene().textures().generation(), generation) << "the pictures are sent again";
    EXPECT_EQ(view().scene().textures().names(), (std::vector<std::string>{"WALL"}));
}

// A Shift click picks the nearest brush under the cursor, and picking it again deselects it; a
// brush of another entity makes it current. Picking is no step.
TEST_F(CameraControllerTest, ShiftClickPicksTheNearestBrushUnderTheCursor)
{
    // In front of the camera (map (0, -50), height 64, looking north): a near box and one behind it.
    makeWorld({{{-32, 100, 32}, {32, 132, 96}}, {{-32, 200, 32}, {32, 232, 96}}});
    camera().placeAt({0, -50, 64});
    camera().lookAtPoint({0, 0, 64});
    addBrushEntity("func_door", {-32, 100, 96}, {32, 132, 160});
    view().setClientSize(200, 100);
    EXPECT_FALSE(view().pickAt(100, 50)) << "nothing is picked while the camera is off";
    view().chooseMode(RenderMode::Wireframe);
    const CameraProjection projection = view().projection();
    EXPECT_TRUE(Near(projection.rayThroughPixel(100, 50).direction, {0, 0, 1}, 0.01f));
    EXPECT_GT(projection.rayThroughPixel(199, 50).direction.x, 0.4f) << "the right edge is toward map +x";
    EXPECT_GT(projection.rayThroughPixel(100, 0).direction.y, 0.2f) << "the top edge is up";

    view().buttonDown(CameraButton::Left, at(100, 50, true));
    view().buttonUp(CameraButton::Left);
    EXPECT_TRUE(selected(0, 0) && !selected(0, 1));
    EXPECT_EQ(map().currentTexture(), "WALL");
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);
    EXPECT_TRUE(rangeOf(0, 0).selected) << "red in the scene";
    EXPECT_FALSE(view().pickAt(100, 99)) << "below the boxes is empty space";
    EXPECT_TRUE(selected(0, 0));
    EXPECT_TRUE(view().pickAt(100, 50));
    EXPECT_FALSE(selected(0, 0)) << "a second pick deselects";
    EXPECT_FALSE(rangeOf(0, 0).selected);

    select(0, {0});
    EXPECT_TRUE(view().pickAt(100, 10));
    EXPECT_EQ(map().GetCurrentEntity(), &map().entity(1));
    EXPECT_TRUE(selected(1, 0) && rangeOf(1, 0).selected);
    EXPECT_FALSE(selected(0, 0) || rangeOf(0, 0).selected) << "the old current entity gave up its selection";
    EXPECT_EQ(map().undoName(), "Add Entity") << "the last step";
}

// In vertex mode the camera shows the selected brush's handles; a click on one selects it instead
// of turning the camera, a Shift click adds another, and of two handles at one pixel the nearer
// is taken.
TEST_F(CameraControllerTest, VertexModeShowsAndPicksHandles)
{
    makeWorld({{{-32, 100, 32}, {32, 132, 96}}});
    select(0, {0});
    camera().placeAt({0, -50, 64});
    camera().lookAtPoint({0, 0, 64});
    view().setClientSize(200, 100);
    view().chooseMode(RenderMode::Wireframe);
    EXPECT_TRUE(view().handlePoints().empty());
    editor.workspace().toggleVertexMode();
    EXPECT_EQ(view().handlePoints().size(), 26u) << "8 corners, 12 edges and 6 faces";

    const auto click = [&](Vec3 handle, bool shift) {
        const auto pixel = view().projection().pixelOf(MapToScene(handle));
        ASSERT_TRUE(pixel);
        view().buttonDown(CameraButton::Left, at(static_cast<int>(std::lround((*pixel)[0])),
                                                 static_cast<int>(std::lround((*pixel)[1])), shift));
        view().buttonUp(CameraButton::Left);
    };
    const auto selectedAt = [&] {
        std::vector<DVec3> at;
        for (const HandleMark& m : editor.workspace().vertexMode().marks(map())) {
            if (m.selected) at.push_back(m.at);
        }
        return at;
    };
    const float heading = camera().heading();
    click({-32, 100, 96}, false);
    EXPECT_EQ(selectedAt(), (std::vector<DVec3>{{-32, 100, 96}}));
    click({32, 100, 32}, true);
    EXPECT_EQ(selectedAt().size(), 2u);
    EXPECT_EQ(camera().heading(), heading);
    EXPECT_TRUE(selected(0, 0)) << "the brush stays selected";
    click({0, 100, 64}, false); // the south face's centre, in front of the north face's
    EXPECT_EQ(selectedAt(), (std::vector<DVec3>{{0, 100, 64}}));
}
