#include "document/brush_commands.h"
#include "document/brush_group_commands.h"
#include "document/clipboard.h"
#include "document/edit_commands.h"
#include "document/entity_commands.h"
#include "document/selection_edits.h"
#include "editor_fixture.h"

#include <functional>

using namespace vorn;
using namespace vorn::test;

namespace {

// A world of three boxes A, B and C, a light and a door, with an 800 x 600 XY view centred on
// the origin and a 200 x 300 Z view.
class UndoTest : public EditorTest {
protected:
    UndoTest()
    {
        editor.xyView().setClientSize(800, 600);
        editor.zView().setClientSize(200, 300, 16);
        dialogs.room.confirmAsOpened = dialogs.stairs.confirmAsOpened = dialogs.ramp.confirmAsOpened = true;
        dialogs.arch.confirmAsOpened = dialogs.cylinder.confirmAsOpened = dialogs.spike.confirmAsOpened = true;
    }

    void makeMap()
    {
        makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{200, 0, 0}, {264, 64, 64}}, {{300, 0, 0}, {364, 64, 64}}});
        addPointEntity("light", {500, 500, 32});
        addBrushEntity("func_door", {600, 0, 0}, {664, 64, 64});
        // Opened afresh: nothing to undo, nothing modified.
        ASSERT_TRUE(editor.saveMap(path("start.map")));
        ASSERT_TRUE(editor.openMap(path("start.map")));
        editor.xyView().centreOn(0, 0);
    }
    void dragXY(Vec3 from, Vec3 to) { drag(editor.xyView(), xyAt(from.x, from.y), xyAt(to.x, to.y), 4); }
    void dragZ(int x, float fromZ, float toZ) { drag(editor.zView(), zAt(x, fromZ), zAt(x, toZ), 2); }
};

// One command as the user gives it: what it starts from, what it does and the step it makes.
struct Command {
    const char* step;
    std::function<void()> prepare;
    std::function<void()> run;
};

} // namespace

