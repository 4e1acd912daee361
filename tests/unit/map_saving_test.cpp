#include "box_text.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_text.h"
#include "platform/file_reading.h"
#include "platform/file_saving.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// A world of `worldBoxes` boxes, `lights` lights after it and a door of two boxes at the end.
std::vector<std::unique_ptr<CQEntity>> mapOf(int worldBoxes, int lights)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < worldBoxes; ++i) text += kBoxBlock;
    text += "}\n";
    for (int i = 0; i < lights; ++i) text += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(i) + " 0 0\"\n}\n";
    text += std::string("{\n\"classname\" \"func_door\"\n") + kBoxBlock + kBoxBlock + "}\n";
    FakeHost host;
    std::vector<std::unique_ptr<CQEntity>> entities;
    ReadMap(text, EntityClassList{}, host, nullptr, entities);
    return entities;
}

std::string wholeText(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities)
{
    std::string text = MapHeaderText(header);
    for (const auto& entity : entities) entity->Serialize(text, header.format);
    return text;
}

} // namespace

// The pieces are made side by side and written in order: whatever the cut, the file holds the
// text entity for entity, when it replaces a file and when it rewrites one with two names.
TEST(MapSaving, ThePiecesOfAMapMakeItsWholeText)
{
    ScratchFolder scratch;
    const std::string path = scratch.write("a.map", "old");
    std::filesystem::create_hard_link(path, scratch.path() / "b.map");
    for (const int worldBoxes : {0, 2045, 2046, 2047, 4100}) {
        for (const int lights : {0, 1, 3000}) {
            const auto entities = mapOf(worldBoxes, lights);
            const MapHeader header{path, "", "", {}, static_cast<int>(entities.size()), worldBoxes + 2};
            const MapTextPieces pieces(header, entities);
            ASSERT_EQ(SaveFile(path, pieces), std::nullopt);
            const std::string expected = wholeText(header, entities);
            EXPECT_TRUE(ReadWholeFile(path).bytes == expected) << worldBoxes << " boxes, " << lights << " lights";
            EXPECT_TRUE(WriteMap(header, entities) == expected);
        }
    }
}

TEST(MapSaving, AFailedWriteStopsTheMakersAndSaysWhy)
{
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (full < 0) GTEST_SKIP() << "no /dev/full";
    const auto entities = mapOf(20000, 10);
    errno = 0;
    EXPECT_EQ(WritePieces(full, MapTextPieces({}, entities)), -1);
    EXPECT_EQ(errno, ENOSPC);
    ::close(full);
}
