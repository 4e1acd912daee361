#include "document/leak_test.h"
#include "platform/file_reading.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vorn::test {
namespace {

const std::string kQbsp = VORN_CORPUS_DIR "/../tools/compilers/qbsp";

// The sample map without its third brush, a wall of the first room.
std::string SampleWithoutAWall()
{
    const FileContents sample = ReadWholeFile(VORN_RESOURCES_DIR "/maps/sample.map");
    EXPECT_TRUE(sample.bytes);
    std::string text = sample.bytes.value_or("");
    size_t start = 0;
    for (int brush = 0; brush < 3; ++brush) start = text.find("{\n(", start) + 1;
    const size_t end = text.find("}\n", start) + 2;
    return text.erase(start - 1, end - start + 1);
}

TEST(LeakTest, TheRealQbspFindsTheLeakOfAMapWithAWallMissing)
{
    if (!std::filesystem::exists(kQbsp)) GTEST_SKIP() << "no compile tools at " << kQbsp;
    const std::atomic<bool> running{false};
    const LeakTestResult sealed = RunLeakTest(kQbsp, VORN_RESOURCES_DIR "/maps/sample.map", running);
    if (sealed.outcome == LeakTestResult::Outcome::Failed) GTEST_SKIP() << "qbsp does not run here: " << sealed.failure;
    EXPECT_EQ(sealed.outcome, LeakTestResult::Outcome::Sealed);

    const ScratchFolder folder;
    const std::string open = folder.write("open.map", SampleWithoutAWall());
    const LeakTestResult leaked = RunLeakTest(kQbsp, open, running);
    ASSERT_EQ(leaked.outcome, LeakTestResult::Outcome::Leaked);
    ASSERT_GE(leaked.points.size(), 2u);
    EXPECT_EQ(leaked.points.front(), (Vec3{64, 64, 24})); // the player start
    EXPECT_EQ(LeakMessage(leaked.points).substr(0, 41), "Leak: the map is open to the void, from (");

    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(RunLeakTest(kQbsp, open, cancelled).outcome, LeakTestResult::Outcome::Cancelled);
}

TEST(LeakTest, AProgramThatCannotStartIsAFailureThatSaysWhy)
{
    const std::atomic<bool> running{false};
    const LeakTestResult result = RunLeakTest("/no/such/qbsp", VORN_RESOURCES_DIR "/maps/sample.map", running);
    EXPECT_EQ(result.outcome, LeakTestResult::Outcome::Failed);
    EXPECT_EQ(result.failure, "/no/such/qbsp could not be started: No such file or directory");
}

} // namespace
} // namespace vorn::test