// Every command that changes the map is one step: undone, the map writes the same bytes as before
// and has the selection it had; redone, it writes the same bytes as after.
TEST_F(UndoTest, EveryCommandAndDragIsOneStepThatUndoesAndRedoesExactly)
{
    const auto selectA = [this] { select(0, {0}); };
    const auto selectB = [this] { select(0, {1}); };
    const auto copy = [this] { CopySelection(map(), editor.clipboard()); };
    const auto paste = [this] { PasteBrushes(map(), editor.clipboard(), editor.pastePlacement(), host); };
    const auto properties = [this] { ShowEntityProperties(map(), dialogs, editor.classes(), host); };
    const auto changeClassTo = [this](const char* name) {
        dialogs.editEntity = [name](EntityPropertiesForm& form, const EntityClassList& classes) { return form.changeClass(name, classes), true; };
    };
    FixedTextureSizes sizes48(48, 48);
    const Command commands[] = {
        {"Cut", selectB, [this] { CutSelection(map(), editor.clipboard(), host); }},
        {"Paste", [&] { select(0, {1, 2}), copy(), editor.xyView().mouseMove(xyAt(-300, -300)); }, paste},
        {"Paste", [&] { selectWholeEntity(1), copy(); }, paste},
        {"Paste in Place", [&] { select(0, {1, 2}), copy(); }, [this] { PasteInPlace(map(), editor.clipboard(), host); }},
        {"Duplicate", selectB, [this] { DuplicateSelection(map(), {16, -16, 0}, host); }},
        {"Apply Texture", [this] { select(0, {0, 2}), dialogs.texture = "BRICK"; }, [this] { ChooseTexture(map(), dialogs, ""); }},
        {"Scale", [this] { select(0, {0}), dialogs.scale.answer = ScaleSettings{0.5f, 2, 1}; }, [this] { EditScaleFactor(map(), dialogs, host); }},
        {"Make Entity", [&] { select(0, {1, 2}), changeClassTo("func_door"); }, [this] { MakeIntoEntity(map(), dialogs, editor.classes(), host); }},
        {"Make Room", selectA, [this] { MakeIntoRoom(map(), dialogs, host); }},
        {"Make Stairs", selectA, [this] { MakeIntoStairs(map(), dialogs, host); }},
        {"Make Arch", selectA, [this] { MakeIntoArch(map(), dialogs, host); }},
        {"Make Cylinder", selectA, [this] { MakeIntoCylinder(map(), dialogs, host); }},
        {"Make Spike", selectA, [this] { MakeIntoSpike(map(), dialogs, host); }},
        {"Make Ramp", selectA, [this] { MakeIntoRamp(map(), dialogs, host); }},
        {"Load Brushes", [this] { host.file = path("pair.vbr"), select(0, {1, 2}), SaveBrushSelection(map(), host), select(0, {0}); },
         [this] { LoadBrushSelection(map(), host, editor.columnPlacement()); }},
        {"Rotate", selectA, [this] { RotateSelectionZ(map(), -map().rotation.z, host); }},
        {"Scale", selectB, [this] { ScaleSelectionBy(map(), ScaleDirection::Up, host); }},
        {"Mirror", [this] { select(0, {0, 1}); }, [this] { MirrorSelection(map(), 0, host); }},
        {"Merge", [this] { select(0, {1, 2}); }, [this] { MergeSelection(map(), host); }},
        {"Entity Properties", [&] { map().SetCurrentEntityByIndex(1), changeClassTo("info_player_start"); }, properties},
        {"Map Properties", [this] { dialogs.editWorld = [](MapPropertiesForm& form) { return form.name = "Hall", true; }; }, properties},
        {"Connect Entities", [this] { map().SetCurrentEntityByIndex(2); },
         [this] { ConnectEntities(map(), host, {500, 500, 4096}, {500, 500, -4096}, editor.prefs().curTargetId); }},
        {"Create Brush", [] {}, [this] { dragXY({-200, -200, 0}, {-100, -150, 0}); }},
        {"Move", [this] { select(0, {1, 2}); }, [this] { dragXY({232, 32, 0}, {232, 96, 0}); }},
        {"Resize Brush", selectB, [this] { dragXY({280, 32, 0}, {312, 32, 0}); }},
        {"Move Vertices", [this] { select(0, {1}), editor.workspace().toggleVertexMode(); }, [this] { dragXY({264, 64, 0}, {296, 96, 0}); }},
        {"Move Vertices", [this] { select(0, {1}), editor.workspace().toggleVertexMode(), dragXY({232, 64, 0}, {232, 64, 0}); },
         [this] { editor.xyView().keyDown(ViewKey::Up); }},
        {"Move", selectB, [this] { editor.xyView().keyDown(ViewKey::Left); }},
        {"Move", [this] { selectWholeEntity(1); }, [this] { editor.xyView().keyDown(ViewKey::Up); }},
        {"Move", selectB, [this] { dragZ(100, 20, 52); }},
        {"Resize Brush", selectB, [this] { dragZ(195, 100, 116); }},
        {"Clip",
         [this] {
             select(0, {0, 1});
             editor.workspace().toggleClipperMode();
             for (const float x : {0, 400}) editor.workspace().clipPoints().AddClipPoint(x, 32, 0, 64);
         },
         [this] { editor.xyView().keyDown(ViewKey::Enter); }},
        {"Subtract",
         [this] {
             // A cutter across A and B, in a map opened afresh so that making it is no step.
             AddNewBrush(map(), Box({100, 16, 16}, {232, 48, 48}));
             ASSERT_TRUE(editor.saveMap(path("start.map")));
             ASSERT_TRUE(editor.openMap(path("start.map")));
             select(0, {3});
         },
         [this] { editor.xyView().keyDown(ViewKey::Minus); }},
        {"Delete", [this] { select(0, {0, 2}); }, [this] { editor.zView().keyDown(ViewKey::Delete); }},
        {"Delete", [this] { selectWholeEntity(2); }, [this] { editor.xyView().keyDown(ViewKey::Delete); }},
        {"Apply Texture", [this] { select(0, {1}), map().SetCurrentTexture("METAL"); }, [this] { ApplyTextureToSelection(map()); }},
        {"Align Texture", selectB, [&] { AlignTexturesOfSelection(map(), sizes48); }}, // a box of 64 moves its textures
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(command.step);
        makeMap();
        command.prepare();
        const std::string before = mapText();
        const SelectionState selectedBefore = map().selectionState();
        command.run();
        ASSERT_TRUE(map().canUndo());
        EXPECT_EQ(map().undoName(), command.step);
        EXPECT_TRUE(map().IsModifiedSinceSave());
        const std::string after = mapText();
        const SelectionState selectedAfter = map().selectionState();
        ASSERT_NE(after, before);

        map().Undo();
        EXPECT_EQ(mapText(), before);
        EXPECT_EQ(map().selectionState(), selectedBefore);
        EXPECT_FALSE(map().canUndo()) << "one step";
        EXPECT_FALSE(map().IsModifiedSinceSave());
        ASSERT_TRUE(map().canRedo());
        EXPECT_EQ(map().redoName(), command.step);
        map().Redo();
        EXPECT_EQ(mapText(), after);
        EXPECT_EQ(map().selectionState(), selectedAfter);
        EXPECT_FALSE(map().canRedo());
        if (editor.workspace().clipperMode()) editor.workspace().toggleClipperMode();
        editor.workspace().vertexMode().setOn(false);
    }
}

