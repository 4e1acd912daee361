#include "platform/recovery_files.h"

#include <gtest/gtest.h>

using namespace vorn;

// A recovery file's name carries the map's title, the process and a serial; blanks and separators
// cannot make a path or hide the extension. Only finished map files count, and the map's name
// comes back from the file's first header line.
TEST(RecoveryFiles, NamesAreSafeOnlyFinishedMapFilesCountAndTheMapNameComesFromTheHeader)
{
    EXPECT_EQ(RecoveryFileName("sample.map", 4242, 1), "sample-4242-1.map");
    EXPECT_EQ(RecoveryFileName("Untitled", 7, 3), "Untitled-7-3.map");
    EXPECT_EQ(RecoveryFileName("my level/../x y.map", 1, 2), "my_level_.._x_y-1-2.map");
    EXPECT_EQ(RecoveryFileName(".map", 1, 1), "Untitled-1-1.map");

    EXPECT_TRUE(IsRecoveryFileName("sample-1-1.map"));
    for (const char* other : {"sample-1-1.map.lock", ".vorn-Ab12Cd", ".map"}) EXPECT_FALSE(IsRecoveryFileName(other)) << other;

    EXPECT_EQ(RecoveredMapName("// Filename: /home/ann/maps/e1m1.map\n// Contents: Quake map file\n"), "e1m1.map");
    EXPECT_EQ(RecoveredMapName("// Filename: C:\\quake\\maps\\dm3.map\r\n"), "dm3.map");
    for (const char* untitled : {"// Filename: \n// Contents: Quake map file\n", "{\n\"classname\" \"worldspawn\"\n}\n", ""}) {
        EXPECT_EQ(RecoveredMapName(untitled), "Untitled") << untitled;
    }
}
