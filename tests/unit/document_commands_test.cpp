#include "document/brush_group_commands.h"
#include "document/edit_commands.h"
#include "document/entity_commands.h"
#include "document/view_commands.h"
#include "editor_fixture.h"
#include "platform/file_io.h"

#include <fstream>

using namespace vorn;
using vorn::test::EditorTest;

namespace {

const Vec3 kTop{0, 0, 4096};

Vec3 above(float x, float y) { return {x, y, 4096}; }
Vec3 below(float x, float y) { return {x, y, -4096}; }

} // namespace

TEST_F(EditorTest, CuttingEveryBrushOfABrushEntityIsRefused)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    map().entity(0).SelectAllBrushes();
    CutSelection(editor);
    EXPECT_EQ(host.messages.back(), "Can't cut all the brushes in an entity!\nJust drag them where you want them to go");
    EXPECT_EQ(map().entity(0).brushCount(), 1);

    map().NewMap();
    CutSelection(editor);
    EXPECT_EQ(host.messages.back(), "You must create something\nbefore you can cut it.");
}

TEST_F(EditorTest, CutPointEntityRemovesItAndPasteRecreatesItAtTheTarget)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 200, 40});
    map().SetCurrentEntityByIndex(1);
    map().entity(1).SelectAllBrushes();
    CutSelection(editor);
    EXPECT_EQ(map().EntityCount(), 1);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::XYZ);

    map().SetCurrentEntityByIndex(0);
    editor.xyView().setSnapToGrid(false);
    editor.panel().setPos(-100, 50);
    PasteClipboard(editor);
    ASSERT_EQ(map().EntityCount(), 2);
    const CQEntity& pasted = map().entity(1);
    EXPECT_TRUE(pasted.isCurrent());
    EXPECT_EQ(pasted.className(), "light");
    EXPECT_FALSE(pasted.isModifiable());
    EXPECT_EQ(pasted.GetValue("\"origin\""), "\"-100 50 40\"");
    EXPECT_EQ(pasted.brushes()[0].mins(), (Vec3{-108, 42, 32}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::All);
}

TEST_F(EditorTest, PasteOfWorldBrushesCentresOnThePanelPositionKeepingHeights)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 16}, {128, 64, 48}}, {{500, 500, 0}, {564, 564, 8}}});
    map().entity(0).brushes()[0].SetSelected(true);
    map().entity(0).brushes()[1].SetSelected(true);
    CopySelection(editor);
    EXPECT_FALSE(editor.clipboard().wholeEntity);
    editor.xyView().setSnapToGrid(false);
    editor.panel().setPos(1000, 1000);
    PasteClipboard(editor);
    CQEntity& world = map().entity(0);
    ASSERT_EQ(world.brushCount(), 5);
    EXPECT_EQ(world.selectedCount(), 2);
    EXPECT_EQ(world.brushes()[3].mins(), (Vec3{936, 968, 0}));
    EXPECT_EQ(world.brushes()[4].maxs(), (Vec3{1064, 1032, 48}));
    EXPECT_TRUE(map().IsModifiedSinceSave());
}

TEST_F(EditorTest, ClipboardOutlivesTheMapItCameFrom)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 200, 40});
    map().SetCurrentEntityByIndex(1);
    map().entity(1).SelectAllBrushes();
    CopySelection(editor);
    map().NewMap();
    makeWorld({{{0, 0, 0}, {32, 32, 32}}});
    PasteClipboard(editor);
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_EQ(map().entity(1).className(), "light");
}

TEST_F(EditorTest, SelectAllSelectsEveryBrushOfTheCurrentEntity)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}});
    SelectAllOfCurrentEntity(editor);
    EXPECT_EQ(map().entity(0).selectedCount(), 2);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::All);
}

TEST_F(EditorTest, MakeIntoEntityRefusesToEmptyTheWorld)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    map().entity(0).SelectAllBrushes();
    MakeIntoEntity(editor);
    EXPECT_EQ(host.messages.back(), "You must leave at least one brush in\n the old entity when creating a new entity");
    EXPECT_EQ(dialogs.entityPropertiesOpened, 0);
    EXPECT_EQ(map().EntityCount(), 1);

    addPointEntity("light", {200, 0, 0});
    map().SetCurrentEntityByIndex(1);
    MakeIntoEntity(editor);
    EXPECT_EQ(host.messages.back(), "That brush is already part of another entity");
}

