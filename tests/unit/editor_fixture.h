#pragma once

#include "brush_checks.h"
#include "document/map_document.h"
#include "editor/editor.h"
#include "fakes.h"
#include "map/brush_text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vorn::test {

inline void ExpectBox(const CQBrush& b, Vec3 mins, Vec3 maxs)
{
    EXPECT_EQ(std::pair(b.mins(), b.maxs()), std::pair(mins, maxs));
}

// Keeps every notice the map publishes while it listens.
class NoticeRecorder final : public MapListener {
public:
    explicit NoticeRecorder(CQMap& map) : map_(map) { map_.addListener(*this); }
    ~NoticeRecorder() { map_.removeListener(*this); }
    void mapChanged(const MapNotice& notice) override { notices.push_back(notice); }
    // The one notice since the last call.
    MapNotice takeOnly()
    {
        EXPECT_EQ(notices.size(), 1u);
        MapNotice last = notices.empty() ? MapNotice{} : notices.back();
        notices.clear();
        return last;
    }

    std::vector<MapNotice> notices;

private:
    CQMap& map_;
};

// The preferences of a user of the classic layout, with the camera off: one top view whose new
// brushes take the Z view's heights.
inline Preferences ClassicPreferences()
{
    Preferences prefs;
    prefs.layout = "classic";
    prefs.camOn = 0;
    return prefs;
}

// The same with the camera on.
inline Preferences CameraOnPreferences()
{
    Preferences prefs = ClassicPreferences();
    prefs.camOn = 1;
    return prefs;
}

// An editor with a fake host and dialogs, a small entity catalogue and a scratch folder. The map
// is changed the way the editor changes it: through its change path and its selection.
class EditorTest : public ::testing::Test {
protected:
    explicit EditorTest(Preferences prefs = ClassicPreferences()) : editor(host, dialogs, std::move(prefs))
    {
        editor.classes().loadText("ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n"
                                  "ENTTYPE: info_player_start ( 1 0 0 ) ( -16 -16 -24 ) ( 16 16 32 ) :END\n"
                                  "ENTTYPE: func_door ( 0 .5 .8 ) ? :END\n"
                                  "ENTTYPE: worldspawn ( 0 0 0 ) ? :END\n");
    }

    CQMap& map() { return editor.map(); }
    const CQEntity& world() { return map().entity(0); }
    const CQBrush& worldBrush(int i) { return world().brush(i); }

    CQBrush box(Vec3 mins, Vec3 maxs) { return Box(mins, maxs, "WALL"); }

    // A map read from a world holding the given boxes: the world current, nothing selected, nothing
    // to undo and nothing modified.
    void makeWorld(std::initializer_list<std::pair<Vec3, Vec3>> boxes)
    {
        std::string text = "{\n\"classname\" \"worldspawn\"\n";
        for (const auto& [lo, hi] : boxes) AppendBrush(text, box(lo, hi), MapFormat::Standard);
        text += "}\n";
        editor.readMapText(text);
    }

    // Appends a point entity or a brush entity holding one box, as one step; the world stays current.
    const CQEntity& addPointEntity(const std::string& className, Vec3 origin)
    {
        CQEntity e;
        e.SetValue("\"classname\"", Quoted(className));
        e.SetValue("\"origin\"", Quoted(OriginText(origin)));
        e.MakeFixedSizeBrush(*editor.classes().fixedBox(className), origin, host);
        e.setModifiable(false);
        return addEntity(std::move(e));
    }
    const CQEntity& addBrushEntity(const std::string& className, Vec3 mins, Vec3 maxs)
    {
        CQEntity e;
        e.SetValue("\"classname\"", Quoted(className));
        e.AddBrush(box(mins, maxs));
        return addEntity(std::move(e));
    }
    const CQEntity& addEntity(CQEntity e)
    {
        MapChange change(map(), "Add Entity");
        const int index = change.addEntity(std::move(e));
        change.commit();
        return map().entity(index);
    }
    // One step of changes made through the change path.
    void change(const std::function<void(MapChange&)>& make)
    {
        MapChange change(map(), "Test Change");
        make(change);
        change.commit();
    }
    void setValue(int entity, std::string_view key, std::string_view value)
    {
        MapChange change(map(), "Set Value");
        change.setValue(entity, key, value);
        change.commit();
    }

    // Selects brushes of one entity, which becomes current.
    void select(int entity, std::initializer_list<int> brushes)
    {
        for (const int b : brushes) map().selectBrush({entity, b}, true);
    }
    void selectWholeEntity(int entity)
    {
        map().SetCurrentEntityByIndex(entity);
        map().SelectAll();
    }
    int selectedIn(int entity) { return map().currentIndex() == entity ? map().countSelectedBrushes() : 0; }
    bool selected(int entity, int brush) { return map().isSelected(map().entity(entity).brush(brush)); }

    // The map as Save would write it, from the header's counts on (the rest of it is dated).
    std::string mapText()
    {
        const std::string text = map().WriteMapText("x.map", {});
        return text.substr(text.find("// Map Contains"));
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    // The mouse over a map point in the XY view, or at a height in the Z view; a left drag from
    // one to the other through `moves` mouse moves.
    MouseInput xyAt(float x, float y, bool shift = false, bool ctrl = false)
    {
        const PixelPoint w = editor.xyView().mapToWindow(x, y);
        return {w.x - editor.xyView().scrollX(), w.y - editor.xyView().scrollY(), shift, ctrl, true};
    }
    MouseInput zAt(int x, float z, bool shift = false, bool ctrl = false) { return {x, editor.zView().rowOf(z), shift, ctrl, true}; }
    template <typename View>
    void drag(View& view, MouseInput from, MouseInput to, int moves = 1)
    {
        view.leftButtonDown(from);
        for (int k = 1; k <= moves; ++k) {
            view.mouseMove({from.x + (to.x - from.x) * k / moves, from.y + (to.y - from.y) * k / moves, from.shift, from.ctrl, true});
        }
        if constexpr (requires { view.leftButtonUp(to); }) view.leftButtonUp(to);
        else view.leftButtonUp();
    }

    FakeHost host;
    FakeDialogs dialogs;
    Editor editor;
    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.path();
};

} // namespace vorn::test
