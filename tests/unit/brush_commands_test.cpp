#include "document/brush_commands.h"

#include "editor_fixture.h"

#include <functional>
#include <tuple>

using namespace vorn;
using namespace vorn::test;

namespace {

// A Make-into command, how often its dialog opened, and what its defaults make of a 128 x 128 x 64 box.
struct Command {
    const char* name;
    std::function<void(CQMap&, Dialogs&, Host&)> run;
    std::function<size_t(const FakeDialogs&)> opened;
    int brushes;
    int facesOfFirst;
};

const Command kMakeInto[] = {
    {"room", MakeIntoRoom, [](const FakeDialogs& d) { return d.room.openedWith.size(); }, 6, 6},
    {"stairs", MakeIntoStairs, [](const FakeDialogs& d) { return d.stairs.openedWith.size(); }, 4, 6},
    {"ramp", MakeIntoRamp, [](const FakeDialogs& d) { return d.ramp.openedWith.size(); }, 1, 7},
    {"arch", MakeIntoArch, [](const FakeDialogs& d) { return d.arch.openedWith.size(); }, 5, 6},
    {"cylinder", MakeIntoCylinder, [](const FakeDialogs& d) { return d.cylinder.openedWith.size(); }, 1, 10},
    {"spike", MakeIntoSpike, [](const FakeDialogs& d) { return d.spike.openedWith.size(); }, 1, 9},
};

class BrushCommands : public EditorTest {
protected:
    // A freshly read (unmodified) map whose world holds the boxes, the first `selected` selected.
    void load(std::initializer_list<std::pair<Vec3, Vec3>> boxes, int selected)
    {
        makeWorld(boxes);
        for (int i = 0; i < selected; ++i) map().selectBrush({0, i}, true);
        host.updates.clear();
    }
    const CQBrush& box(int i) { return world().brush(i); }
    void run(const Command& c) { c.run(map(), dialogs, host); }
};

} // namespace

TEST_F(BrushCommands, BrushCommandsRefuseWithoutOneSelectedBrushOfAModifiableEntityAndOnCancel)
{
    const auto expectRefused = [&](const std::string& message) {
        for (const Command& c : kMakeInto) {
            host.messages.clear();
            run(c);
            EXPECT_EQ(host.messages, std::vector<std::string>{message}) << c.name;
            EXPECT_EQ(c.opened(dialogs), 0u) << c.name;
        }
    };
    expectRefused("Must create something first");
    load({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}}, 0);
    expectRefused("You must select a brush first");
    load({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}}, 2);
    expectRefused("You must select only one brush");
    addPointEntity("light", {0, 0, 8}); // current with its box selected: its box is never reshaped
    map().selectBrush({1, 0}, true);
    expectRefused("Can't modify brushes in this entity");
    RotateSelectionX(map(), map().rotation.x, host);
    ScaleSelectionBy(map(), ScaleDirection::Up, host);
    EditScaleFactor(map(), dialogs, host);
    EXPECT_EQ(editor.map().entity(1).brushes()[0].maxs(), (Vec3{8, 8, 16}));
    EXPECT_EQ(host.messages.size(), 1u) << "only the last refusal";
    EXPECT_TRUE(dialogs.scale.openedWith.empty());

    load({{{0, 0, 0}, {128, 128, 64}}}, 1);
    host.messages.clear();
    for (const Command& c : kMakeInto) run(c); // each dialog cancelled
    dialogs.room.answer = RoomSettings{0};      // confirmed values are checked again
    dialogs.ramp.answer = RampSettings{static_cast<Compass>(9)};
    MakeIntoRoom(map(), dialogs, host);
    MakeIntoRamp(map(), dialogs, host);
    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "Wall Thickness must be a whole number from 1 to 256.",
                                 "Which end is elevated? must be one of North, South, East, West."}));
    for (const Command& c : kMakeInto) EXPECT_GE(c.opened(dialogs), 1u) << c.name;
    EXPECT_TRUE(host.updates.empty());
    EXPECT_FALSE(map().IsModifiedSinceSave());
    EXPECT_FALSE(map().canUndo());
    ASSERT_EQ(world().brushCount(), 1);
    EXPECT_EQ(box(0).numfaces(), 6);
    map().SetCurrentTexture(""); // the confirmed values are used; new faces get a texture name
    dialogs.cylinder.answer = CylinderSettings{.sides = 6, .thickness = 8};
    MakeIntoCylinder(map(), dialogs, host);
    ASSERT_EQ(world().brushCount(), 6) << "a tube of six walls";
    EXPECT_EQ(box(0).face(0).texture, kNoTexture);
}