TEST_F(EditorTest, MakeIntoEntityMovesSelectedBrushesAndCancelGivesThemBack)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}});
    map().entity(0).brushes()[0].SetSelected(true);
    map().entity(0).brushes()[2].SetSelected(true);
    int brushesInDialog = 0;
    dialogs.editEntity = [&](CQEntity& e) {
        brushesInDialog = e.brushCount();
        return false;
    };
    MakeIntoEntity(editor);
    EXPECT_EQ(brushesInDialog, 2);
    EXPECT_EQ(map().EntityCount(), 1);
    ASSERT_EQ(map().entity(0).brushCount(), 3);
    EXPECT_EQ(map().entity(0).brushes()[0].mins().x, 100); // given back at the end
    EXPECT_EQ(map().entity(0).brushes()[2].mins().x, 200);

    map().entity(0).DeselectAllBrushes();
    map().entity(0).brushes()[1].SetSelected(true);
    dialogs.editEntity = [](CQEntity& e) {
        e.SetValue("\"classname\"", "\"func_door\"");
        return true;
    };
    MakeIntoEntity(editor);
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_EQ(map().entity(0).brushCount(), 2);
    EXPECT_EQ(map().entity(1).className(), "func_door");
    EXPECT_TRUE(map().entity(1).isCurrent());
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);
}

TEST_F(EditorTest, PropertiesOpenTheRightDialogAndCancelKeepsTheEntity)
{
    ShowEntityProperties(editor);
    EXPECT_EQ(host.messages.back(), "There is no current entity!");

    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    ShowEntityProperties(editor);
    EXPECT_EQ(dialogs.mapPropertiesOpened, 1);

    addPointEntity("light", {200, 0, 0});
    addPointEntity("info_player_start", {300, 0, 0});
    map().SetCurrentEntityByIndex(1);
    ShowEntityProperties(editor);
    EXPECT_EQ(dialogs.entityPropertiesOpened, 1);
    ASSERT_EQ(map().EntityCount(), 3);
    EXPECT_EQ(map().entity(2).className(), "light"); // back, at the end, current
    EXPECT_TRUE(map().entity(2).isCurrent());
}

TEST_F(EditorTest, ConnectingUnnamedPairsCountsTargetNames)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    for (int x : {200, 300, 400, 500}) addPointEntity("light", {static_cast<float>(x), 0, 0});
    map().SetCurrentEntityByIndex(1);
    ConnectEntities(editor, above(300, 0), below(300, 0));
    EXPECT_EQ(map().entity(1).GetValue("\"target\""), "\"t0\"");
    EXPECT_EQ(map().entity(2).GetValue("\"targetname\""), "\"t0\"");
    EXPECT_EQ(map().currentIndex(), 2);

    map().SetCurrentEntityByIndex(3);
    ConnectEntities(editor, above(500, 0), below(500, 0));
    EXPECT_EQ(map().entity(4).GetValue("\"targetname\""), "\"t1\"");
    EXPECT_EQ(editor.prefs().curTargetId, 2);
}

TEST_F(EditorTest, ConnectingToANamedEntityCopiesItsName)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 0, 0});
    addPointEntity("light", {300, 0, 0});
    map().entity(1).SetValue("\"target\"", "\"mine\"");
    map().entity(2).SetValue("\"targetname\"", "\"door1\"");
    map().SetCurrentEntityByIndex(1);
    ConnectEntities(editor, above(300, 0), below(300, 0));
    EXPECT_EQ(map().entity(1).GetValue("\"target\""), "\"door1\"");
    EXPECT_EQ(editor.prefs().curTargetId, 0);
}

TEST_F(EditorTest, ConnectingRefusesTheWorldAndEmptySpace)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    ConnectEntities(editor, above(32, 32), below(32, 32));
    EXPECT_EQ(host.messages.back(), "Must have a non-world entity\nselected to connect");
    addPointEntity("light", {200, 0, 0});
    map().SetCurrentEntityByIndex(1);
    ConnectEntities(editor, above(900, 900), below(900, 900));
    EXPECT_EQ(host.messages.back(), "Must click on a different entity\nto connect");
    EXPECT_EQ(map().currentIndex(), 1);
    ConnectEntities(editor, above(32, 32), below(32, 32));
    EXPECT_EQ(host.messages.back(), "Must click on a non-world entity\nto connect");
}

