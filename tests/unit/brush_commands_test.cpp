#include "document/brush_commands.h"

#include "brush_checks.h"
#include "editor/editor.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vorn;
using namespace vorn::test;

namespace {

struct Command {
    const char* name;
    std::function<void(Editor&)> run;
    std::function<int(const FakeDialogs&)> opened;
};

const std::vector<Command>& makeIntoCommands()
{
    static const std::vector<Command> commands = {
        {"room", MakeIntoRoom, [](const FakeDialogs& d) { return static_cast<int>(d.room.openedWith.size()); }},
        {"stairs", MakeIntoStairs, [](const FakeDialogs& d) { return static_cast<int>(d.stairs.openedWith.size()); }},
        {"ramp", MakeIntoRamp, [](const FakeDialogs& d) { return static_cast<int>(d.ramp.openedWith.size()); }},
        {"arch", MakeIntoArch, [](const FakeDialogs& d) { return static_cast<int>(d.arch.openedWith.size()); }},
        {"cylinder", MakeIntoCylinder,
         [](const FakeDialogs& d) { return static_cast<int>(d.cylinder.openedWith.size()); }},
        {"spike", MakeIntoSpike, [](const FakeDialogs& d) { return static_cast<int>(d.spike.openedWith.size()); }},
    };
    return commands;
}

// The text of a world holding the given boxes.
std::string worldText(const std::vector<std::pair<Vec3, Vec3>>& boxes)
{
    CQEntity world;
    world.SetValue("\"classname\"", "\"worldspawn\"");
    for (const auto& [lo, hi] : boxes) world.AddBrush(Box(lo, hi));
    std::string text;
    world.Serialize(text);
    return text;
}

class BrushCommands : public ::testing::Test {
protected:
    // A freshly read map (not modified) whose world holds the boxes, the first `selected` of them
    // selected.
    void load(const std::vector<std::pair<Vec3, Vec3>>& boxes, int selected)
    {
        editor.map().NewMap();
        editor.map().ReadMapText(worldText(boxes));
        for (int i = 0; i < selected; ++i) world().brushes()[static_cast<size_t>(i)].SetSelected(true);
        host.updates.clear();
    }
    CQEntity& world() { return editor.map().entity(0); }

    void confirmEveryDialogAsOpened()
    {
        dialogs.room.confirmAsOpened = dialogs.stairs.confirmAsOpened = dialogs.ramp.confirmAsOpened = true;
        dialogs.arch.confirmAsOpened = dialogs.cylinder.confirmAsOpened = dialogs.spike.confirmAsOpened = true;
    }

    FakeHost host;
    FakeDialogs dialogs;
    Editor editor{host, dialogs};
};

// Everything written, apart from the comment header whose time may differ.
std::string withoutComments(const std::string& text)
{
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (text.compare(start, 2, "//") != 0) out.append(text, start, end - start + 1);
        start = end + 1;
    }
    return out;
}

} // namespace

TEST_F(BrushCommands, EmptyMapIsRefusedBeforeAnyDialog)
{
    for (const Command& c : makeIntoCommands()) {
        host.messages.clear();
        c.run(editor);
        EXPECT_EQ(host.messages, std::vector<std::string>{"Must create something first"}) << c.name;
        EXPECT_EQ(c.opened(dialogs), 0) << c.name;
    }
}

TEST_F(BrushCommands, PointEntityIsRefused)
{
    CQEntity light;
    light.SetValue("\"classname\"", "\"light\"");
    light.AddBrush(Box({-8, -8, -8}, {8, 8, 8}));
    light.setModifiable(false);
    editor.map().AddEntity(light);
    for (const Command& c : makeIntoCommands()) {
        host.messages.clear();
        c.run(editor);
        EXPECT_EQ(host.messages, std::vector<std::string>{"Can't modify brushes in this entity"}) << c.name;
        EXPECT_EQ(c.opened(dialogs), 0) << c.name;
    }
}

