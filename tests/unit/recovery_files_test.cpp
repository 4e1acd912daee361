#include "platform/recovery_files.h"

#include <gtest/gtest.h>

using namespace vorn;

TEST(RecoveryFiles, NamesCarryTheMapTitleTheProcessAndASerial)
{
    EXPECT_EQ(RecoveryFileName("sample.map", 4242, 1), "sample-4242-1.map");
    EXPECT_EQ(RecoveryFileName("Untitled", 7, 3), "Untitled-7-3.map");
    // Blanks and separators cannot make a path or hide the extension.
    EXPECT_EQ(RecoveryFileName("my level/../x y.map", 1, 2), "my_level_.._x_y-1-2.map");
    EXPECT_EQ(RecoveryFileName(".map", 1, 1), "Untitled-1-1.map");
}

TEST(RecoveryFiles, OnlyFinishedMapFilesCount)
{
    EXPECT_TRUE(IsRecoveryFileName("sample-1-1.map"));
    EXPECT_FALSE(IsRecoveryFileName("sample-1-1.map.lock"));
    EXPECT_FALSE(IsRecoveryFileName(".vorn-Ab12Cd")); // a save not yet renamed into place
    EXPECT_FALSE(IsRecoveryFileName(".map"));
}

TEST(RecoveryFiles, TheMapNameComesFromTheFilenameHeaderLine)
{
    EXPECT_EQ(RecoveredMapName("// Filename: /home/ann/maps/e1m1.map\n// Contents: Quake map file\n"), "e1m1.map");
    EXPECT_EQ(RecoveredMapName("// Filename: C:\\quake\\maps\\dm3.map\r\n"), "dm3.map");
    EXPECT_EQ(RecoveredMapName("// Filename: \n// Contents: Quake map file\n"), "Untitled");
    EXPECT_EQ(RecoveredMapName("{\n\"classname\" \"worldspawn\"\n}\n"), "Untitled");
    EXPECT_EQ(RecoveredMapName(""), "Untitled");
}

TEST(RecoveryFiles, OffersWhatNoLiveEditorHoldsNewestFirst)
{
    const std::vector<RecoveryCandidate> found = {
        {"/r/a-1-1.map", "a.map", 100, false},
        {"/r/b-2-1.map", "b.map", 300, true},
        {"/r/c-3-1.map", "Untitled", 200, false},
    };
    const auto offered = RecoveriesToOffer(found);
    ASSERT_EQ(offered.size(), 2U);
    EXPECT_EQ(offered[0].path, "/r/c-3-1.map");
    EXPECT_EQ(offered[1].path, "/r/a-1-1.map");
}