// A step that edits hundreds of brushes keeps their copies apart from the heap; undone and redone
// over and over, and outlived by the steps after it, it still gives back the same bytes.
TEST_F(UndoTest, AStepOverManyBrushesUndoesAndRedoesExactly)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < 700; ++i) {
        const Vec3 mins{static_cast<float>(i % 30 * 80), static_cast<float>(i / 30 * 80), 0};
        AppendBrush(text, box(mins, mins + Vec3{64, 48, 32}), MapFormat::Standard);
    }
    editor.readMapText(text + "}\n");
    map().SelectAll();
    const std::string before = mapText();
    RotateSelectionZ(map(), map().rotation.z, host);
    const std::string after = mapText();
    ASSERT_NE(after, before);
    for (int round = 0; round < 2; ++round) {
        map().Undo();
        EXPECT_EQ(mapText(), before);
        map().Redo();
        EXPECT_EQ(mapText(), after);
    }
    map().Undo();
    NudgeSelection(map(), {16, 0, 0}); // drops the rotation, copies and all
    map().Undo();
    EXPECT_EQ(mapText(), before);
}

namespace {

// Everything a brush holds as numbers, polygons and planes too, with its textures' names.
std::pair<std::vector<double>, std::string> brushState(const CQBrush& b)
{
    std::vector<double> numbers{b.mins().x, b.mins().y, b.mins().z, b.maxs().x, b.maxs().y, b.maxs().z};
    std::string textures;
    for (const CQFace& f : b.faces()) {
        for (const DVec3& p : f.planepts.points()) numbers.insert(numbers.end(), {p.x, p.y, p.z});
        numbers.insert(numbers.end(), {f.plane.normal.x, f.plane.normal.y, f.plane.normal.z, f.plane.dist, f.rotation});
        numbers.insert(numbers.end(), {f.shift[0], f.shift[1], f.scale[0], f.scale[1]});
        if (f.winding) {
            for (const Vec3& p : f.winding->points()) numbers.insert(numbers.end(), {p.x, p.y, p.z});
        }
        textures += std::string(f.texture) + ";";
    }
    return {numbers, textures};
}

std::vector<std::pair<std::vector<double>, std::string>> worldState(const CQMap& map)
{
    std::vector<std::pair<std::vector<double>, std::string>> state;
    for (const CQBrush& b : map.entity(0).brushes()) state.push_back(brushState(b));
    return state;
}

} // namespace

// A move of many brushes, in several pieces as a drag makes it, undoes and redoes every brush
// byte for byte, polygons and planes included: boxes on whole units, boxes on fractions and turned
// boxes alike, also when the same step then reshapes or removes some of them.
TEST_F(UndoTest, AMoveOfManyBrushesGivesBackEveryBrushExactly)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < 40; ++i) {
        const Vec3 mins{static_cast<float>(i % 8 * 80), static_cast<float>(i / 8 * 80), 0};
        CQBrush b = box(mins + Vec3{i % 3 == 0 ? 0.1f : 0.0f, 0, 0}, mins + Vec3{64, 48, 32.5f * static_cast<float>(i % 2)} + Vec3{0, 0, 32});
        if (i % 5 == 0) b.RotateZ(30, TextureLock::Off, host);
        AppendBrush(text, b, MapFormat::Standard);
    }
    const std::function<void(MapChange&)> moreInTheStep[] = {
        [](MapChange&) {},
        [this](MapChange& change) { change.editBrush({0, 4}).RotateZ(90, TextureLock::Off, host); },
        [](MapChange& change) { change.removeBrush({0, 7}); },
    };
    for (const auto& more : moreInTheStep) {
        editor.readMapText(text + "}\n");
        map().SelectAll();
        const auto before = worldState(map());
        {
            MapChange change(map(), "Move");
            for (const Vec3 offset : {Vec3{16, 0, 0}, Vec3{0, -8, 0}, Vec3{3, 0, 1}}) {
                MoveSelection(change, offset);
                more(change);
            }
            change.commit();
        }
        const auto after = worldState(map());
        ASSERT_NE(after, before);
        for (int round = 0; round < 2; ++round) {
            map().Undo();
            ASSERT_EQ(worldState(map()), before);
            map().Redo();
            ASSERT_EQ(worldState(map()), after);
        }
    }
}