TEST_F(BrushCommands, NoneOrTwoSelectedAreRefused)
{
    load({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}}, 0);
    for (const Command& c : makeIntoCommands()) {
        host.messages.clear();
        c.run(editor);
        EXPECT_EQ(host.messages, std::vector<std::string>{"You must select a brush first"}) << c.name;
    }
    for (CQBrush& b : world().brushes()) b.SetSelected(true);
    for (const Command& c : makeIntoCommands()) {
        host.messages.clear();
        c.run(editor);
        EXPECT_EQ(host.messages, std::vector<std::string>{"You must select only one brush"}) << c.name;
        EXPECT_EQ(c.opened(dialogs), 0) << c.name;
    }
    EXPECT_EQ(world().brushCount(), 2);
    EXPECT_FALSE(editor.map().IsModifiedSinceSave());
}

TEST_F(BrushCommands, DialogsOpenWithTheirDefaultsAndCancelChangesNothing)
{
    load({{{0, 0, 0}, {128, 128, 64}}}, 1);
    for (const Command& c : makeIntoCommands()) c.run(editor);

    ASSERT_EQ(dialogs.room.openedWith.size(), 1u);
    EXPECT_EQ(dialogs.room.openedWith[0].wallThickness, 16);
    const StairsSettings& stairs = dialogs.stairs.openedWith.at(0);
    EXPECT_EQ(stairs.upEnd, Compass::North);
    EXPECT_EQ(stairs.height, 16);
    EXPECT_EQ(stairs.thickness, 0);
    EXPECT_EQ(dialogs.ramp.openedWith.at(0).elevatedEnd, Compass::North);
    const ArchSettings& arch = dialogs.arch.openedWith.at(0);
    EXPECT_EQ(arch.direction, 0);
    EXPECT_EQ(arch.pieces, 5);
    EXPECT_EQ(arch.thickness, 16);
    const CylinderSettings& cylinder = dialogs.cylinder.openedWith.at(0);
    EXPECT_EQ(cylinder.direction, 0);
    EXPECT_EQ(cylinder.sides, 8);
    EXPECT_EQ(cylinder.thickness, 0);
    const SpikeSettings& spike = dialogs.spike.openedWith.at(0);
    EXPECT_EQ(spike.direction, 0);
    EXPECT_EQ(spike.sides, 8);

    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.updates.empty());
    EXPECT_FALSE(editor.map().IsModifiedSinceSave());
    ASSERT_EQ(world().brushCount(), 1);
    EXPECT_EQ(world().brushes()[0].numfaces(), 6);
}

TEST_F(BrushCommands, ConfirmedValuesOutOfRangeAreRefused)
{
    load({{{0, 0, 0}, {128, 128, 64}}}, 1);
    dialogs.room.answer = RoomSettings{0};
    MakeIntoRoom(editor);
    dialogs.ramp.answer = RampSettings{static_cast<Compass>(9)};
    MakeIntoRamp(editor);
    ArchSettings arch;
    arch.direction = 2;
    dialogs.arch.answer = arch;
    MakeIntoArch(editor);
    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "Wall Thickness must be a whole number from 1 to 256.",
                                 "Which end is elevated? must be one of North, South, East, West.",
                                 "Direction Arch Faces must be one of North/South, East/West.",
                             }));
    EXPECT_FALSE(editor.map().IsModifiedSinceSave());
    ASSERT_EQ(world().brushCount(), 1);
    EXPECT_EQ(world().brushes()[0].numfaces(), 6);
}