TEST_F(BrushCommands, EachMakeIntoReplacesTheBrushWithSelectedSolidsThatSurviveAWriteAndRead)
{
    dialogs.room.confirmAsOpened = dialogs.stairs.confirmAsOpened = dialogs.ramp.confirmAsOpened = true;
    dialogs.arch.confirmAsOpened = dialogs.cylinder.confirmAsOpened = dialogs.spike.confirmAsOpened = true;
    map().SetCurrentTexture("BRICK");
    const auto body = [](const std::string& text) { return text.substr(text.find("// Map Contains")); };
    for (const Command& c : kMakeInto) {
        load({{{0, 0, 0}, {128, 128, 64}}}, 1);
        run(c);
        ASSERT_EQ(world().brushCount(), c.brushes) << c.name;
        EXPECT_EQ(box(0).numfaces(), c.facesOfFirst) << c.name;
        EXPECT_EQ(map().countSelectedBrushes(), c.brushes) << c.name;
        for (const CQBrush& b : world().brushes()) {
            ExpectSolid(b);
            for (const CQFace& f : b.faces()) EXPECT_EQ(f.texture, "BRICK") << c.name;
        }
        EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing) << c.name;
        // Written, read back and written again, the map text is the same (from the brush count on).
        const std::string written = map().WriteMapText("/tmp/shape.map", {});
        FakeHost otherHost;
        Editor other(otherHost, dialogs);
        other.readMapText(written);
        EXPECT_EQ(body(other.map().WriteMapText("/tmp/shape.map", {})), body(written)) << c.name;
    }
}

