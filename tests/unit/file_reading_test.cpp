#include "platform/file_reading.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorn;
using namespace vorn::test;

namespace {

void expectRefused(const FileContents& read, int errorNumber, const std::string& error)
{
    EXPECT_FALSE(read.bytes);
    EXPECT_EQ(read.errorNumber, errorNumber);
    EXPECT_EQ(read.error, error);
}

} // namespace

TEST(FileReading, OnlyRegularFilesWithinTheLimitAreRead)
{
    ScratchFolder scratch;
    const std::string text = scratch.write("text.map", "0123456789");
    EXPECT_EQ(ReadWholeFile(text).bytes, "0123456789");
    EXPECT_EQ(ReadWholeFile(text, 10).bytes, "0123456789");
    expectRefused(ReadWholeFile(text, 9), EFBIG, "the file is larger than 9 bytes");
    EXPECT_EQ(ReadFileStart(text, 4).bytes, "0123");
    EXPECT_EQ(ReadFileStart(text, 100).bytes, "0123456789");

    // Neither waits for a writer nor reads forever.
    const std::string fifo = (scratch.path() / "fifo.wad").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        expectRefused(ReadWholeFile(path), EINVAL, "not a regular file");
        expectRefused(ReadFileStart(path, 4), EINVAL, "not a regular file");
        EXPECT_EQ(ReadReleasableFile(path).error, "not a regular file");
    }
    expectRefused(ReadWholeFile(scratch.path().string()), EISDIR, "Is a directory");
    expectRefused(ReadWholeFile((scratch.path() / "missing.map").string()), ENOENT, "No such file or directory");

    // Refused by its size, without reading the gigabyte (the file holds no data).
    const std::string huge = scratch.write("huge.wad", "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxFileBytes + 1)), 0);
    expectRefused(ReadWholeFile(huge), EFBIG, "the file is larger than 1 GiB");
    EXPECT_EQ(ReadReleasableFile(huge).errorNumber, EFBIG);
    EXPECT_EQ(ReadFileStart(huge, 3).bytes, std::string(3, '\0'));
}

// The bytes after where a reader gave them back stay as they were.
TEST(FileReading, ReleasedPagesLeaveTheRestIntact)
{
    ScratchFolder scratch;
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) text += std::to_string(i) + ' ';
    ReleasableFile file = ReadReleasableFile(scratch.write("big.map", text));
    ASSERT_TRUE(file.bytes);
    ASSERT_EQ(file.bytes->view(), text);
    for (const size_t used : {size_t{10}, size_t{5000}, size_t{4096 * 7 + 1}, size_t{60000}}) {
        file.bytes->releaseBefore(used);
        EXPECT_EQ(file.bytes->view().substr(used), std::string_view(text).substr(used)) << used;
    }
    EXPECT_TRUE(ReadReleasableFile(scratch.write("empty.map", "")).bytes->view().empty());
}