TEST_F(BrushCommands, EachCommandReplacesTheBrushAndSurvivesAWriteAndRead)
{
    struct Expected {
        int brushes;
        int facesOfFirst;
    };
    const Expected expected[] = {{6, 6}, {4, 6}, {1, 7}, {5, 6}, {1, 10}, {1, 9}};
    confirmEveryDialogAsOpened();
    editor.map().SetCurrentTexture("BRICK");
    size_t i = 0;
    for (const Command& c : makeIntoCommands()) {
        const Expected want = expected[i++];
        load({{{0, 0, 0}, {128, 128, 64}}}, 1);
        c.run(editor);
        EXPECT_TRUE(host.messages.empty()) << c.name;
        ASSERT_EQ(world().brushCount(), want.brushes) << c.name;
        EXPECT_EQ(world().brushes()[0].numfaces(), want.facesOfFirst) << c.name;
        EXPECT_EQ(world().selectedCount(), want.brushes) << c.name;
        for (const CQBrush& b : world().brushes()) {
            ExpectSolid(b);
            for (const CQFace& f : b.faces()) EXPECT_EQ(f.texture, "BRICK") << c.name;
        }
        EXPECT_TRUE(editor.map().IsModifiedSinceSave()) << c.name;
        EXPECT_EQ(host.lastUpdate(), ViewFlags::All) << c.name;

        // Written, read back and written again, the map text is the same.
        const std::string written = editor.map().WriteMapText("/tmp/shape.map");
        FakeHost otherHost;
        FakeDialogs otherDialogs;
        Editor other(otherHost, otherDialogs);
        other.map().ReadMapText(written);
        ASSERT_EQ(other.map().EntityCount(), 1) << c.name;
        EXPECT_EQ(other.map().entity(0).brushCount(), want.brushes) << c.name;
        EXPECT_EQ(withoutComments(other.map().WriteMapText("/tmp/shape.map")), withoutComments(written)) << c.name;
    }
}

TEST_F(BrushCommands, TubeAndStairsUseTheConfirmedValues)
{
    load({{{0, 0, 0}, {128, 128, 64}}}, 1);
    CylinderSettings tube;
    tube.sides = 6;
    tube.thickness = 8;
    dialogs.cylinder.answer = tube;
    MakeIntoCylinder(editor);
    EXPECT_EQ(world().brushCount(), 6);

    load({{{0, 0, 0}, {128, 128, 64}}}, 1);
    StairsSettings stairs;
    stairs.upEnd = Compass::East;
    stairs.height = 32;
    dialogs.stairs.answer = stairs;
    MakeIntoStairs(editor);
    ASSERT_EQ(world().brushCount(), 2);
    EXPECT_EQ(world().brushes()[0].maxs(), (Vec3{64, 128, 32}));
    EXPECT_EQ(world().brushes()[1].mins(), (Vec3{64, 0, 0}));
}

