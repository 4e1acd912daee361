#include "document/brush_group_commands.h"
#include "document/clipboard.h"
#include "document/edit_commands.h"
#include "document/entity_commands.h"
#include "editor_fixture.h"
#include "map/brush_text.h"
#include "platform/file_reading.h"
#include "platform/file_saving.h"

#include <fstream>

using namespace vorn;
using vorn::test::EditorTest;

namespace {

// The Edit, Brush and Entity menus' commands as the main window runs them.
class CommandTest : public EditorTest {
protected:
    void cut() { CutSelection(map(), editor.clipboard(), host); }
    void copy() { CopySelection(map(), editor.clipboard()); }
    void paste() { PasteBrushes(map(), editor.clipboard(), editor.pastePlacement(), host); }
    void properties() { ShowEntityProperties(map(), dialogs, editor.classes(), host); }
    void makeEntity() { MakeIntoEntity(map(), dialogs, editor.classes(), host); }
    void createWorld() { CreateWorld(map(), dialogs, editor.prefs().wad); }
    void connectTo(float x) { ConnectEntities(map(), host, {x, 0, 4096}, {x, 0, -4096}, editor.prefs().curTargetId); }
    void loadBrushes() { LoadBrushSelection(map(), host, editor.columnPlacement()); }
    void saveBrushes() { SaveBrushSelection(map(), host); }
    // The mouse over the XY view at a map point, where pastes go.
    void pointAt(int x, int y)
    {
        CXYView& xy = editor.xyView();
        xy.setClientSize(400, 300);
        xy.centreOn(x, y);
        xy.mouseMove({200, 150});
    }
};

} // namespace

TEST_F(CommandTest, CutRefusesToEmptyABrushEntityAndWhatIsCutOrCopiedIsPastedWholeAtThePanelPosition)
{
    cut();
    EXPECT_EQ(host.messages.back(), "You must create something\nbefore you can cut it.");
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    SelectAllOfCurrentEntity(map());
    cut();
    EXPECT_EQ(host.messages.back(), "Can't cut all the brushes in an entity!\nJust drag them where you want them to go");
    EXPECT_EQ(world().brushCount(), 1);
    addPointEntity("light", {200, 200, 40});
    selectWholeEntity(1);
    cut();
    EXPECT_EQ(map().EntityCount(), 1);
    makeWorld({{{0, 0, 0}, {32, 32, 32}}}); // the clipboard outlives the map it came from
    editor.workspace().setSnapToGrid(false);
    pointAt(-100, 50);
    paste();
    ASSERT_EQ(map().EntityCount(), 2);
    const CQEntity& pasted = map().entity(1);
    EXPECT_TRUE(pasted.isCurrent());
    EXPECT_EQ(pasted.className(), "light");
    EXPECT_FALSE(pasted.isModifiable());
    EXPECT_EQ(pasted.GetValue("\"origin\""), "\"-100 50 40\"");
    EXPECT_EQ(pasted.brushes()[0].mins(), (Vec3{-108, 42, 32}));

    // Copied world brushes are pasted into the current entity, centred there, alone selected.
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 16}, {128, 64, 48}}, {{500, 500, 0}, {564, 564, 8}}});
    select(0, {0, 1});
    copy();
    pointAt(1000, 1000);
    paste();
    ASSERT_EQ(world().brushCount(), 5);
    EXPECT_TRUE(map().countSelectedBrushes() == 2 && selected(0, 3) && selected(0, 4));
    EXPECT_EQ(std::pair(worldBrush(3).mins(), worldBrush(4).maxs()), std::pair(Vec3{936, 968, 0}, Vec3{1064, 1032, 48}));
}

TEST_F(CommandTest, MakeIntoEntityMovesTheSelectionToANewEntityOnOkAndCancelLeavesTheWorldAsItWas)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{100, 0, 0}, {164, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}});
    int brushesInDialog = 0;
    dialogs.editEntity = [&](EntityPropertiesForm&, const EntityClassList&) { return ++brushesInDialog, false; };
    SelectAllOfCurrentEntity(map());
    makeEntity();
    EXPECT_EQ(host.messages.back(), "You must leave at least one brush in\n the old entity when creating a new entity");
    EXPECT_EQ(brushesInDialog, 0) << "no dialog";
    map().selectBrush({0, 1}, false);
    makeEntity();
    EXPECT_EQ(brushesInDialog, 1);
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_EQ(worldBrush(1).mins().x, 100) << "in its place";
    EXPECT_EQ(map().countSelectedBrushes(), 2);
    EXPECT_FALSE(map().IsModifiedSinceSave());

    dialogs.editEntity = [](EntityPropertiesForm& form, const EntityClassList& classes) {
        return form.changeClass("func_door", classes), form.field(EntityField::Speed) = "50", true;
    };
    makeEntity(); // the window's test sees the new door
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_EQ(worldBrush(0).mins().x, 100);
    EXPECT_EQ(map().countSelectedBrushes(), 2);
    makeEntity();
    EXPECT_EQ(host.messages.back(), "That brush is already part of another entity");
}