TEST_F(UndoTest, CommandsThatChangeNothingMakeNoStep)
{
    makeMap();
    select(0, {0});
    CopySelection(map(), editor.clipboard());
    SelectAllOfCurrentEntity(map());
    map().DeselectAll();
    dialogs.rotation.answer = RotationSettings{30, 30, 30};
    EditRotationSettings(map(), dialogs, host);
    MakeIntoRoom(map(), dialogs, host); // nothing selected: refused
    dragXY({50, 50, 0}, {50, 50, 0});   // a click on the world's brush
    editor.xyView().keyDown(ViewKey::Escape);
    editor.xyView().keyDown(ViewKey::Tab);
    EXPECT_FALSE(map().canUndo());
    EXPECT_FALSE(map().IsModifiedSinceSave());
}

TEST_F(UndoTest, TheModifiedMarkIsWhetherTheMapDiffersFromItsSavedState)
{
    makeMap();
    EXPECT_FALSE(map().IsModifiedSinceSave());
    select(0, {1});
    NudgeSelection(map(), {16, 0, 0});
    NudgeSelection(map(), {16, 0, 0});
    EXPECT_TRUE(map().IsModifiedSinceSave());
    map().Undo();
    map().Undo();
    EXPECT_FALSE(map().IsModifiedSinceSave()) << "back at the saved state";
    map().Redo();
    EXPECT_TRUE(map().IsModifiedSinceSave());
    ASSERT_TRUE(editor.saveMap(path("start.map")));
    EXPECT_FALSE(map().IsModifiedSinceSave());
    map().Undo();
    EXPECT_TRUE(map().IsModifiedSinceSave()) << "undone past the save";
    map().Redo();
    EXPECT_FALSE(map().IsModifiedSinceSave());
    map().Undo();
    NudgeSelection(map(), {0, 16, 0}); // the saved state can no longer be reached
    map().Undo();
    EXPECT_TRUE(map().IsModifiedSinceSave());

    ASSERT_TRUE(editor.openMap(path("start.map")));
    EXPECT_FALSE(map().canUndo() || map().canRedo()) << "opening starts a new history";
    NudgeSelection(map(), {0, 16, 0});
    map().NewMap();
    EXPECT_FALSE(map().canUndo() || map().IsModifiedSinceSave()) << "so does a new map";
}

