#include "map/text_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace vorn;

namespace {

std::vector<std::string> allTokens(std::string_view text)
{
    TextCursor in(text);
    std::vector<std::string> tokens;
    for (auto t = nextToken(in); !t.empty(); t = nextToken(in)) tokens.emplace_back(t);
    return tokens;
}

} // namespace

TEST(TextReader, TokensSplitAtBlanksIncludingHighBytesAndNeedOneAfterThem)
{
    EXPECT_EQ(allTokens("ab\tcd\r\nef "), (std::vector<std::string>{"ab", "cd", "ef"}));
    EXPECT_EQ(allTokens("caf\xE9ine "), (std::vector<std::string>{"caf", "ine"}));
    // A slash starts a comment only where a token would begin.
    EXPECT_EQ(allTokens("a // note\nb / note\nc a/b "), (std::vector<std::string>{"a", "b", "c", "a/b"}));
    // A token ended by the end of the input is lost.
    EXPECT_EQ(allTokens("COMMENT: help :END"), (std::vector<std::string>{"COMMENT:", "help"}));
    EXPECT_EQ(allTokens(":END\n"), (std::vector<std::string>{":END"}));
    EXPECT_EQ(allTokens("a // no line end"), (std::vector<std::string>{"a"}));
}

TEST(TextReader, NextNonBlankSkipsCommentsCountsLinesAndEndsCleanly)
{
    TextCursor in("// header\n// more\n\n  {\n");
    EXPECT_EQ(NextNonBlank(in), '{');
    EXPECT_EQ(in.line(), 4);
    TextCursor chars("{ // no line end");
    EXPECT_EQ(NextNonBlank(chars), '{');
    EXPECT_EQ(NextNonBlank(chars), 0);
    EXPECT_EQ(NextNonBlank(chars), 0);

    TextCursor lines("junk here\nnext ");
    SkipLine(lines);
    EXPECT_EQ(nextToken(lines), "next");
    SkipLine(lines);
    EXPECT_TRUE(lines.atEnd());
}

TEST(TextReader, ReadQuotedKeepsBothQuotesAndInnerBlanks)
{
    TextCursor in("\"abc def\" rest\n");
    ASSERT_EQ(NextNonBlank(in), '"');
    EXPECT_EQ(ReadQuoted(in), "\"abc def\"");
    EXPECT_EQ(nextToken(in), "rest");

    TextCursor unterminated("\"abc");
    NextNonBlank(unterminated);
    EXPECT_EQ(ReadQuoted(unterminated), "");
}

TEST(TextReader, IntegerConversionTakesLeadingDigitsOnly)
{
    EXPECT_EQ(ParseInt("12.7"), 12);
    EXPECT_EQ(ParseInt("-5x"), -5);
    EXPECT_EQ(ParseInt("+7"), 7);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("0.9"), 0);
    EXPECT_EQ(ParseInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseInt("-99999999999"), -2147483647 - 1);
}

TEST(TextReader, FloatConversionReadsFractionAndExponentWithinFloatRange)
{
    EXPECT_DOUBLE_EQ(ParseFloat("1.5e2x"), 150.0);
    EXPECT_DOUBLE_EQ(ParseFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseFloat("-2.25"), -2.25);
    EXPECT_DOUBLE_EQ(ParseFloat("3."), 3.0);
    for (const char* zero : {"WALL", "inf", "0x10", "1e-999"}) EXPECT_DOUBLE_EQ(ParseFloat(zero), 0.0) << zero;
    EXPECT_EQ(ParseFloat("1e999"), std::numeric_limits<float>::max());
    EXPECT_EQ(ParseFloat("-1e39"), -std::numeric_limits<float>::max());
}