TEST_F(CommandTest, PropertiesOpenTheWorldsOrTheEntitysDialogAndCancelChangesNothing)
{
    properties();
    EXPECT_EQ(host.messages.back(), "There is no current entity!");
    std::vector<std::string> opened;
    dialogs.editWorld = [&](MapPropertiesForm& form) { return opened.push_back("map " + form.wad), false; };
    dialogs.editEntity = [&](EntityPropertiesForm& form, const EntityClassList&) {
        return opened.push_back("entity " + form.className()), false;
    };
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    setValue(0, "\"wad\"", "\"base.wad\"");
    properties();
    addPointEntity("light", {200, 0, 0});
    addPointEntity("info_player_start", {300, 0, 0});
    ASSERT_TRUE(editor.saveMap(path("a.map")));
    map().SetCurrentEntityByIndex(1);
    properties();
    EXPECT_EQ(opened, (std::vector<std::string>{"map base.wad", "entity light"}));
    ASSERT_EQ(map().EntityCount(), 3);
    EXPECT_TRUE(map().entity(1).className() == "light" && map().entity(1).isCurrent()) << "in its place, current";
    EXPECT_FALSE(map().IsModifiedSinceSave());

    dialogs.editEntity = [](EntityPropertiesForm& form, const EntityClassList&) {
        return form.field(EntityField::Light) = "200", true;
    };
    properties();
    EXPECT_TRUE(map().entity(2).GetValue("\"light\"") == "\"200\"" && map().entity(2).isCurrent()) << "at the end, current";
    EXPECT_TRUE(map().IsModifiedSinceSave());
}

TEST_F(CommandTest, MapPropertiesRewriteTheWorldOrCreateItAndAChangedArchiveIsReloaded)
{
    editor.prefs().wad = "start.wad";
    std::vector<std::string> opened;
    dialogs.editWorld = [&](MapPropertiesForm& form) { return opened.push_back(form.wad), false; };
    createWorld();
    EXPECT_EQ(map().EntityCount(), 0) << "cancelled";

    dialogs.editWorld = [&](MapPropertiesForm& form) { return opened.push_back(form.wad), form.name = "Hall", true; };
    createWorld();
    ASSERT_EQ(map().EntityCount(), 1);
    EXPECT_TRUE(world().isWorld() && world().isCurrent() && world().isModifiable());
    EXPECT_EQ(world().pairs(), (std::vector<CQKeyValue>{{"\"classname\"", "\"worldspawn\""},
                                                        {"\"wad\"", "\"start.wad\""},
                                                        {"\"message\"", "\"Hall\""}}));
    EXPECT_EQ(opened, (std::vector<std::string>{"start.wad", "start.wad"}));

    EXPECT_TRUE(host.busyChanges.empty()) << "the archive stayed";
    setValue(0, "\"_sunlight\"", "\"200\"");
    dialogs.editWorld = [](MapPropertiesForm& form) { return form.wad = "other.wad", true; };
    properties();
    EXPECT_EQ(editor.prefs().wad, "other.wad");
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false})) << "reloaded under the wait cursor";
    EXPECT_EQ(world().GetValue("\"_sunlight\""), "\"200\"");
    EXPECT_EQ(world().GetValue("\"wad\""), "\"other.wad\"");
    map().Undo();
    EXPECT_EQ(editor.prefs().wad, "start.wad") << "the archive follows the world back";
    EXPECT_EQ(host.busyChanges.size(), 4u);
}

TEST_F(CommandTest, ConnectingNamesTheTargetAfterTheOtherEntityOrTheCounterAndRefusesTheWorld)
{
    makeWorld({{{0, -32, 0}, {64, 32, 64}}});
    connectTo(32);
    EXPECT_EQ(host.messages.back(), "Must have a non-world entity\nselected to connect");
    for (const float x : {200, 300, 400, 500}) addPointEntity("light", {x, 0, 0});
    map().SetCurrentEntityByIndex(1);
    connectTo(900);
    EXPECT_EQ(host.messages.back(), "Must click on a different entity\nto connect");
    EXPECT_EQ(map().currentIndex(), 1);
    connectTo(32);
    EXPECT_EQ(host.messages.back(), "Must click on a non-world entity\nto connect");
    map().SetCurrentEntityByIndex(1);
    connectTo(300);
    EXPECT_EQ(map().entity(1).GetValue("\"target\""), "\"t0\"");
    EXPECT_EQ(map().entity(2).GetValue("\"targetname\""), "\"t0\"");
    EXPECT_EQ(map().currentIndex(), 2) << "the other entity becomes current";
    setValue(4, "\"targetname\"", "\"door1\"");
    map().SetCurrentEntityByIndex(3);
    connectTo(500);
    EXPECT_EQ(map().entity(3).GetValue("\"target\""), "\"door1\"");
    connectTo(200);
    EXPECT_EQ(map().entity(1).GetValue("\"targetname\""), "\"t1\"");
    EXPECT_EQ(editor.prefs().curTargetId, 2);
}