TEST_F(EditorTest, CentreOnMapScrollsTheXYViewThere)
{
    makeWorld({{{1000, 1000, 0}, {1064, 1064, 64}}});
    editor.xyView().setClientSize(400, 300);
    CenterOnMap(editor);
    EXPECT_EQ(editor.xyView().centre(), (MapPoint{1032, 1032}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::XY);
}

TEST_F(EditorTest, BrushGroupSavedAndLoadedLandsCentredOnTheMarker)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 0}, {128, 64, 32}}, {{500, 0, 0}, {564, 64, 64}}});
    map().entity(0).brushes()[0].SetSelected(true);
    map().entity(0).brushes()[1].SetSelected(true);
    host.files = {path("pair.vbr")};
    SaveBrushSelection(editor);
    EXPECT_EQ(host.choosers.back().defaultExtension, "vbr");

    makeWorld({{{-64, -64, 0}, {0, 0, 64}}});
    map().entity(0).brushes()[0].SetSelected(true);
    editor.setZViewPosition({1000, 2000});
    editor.xyView().setSnapToGrid(false);
    host.files = {path("pair.vbr")};
    LoadBrushSelection(editor);
    const CQEntity& world = map().entity(0);
    ASSERT_EQ(world.brushCount(), 3);
    EXPECT_EQ(world.selectedCount(), 2);
    EXPECT_FALSE(world.brushes()[0].IsSelected());
    // Centres (32, 32, 32) and (96, 32, 16): their mean goes to (1000, 2000, 0).
    EXPECT_EQ(world.brushes()[1].mins(), (Vec3{936, 1968, -24}));
    EXPECT_EQ(world.brushes()[2].maxs(), (Vec3{1064, 2032, 8}));
}

TEST_F(EditorTest, BrushGroupFromAMapFileStopsWithAMessage)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 0, 0});
    map().SaveMap(path("whole.map"));
    map().SetCurrentEntityByIndex(0);
    host.files = {path("whole.map")};
    LoadBrushSelection(editor);
    EXPECT_EQ(host.messages.back(), "Error in brush group file!");
    EXPECT_EQ(map().entity(0).brushCount(), 1);

    std::ofstream(path("empty.vbr")).flush();
    host.files = {path("empty.vbr")};
    const size_t messages = host.messages.size();
    LoadBrushSelection(editor);
    EXPECT_EQ(host.messages.size(), messages);
    EXPECT_EQ(map().entity(0).brushCount(), 1);
}

TEST_F(EditorTest, BrushGroupCommandsRefuseWithoutAModifiableEntity)
{
    map().NewMap();
    LoadBrushSelection(editor);
    EXPECT_EQ(host.messages.back(), "Must load brushes into an existing entity!");
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 0, 0});
    map().SetCurrentEntityByIndex(1);
    LoadBrushSelection(editor);
    EXPECT_EQ(host.messages.back(), "Cannot add brushes to an unmodifiable entity");
    SaveBrushSelection(editor);
    EXPECT_EQ(host.messages.back(), "Unmodifiable entity cannot save its brushes");
    EXPECT_TRUE(host.choosers.empty());
}

TEST_F(EditorTest, ChosenTextureBecomesCurrentAndCoversTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}});
    map().entity(0).brushes()[1].SetSelected(true);
    editor.prefs().wad = "/wads/base.wad";
    ChooseTexture(editor); // cancelled
    EXPECT_EQ(map().entity(0).brushes()[1].face(0).texture, "WALL");

    dialogs.chosenTexture = "BRICK2";
    ChooseTexture(editor);
    EXPECT_EQ(dialogs.textureSelectorOpenedWith.back().first, "/wads/base.wad");
    EXPECT_EQ(map().currentTexture(), "BRICK2");
    EXPECT_EQ(editor.prefs().curTexture, "BRICK2");
    EXPECT_EQ(map().entity(0).brushes()[1].face(0).texture, "BRICK2");
    EXPECT_EQ(map().entity(0).brushes()[0].face(0).texture, "WALL");
    EXPECT_TRUE(map().IsModifiedSinceSave());
}
