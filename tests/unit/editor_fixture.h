#pragma once

#include "brush_checks.h"
#include "editor/editor.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vorn::test {

inline void ExpectBox(const CQBrush& b, Vec3 mins, Vec3 maxs)
{
    EXPECT_EQ(std::pair(b.mins(), b.maxs()), std::pair(mins, maxs));
}

// An editor with a fake host and dialogs, a small entity catalogue and a scratch folder.
class EditorTest : public ::testing::Test {
protected:
    EditorTest() : editor(host, dialogs)
    {
        editor.classes().loadText("ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n"
                                  "ENTTYPE: info_player_start ( 1 0 0 ) ( -16 -16 -24 ) ( 16 16 32 ) :END\n"
                                  "ENTTYPE: func_door ( 0 .5 .8 ) ? :END\n"
                                  "ENTTYPE: worldspawn ( 0 0 0 ) ? :END\n");
        folder = std::filesystem::temp_directory_path() /
                 ("vorn-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    ~EditorTest() override { std::filesystem::remove_all(folder); }

    CQMap& map() { return editor.map(); }
    CQEntity& world() { return map().entity(0); }
    CQBrush& worldBrush(int i) { return world().brushes()[static_cast<size_t>(i)]; }

    CQBrush box(Vec3 mins, Vec3 maxs) { return Box(mins, maxs, "WALL"); }

    // A world holding the given boxes, none selected.
    void makeWorld(std::initializer_list<std::pair<Vec3, Vec3>> boxes)
    {
        map().NewMap();
        for (const auto& [lo, hi] : boxes) map().AddBrush(box(lo, hi));
        world().DeselectAllBrushes();
    }

    // Appends a point entity at the origin or a brush entity holding one box; the world stays current.
    CQEntity& addPointEntity(const std::string& className, Vec3 origin)
    {
        CQEntity e;
        e.SetValue("\"classname\"", Quoted(className));
        e.SetValue("\"origin\"", Quoted(OriginText(origin)));
        e.MakeFixedSizeBrush(editor.classes().find(className), origin, host);
        e.setModifiable(false);
        map().AddEntity(e);
        map().SetCurrentEntityByIndex(0);
        return map().entity(map().EntityCount() - 1);
    }
    CQEntity& addBrushEntity(const std::string& className, Vec3 mins, Vec3 maxs)
    {
        CQEntity e;
        e.SetValue("\"classname\"", Quoted(className));
        e.AddBrush(box(mins, maxs));
        map().AddEntity(e);
        map().SetCurrentEntityByIndex(0);
        return map().entity(map().EntityCount() - 1);
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    FakeHost host;
    FakeDialogs dialogs;
    Editor editor;
    std::filesystem::path folder;
};

} // namespace vorn::test