TEST_F(BrushCommands, RotateAndScaleTheSelectionByTheCheckedSettings)
{
    EditScaleFactor(map(), dialogs, host);
    ScaleSelectionBy(map(), ScaleDirection::Up, host);
    const std::string message = "You must create an entity\n and select a brush first!";
    EXPECT_EQ(host.messages, (std::vector<std::string>{message, message}));
    load({{{0, 0, 0}, {128, 64, 64}}, {{256, 0, 0}, {320, 64, 64}}}, 0);
    RotateSelectionZ(map(), map().rotation.z, host); // nothing selected
    dialogs.rotation.answer = RotationSettings{400, 0, 0};
    EditRotationSettings(map(), dialogs, host);
    EXPECT_EQ(host.messages.back(), "X Angle must be a whole number from -360 to 360.");
    dialogs.rotation.answer = RotationSettings{-360, 90, 90};
    EditRotationSettings(map(), dialogs, host);
    const RotationSettings& opened = dialogs.rotation.openedWith.at(1);
    EXPECT_EQ(std::tuple(opened.x, opened.y, opened.z), std::tuple(15, 15, 15)) << "refused angles are not kept";
    EXPECT_FALSE(map().IsModifiedSinceSave());

    map().selectBrush({0, 0}, true);
    host.updates.clear();
    RotateSelectionZ(map(), map().rotation.z, host);
    EXPECT_TRUE(Near(box(0).mins(), {32, -32, 0}) && Near(box(0).maxs(), {96, 96, 64}));
    EXPECT_EQ(box(1).mins(), (Vec3{256, 0, 0}));
    EXPECT_EQ(host.updates, std::vector<int>{ViewFlags::Editing});
    EXPECT_TRUE(map().IsModifiedSinceSave());
    RotateSelectionZ(map(), -map().rotation.z, host);
    map().selectBrush({0, 1}, true); // both turn about the mean of their centres, (176, 32, 32)
    RotateSelectionY(map(), map().rotation.y, host);
    EXPECT_TRUE(Near(box(1).Centre(), {176, 32, -80}));
    RotateSelectionY(map(), -map().rotation.y, host);
    EXPECT_TRUE(Near(box(1).Centre(), {288, 32, 32}) && Near(box(0).maxs(), {128, 64, 64}));

    load({{{0, 0, 0}, {128, 64, 64}}}, 1);
    ScaleSelectionBy(map(), ScaleDirection::Down, host); // by the default factors of 2, about the centre
    EXPECT_TRUE(Near(box(0).mins(), {32, 16, 16}) && Near(box(0).maxs(), {96, 48, 48}));
    ScaleSelectionBy(map(), ScaleDirection::Up, host);
    EXPECT_TRUE(Near(box(0).mins(), {0, 0, 0}) && Near(box(0).maxs(), {128, 64, 64}));
    EXPECT_TRUE(map().IsModifiedSinceSave());
    dialogs.scale.answer = ScaleSettings{0.5f, 3, 1};
    EditScaleFactor(map(), dialogs, host);
    EXPECT_TRUE(Near(box(0).mins(), {32, -64, 0}) && Near(box(0).maxs(), {96, 128, 64}));
    dialogs.scale.answer = ScaleSettings{1, 0.05f, 1};
    EditScaleFactor(map(), dialogs, host);
    EXPECT_EQ(host.messages.back(), "Y must be a number from 0.1 to 10.");
    EXPECT_TRUE(Near(box(0).maxs(), {96, 128, 64}));

    // A selection scales about its middle; what is not selected stays exactly as it was.
    load({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 0}, {128, 64, 64}}, {{0, 512, 0}, {64, 576, 64}}}, 2);
    map().scale = {0.5f, 0.5f, 0.5f};
    ScaleSelectionBy(map(), ScaleDirection::Up, host);
    EXPECT_TRUE(Near(box(0).mins(), {32, 16, 16}) && Near(box(0).maxs(), {64, 48, 48}) && Near(box(1).maxs(), {96, 48, 48}));
    EXPECT_EQ(box(2).face(0).planepts, Box({0, 512, 0}, {64, 576, 64}).face(0).planepts);
}

// Turns go about the mean of the selected brushes' centres: X toward Y about Z, Y toward Z about
// X, Z toward X about Y. Turned back, or turned a whole turn, every plane point is back in place.
TEST_F(BrushCommands, TurnsGoAboutTheSelectionAndTurnedBackPutEveryPointBack)
{
    load({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}, {{0, 512, 0}, {64, 576, 64}}}, 2);
    const CQBrush first = box(0);
    const auto expectBack = [&] {
        for (int i = 0; i < first.numfaces(); ++i) {
            const auto& now = box(0).face(i).planepts;
            for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(Near(ToFloat(now[k]), ToFloat(first.face(i).planepts[k]), 0.01f)) << i;
        }
    };
    RotateSelectionZ(map(), 15, host);
    EXPECT_FALSE(Near(box(0).Centre(), first.Centre()));
    RotateSelectionZ(map(), -15, host);
    expectBack();
    for (const auto turn : {RotateSelectionX, RotateSelectionY}) {
        for (int i = 0; i < 4; ++i) turn(map(), 90, host);
        expectBack();
    }
    RotateSelectionZ(map(), 90, host); // about (96, 32, 32)
    EXPECT_TRUE(Near(box(0).Centre(), {96, -32, 32}) && Near(box(1).Centre(), {96, 96, 32}));
    RotateSelectionX(map(), 90, host);
    EXPECT_TRUE(Near(box(1).Centre(), {96, 32, 96}));
    RotateSelectionY(map(), 90, host);
    EXPECT_TRUE(Near(box(1).Centre(), {160, 32, 32}));
    EXPECT_EQ(box(2).Centre(), (Vec3{32, 544, 32}));
    for (const CQBrush& b : world().brushes()) ExpectSolid(b);
}