TEST_F(CommandTest, MapsOpenAndCentreOnTheMiddleOfTheirBrushesWhateverTheirPointEntities)
{
    // A wide world with a long row of lights off to the east: the lights' mean, or the middle of
    // everything, would put the view beside the brushes.
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (const int x : {-11760, 11696}) {
        CQBrush b = box({static_cast<float>(x), -11760, 0}, {static_cast<float>(x + 64), 11760, 64});
        AppendBrush(text, b, MapFormat::Standard);
    }
    text += "}\n";
    for (int i = 0; i < 50; ++i) text += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(20000 + 96 * i) + " 0 128\"\n}\n";
    std::filesystem::create_directories(folder);
    const std::string file = path("wide.map");
    ASSERT_FALSE(SaveFile(file, text));
    editor.xyView().setClientSize(400, 300);
    ASSERT_TRUE(editor.openMap(file));
    EXPECT_EQ(editor.xyView().centre(), (MapPoint{0, 0}));

    editor.xyView().centreOn(5000, 5000);
    editor.xyView().centreOnMap();
    EXPECT_EQ(editor.xyView().centre(), (MapPoint{0, 0}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::XY);

    // Without brushes of its own, the map's middle is its point entities'.
    map().NewMap();
    addPointEntity("light", {1000, 1000, 0});
    editor.xyView().centreOnMap();
    EXPECT_EQ(editor.xyView().centre(), (MapPoint{1000, 1000}));
}

TEST_F(CommandTest, BrushGroupSavedAndLoadedLandsCentredOnTheMarkerAndOtherFilesAddNothing)
{
    loadBrushes();
    EXPECT_EQ(host.messages.back(), "Must load brushes into an existing entity!");
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 0}, {128, 64, 32}}, {{500, 0, 0}, {564, 64, 64}}});
    addPointEntity("light", {200, 0, 0});
    map().SetCurrentEntityByIndex(1);
    loadBrushes();
    EXPECT_EQ(host.messages.back(), "Cannot add brushes to an unmodifiable entity");
    saveBrushes();
    EXPECT_EQ(host.messages.back(), "Unmodifiable entity cannot save its brushes");
    EXPECT_TRUE(host.choosers.empty());
    select(0, {0, 1});
    host.file = path("pair.vbr");
    saveBrushes();
    EXPECT_EQ(host.choosers.back().defaultExtension, "vbr");
    makeWorld({{{-64, -64, 0}, {0, 0, 64}}});
    ASSERT_TRUE(editor.saveMap(path("world.map")));
    std::ofstream(path("empty.vbr")).flush();
    const std::string pair = *ReadWholeFile(path("pair.vbr")).bytes;
    ASSERT_FALSE(SaveFile(path("cut.vbr"), pair.substr(0, pair.size() - 40)));
    for (const char* broken : {"world.map", "cut.vbr"}) {
        host.file = path(broken);
        loadBrushes();
        EXPECT_EQ(host.messages.back(), "Error in brush group file!");
    }
    const size_t messages = host.messages.size();
    host.file = path("empty.vbr");
    loadBrushes();
    EXPECT_EQ(host.messages.size(), messages);
    EXPECT_EQ(world().brushCount(), 1);
    EXPECT_FALSE(map().IsModifiedSinceSave());
    select(0, {0});
    editor.workspace().setZColumn({1000, 2000});
    editor.workspace().setSnapToGrid(false);
    host.file = path("pair.vbr");
    loadBrushes();
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_EQ(map().countSelectedBrushes(), 2);
    EXPECT_FALSE(selected(0, 0));
    // Centres (32, 32, 32) and (96, 32, 16): their mean goes to (1000, 2000, 0).
    EXPECT_EQ(worldBrush(1).mins(), (Vec3{936, 1968, -24}));
    EXPECT_EQ(worldBrush(2).maxs(), (Vec3{1064, 2032, 8}));
}
