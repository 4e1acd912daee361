#include "document/console_filter.h"

#include <gtest/gtest.h>

using namespace vorn;

namespace {

// The filtered text of the chunks fed one after another.
std::string filtered(std::initializer_list<std::string_view> chunks)
{
    ConsoleFilter filter;
    std::string out;
    for (const std::string_view chunk : chunks) out += filter.feed(chunk);
    return out;
}

} // namespace

TEST(ConsoleFilter, DropsEscapesAndControlsEvenWhenSplitBetweenChunksAndMakesLineEndsPlain)
{
    EXPECT_EQ(filtered({"\x1b[33mWARNING: no wad\n\x1b[0m\x1b[36m    15 entities\n\x1b[0m"}),
              "WARNING: no wad\n    15 entities\n");
    EXPECT_EQ(filtered({"a\x1b", "[3", "6mb\x1b[0", "m"}), "ab");
    EXPECT_EQ(filtered({"\x1b]0;title\a", "x\x1b]2;t", "\x1b\\y"}), "xy");
    EXPECT_EQ(filtered({"\x1b" "7saved\x1b" "8"}), "saved");
    EXPECT_EQ(filtered({"tab\there\bbell\a\x7f\n"}), "tab\therebell\n");
    EXPECT_EQ(filtered({"caf\xc3", "\xa9\n"}), "caf\xc3\xa9\n") << "bytes of other characters pass whole";
    // A lone carriage return stays; line ends become plain.
    EXPECT_EQ(filtered({"[ 0%]\r[ 50%]\r[100%] done\n"}), "[ 0%]\r[ 50%]\r[100%] done\n");
    EXPECT_EQ(filtered({"one\r\ntwo\r", "\nthree\r\r\n"}), "one\ntwo\nthree\n");
    EXPECT_EQ(filtered({"last\r"}), "last") << "a return at the very end starts nothing";
}