TEST_F(UndoTest, ANoticeNamesExactlyTheBrushesAChangeTouched)
{
    makeMap();
    NoticeRecorder notices(map());
    const BrushId a = worldBrush(0).id();
    const BrushId b = worldBrush(1).id();
    select(0, {1});
    EXPECT_EQ(notices.takeOnly().reselected, std::vector<BrushId>{b});
    NudgeSelection(map(), {16, 0, 0});
    MapNotice moved = notices.takeOnly();
    EXPECT_EQ(moved.changed, std::vector<BrushId>{b});
    EXPECT_TRUE(moved.added.empty() && moved.removed.empty() && moved.reselected.empty() && !moved.keysChanged);

    map().Undo();
    EXPECT_EQ(notices.takeOnly().changed, std::vector<BrushId>{b});
    EXPECT_EQ(worldBrush(1).id(), b) << "a brush keeps its id through undo";

    map().DeselectAll();
    select(0, {0});
    notices.notices.clear();
    MakeIntoRoom(map(), dialogs, host);
    const MapNotice walls = notices.takeOnly();
    EXPECT_EQ(walls.removed, std::vector<BrushId>{a});
    EXPECT_EQ(walls.added.size(), 6u);
    EXPECT_TRUE(walls.changed.empty());
    for (const BrushId id : walls.added) EXPECT_TRUE(map().isSelected(id));

    // A drag tells the views at every mouse move, makes one step, and tells of that step with a
    // notice of its own (the Undo command and the modified mark follow it).
    map().DeselectAll();
    select(0, {0});
    ASSERT_EQ(worldBrush(0).id(), b);
    notices.notices.clear();
    dragXY({232, 32, 0}, {232, 96, 0});
    ASSERT_EQ(notices.notices.size(), 5u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(notices.notices[i].changed, std::vector<BrushId>{b});
    EXPECT_TRUE(notices.notices.back().empty());
    EXPECT_EQ(map().undoName(), "Move");
    map().Undo();
    EXPECT_EQ(map().undoName(), "Make Room");
}

TEST_F(UndoTest, KeysDuringADragArePartOfItsStep)
{
    makeMap();
    select(0, {1, 2});
    CXYView& view = editor.xyView();
    view.leftButtonDown(xyAt(232, 32));
    view.mouseMove(xyAt(232, 64));
    EXPECT_FALSE(map().canUndo()) << "not while the drag lasts";
    map().selectBrush({0, 2}, false);
    view.keyDown(ViewKey::Delete); // the moved brush B goes
    view.mouseMove(xyAt(232, 96));
    view.leftButtonUp(xyAt(232, 96));
    ASSERT_TRUE(map().canUndo());
    EXPECT_EQ(world().brushCount(), 2);
    map().Undo();
    EXPECT_EQ(world().brushCount(), 3);
    EXPECT_EQ(worldBrush(1).mins(), (Vec3{200, 0, 0}));
    EXPECT_EQ(worldBrush(2).mins(), (Vec3{300, 0, 0}));
    EXPECT_FALSE(map().canUndo());
}

TEST_F(UndoTest, AChangeNeverCommittedIsUndoneAndOneLeftOpenByANewMapIsDropped)
{
    makeMap();
    const std::string before = mapText();
    {
        MapChange change(map(), "Abandoned");
        change.editBrush({0, 0}).Move({64, 0, 0}, TextureLock::Off);
        change.removeBrush({0, 1});
        change.setValue(1, "\"light\"", "\"50\"");
        change.removeEntity(2);
        change.addBrush(0, Box({0, 0, 500}, {64, 64, 564}));
    }
    EXPECT_EQ(mapText(), before);
    EXPECT_FALSE(map().canUndo());

    MapChange lasting(map(), "Lasting");
    lasting.editBrush({0, 0}).Move({64, 0, 0}, TextureLock::Off);
    EXPECT_TRUE(map().IsModifiedSinceSave()) << "modified while the change lasts";
    map().NewMap();
    EXPECT_TRUE(lasting.dropped());
    lasting.commit(); // belongs to a map that is gone: nothing happens
    EXPECT_FALSE(map().canUndo());
    EXPECT_EQ(map().EntityCount(), 0);
}

// The world of an empty map comes with its first brush, or its first click (after Map Properties),
// in the same step.
TEST_F(UndoTest, TheWorldComesWithTheFirstBrushOrClickAsOneStep)
{
    map().NewMap();
    EXPECT_EQ(map().GeometryMiddle(), kOrigin);
    AddNewBrush(map(), box({0, 0, 0}, {64, 64, 64}));
    ASSERT_EQ(map().EntityCount(), 1);
    EXPECT_TRUE(world().isWorld() && world().isCurrent() && world().className() == "worldspawn");
    EXPECT_EQ(map().countSelectedBrushes(), 1);
    AddNewBrush(map(), box({0, 0, 0}, {64, 64, 0})); // no volume: not added
    EXPECT_EQ(world().brushCount(), 1);
    map().Undo();
    EXPECT_EQ(map().EntityCount(), 0);

    dialogs.editWorld = [](MapPropertiesForm& form) { return form.name = "Hall", true; };
    drag(editor.xyView(), xyAt(0, 0), xyAt(0, 0), 0);
    ASSERT_EQ(map().EntityCount(), 1);
    EXPECT_EQ(map().undoName(), "Create World");
    map().Undo();
    EXPECT_EQ(map().EntityCount(), 0);
    EXPECT_FALSE(map().IsModifiedSinceSave());
    map().Redo();
    EXPECT_TRUE(map().entity(0).isWorld() && map().entity(0).isCurrent());
}