TEST_F(BrushCommands, RotateTurnsTheSelectionAndRedrawsTheEditingViews)
{
    load({{{0, 0, 0}, {128, 64, 64}}, {{256, 0, 0}, {320, 64, 64}}}, 1);
    editor.map().rotation.z = 90;
    RotateSelection(editor, Axis::Z, Turn::Forward);
    EXPECT_TRUE(Near(world().brushes()[0].mins(), {32, -32, 0}));
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {96, 96, 64}));
    EXPECT_EQ(world().brushes()[1].mins(), (Vec3{256, 0, 0}));
    EXPECT_EQ(host.updates, std::vector<int>{ViewFlags::Editing});
    EXPECT_TRUE(editor.map().IsModifiedSinceSave());

    RotateSelection(editor, Axis::Z, Turn::Back);
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {128, 64, 64}));
    editor.map().rotation.y = 90;
    RotateSelection(editor, Axis::Y, Turn::Back);
    EXPECT_TRUE(Near(world().brushes()[0].mins(), {32, 0, -32}));
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {96, 64, 96}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BrushCommands, RotateWithoutSelectionOrOnAPointEntityDoesNothing)
{
    RotateSelection(editor, Axis::Z, Turn::Forward);
    load({{{0, 0, 0}, {128, 64, 64}}}, 0);
    RotateSelection(editor, Axis::Z, Turn::Forward);
    EXPECT_EQ(world().brushes()[0].maxs(), (Vec3{128, 64, 64}));
    EXPECT_FALSE(editor.map().IsModifiedSinceSave());

    CQEntity light;
    light.AddBrush(Box({-8, -8, -8}, {8, 8, 24}));
    light.setModifiable(false);
    editor.map().AddEntity(light);
    RotateSelection(editor, Axis::X, Turn::Forward);
    EXPECT_EQ(editor.map().entity(1).brushes()[0].maxs(), (Vec3{8, 8, 24}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.updates.empty());
}

TEST_F(BrushCommands, RotationSetupStoresCheckedAnglesOnly)
{
    load({{{0, 0, 0}, {128, 64, 64}}}, 1);
    EditRotationSettings(editor); // cancelled
    ASSERT_EQ(dialogs.rotation.openedWith.size(), 1u);
    EXPECT_EQ(dialogs.rotation.openedWith[0].x, 15);
    EXPECT_EQ(dialogs.rotation.openedWith[0].y, 15);
    EXPECT_EQ(dialogs.rotation.openedWith[0].z, 15);

    dialogs.rotation.answer = RotationSettings{400, 0, 0};
    EditRotationSettings(editor);
    EXPECT_EQ(host.messages, std::vector<std::string>{"X Angle must be a whole number from -360 to 360."});
    EXPECT_EQ(editor.map().rotation.x, 15);

    dialogs.rotation.answer = RotationSettings{-360, 45, 90};
    EditRotationSettings(editor);
    EXPECT_EQ(editor.map().rotation.x, -360);
    EXPECT_EQ(editor.map().rotation.y, 45);
    EXPECT_EQ(editor.map().rotation.z, 90);
    EXPECT_EQ(dialogs.rotation.openedWith.back().x, 15);
    // Nothing turned.
    EXPECT_EQ(world().brushes()[0].maxs(), (Vec3{128, 64, 64}));
}

TEST_F(BrushCommands, ScaleCommandsNeedAnEntity)
{
    EditScaleFactor(editor);
    ScaleSelectionBy(editor, ScaleDirection::Up);
    ScaleSelectionBy(editor, ScaleDirection::Down);
    const std::string message = "You must create an entity\n and select a brush first!";
    EXPECT_EQ(host.messages, (std::vector<std::string>{message, message, message}));
    EXPECT_TRUE(dialogs.scale.openedWith.empty());

    // An entity without a selection: silently nothing.
    host.messages.clear();
    load({{{0, 0, 0}, {64, 64, 64}}}, 0);
    EditScaleFactor(editor);
    ScaleSelectionBy(editor, ScaleDirection::Up);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(dialogs.scale.openedWith.empty());
    EXPECT_EQ(world().brushes()[0].maxs(), (Vec3{64, 64, 64}));
}

TEST_F(BrushCommands, ScaleFactorStoresTheFactorsAndScales)
{
    load({{{0, 0, 0}, {64, 64, 64}}}, 1);
    ScaleSettings equal;
    equal.x = 3;
    equal.makeEqual();
    dialogs.scale.answer = equal;
    EditScaleFactor(editor);
    ASSERT_EQ(dialogs.scale.openedWith.size(), 1u);
    EXPECT_EQ(dialogs.scale.openedWith[0].x, 2);
    EXPECT_EQ(dialogs.scale.openedWith[0].z, 2);
    EXPECT_EQ(editor.map().scale.y, 3);
    EXPECT_TRUE(Near(world().brushes()[0].mins(), {-64, -64, -64}));
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {128, 128, 128}));
    EXPECT_EQ(host.updates, std::vector<int>{ViewFlags::XYZ});
    EXPECT_TRUE(editor.map().IsModifiedSinceSave());

    ScaleSettings tooSmall;
    tooSmall.y = 0.05f;
    dialogs.scale.answer = tooSmall;
    EditScaleFactor(editor);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Y must be a number from 0.1 to 10."});
    EXPECT_EQ(editor.map().scale.y, 3);
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {128, 128, 128}));
}

TEST_F(BrushCommands, ScaleDownUndoesScaleUp)
{
    load({{{0, 0, 0}, {64, 64, 64}}}, 1);
    ScaleSelectionBy(editor, ScaleDirection::Down);
    EXPECT_TRUE(Near(world().brushes()[0].mins(), {16, 16, 16}));
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {48, 48, 48}));
    ScaleSelectionBy(editor, ScaleDirection::Up);
    EXPECT_TRUE(Near(world().brushes()[0].mins(), {0, 0, 0}));
    EXPECT_TRUE(Near(world().brushes()[0].maxs(), {64, 64, 64}));
    EXPECT_EQ(host.updates, (std::vector<int>{ViewFlags::Editing, ViewFlags::Editing}));
}
