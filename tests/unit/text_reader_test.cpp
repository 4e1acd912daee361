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

TEST(TextReader, TokensSplitAtBlanksIncludingHighBytes)
{
    EXPECT_EQ(allTokens("ab\tcd\r\nef "), (std::vector<std::string>{"ab", "cd", "ef"}));
    EXPECT_EQ(allTokens("caf\xE9ine "), (std::vector<std::string>{"caf", "ine"}));
}

TEST(TextReader, TokenEndedByEndOfInputIsLost)
{
    EXPECT_EQ(allTokens("COMMENT: help :END"), (std::vector<std::string>{"COMMENT:", "help"}));
    EXPECT_EQ(allTokens(":END\n"), (std::vector<std::string>{":END"}));
}

TEST(TextReader, SlashStartsCommentOnlyWhereATokenWouldBegin)
{
    EXPECT_EQ(allTokens("a // note\nb / note\nc a/b "), (std::vector<std::string>{"a", "b", "c", "a/b"}));
}

TEST(TextReader, InputEndingInsideCommentEndsCleanly)
{
    TextCursor tokens("a // no line end");
    EXPECT_EQ(nextToken(tokens), "a");
    EXPECT_EQ(nextToken(tokens), "");
    TextCursor chars("{ // no line end");
    EXPECT_EQ(NextNonBlank(chars), '{');
    EXPECT_EQ(NextNonBlank(chars), 0);
    EXPECT_EQ(NextNonBlank(chars), 0);
}

TEST(TextReader, NextNonBlankSkipsCommentsAndCountsLines)
{
    TextCursor in("// header\n// more\n\n  {\n");
    EXPECT_EQ(NextNonBlank(in), '{');
    EXPECT_EQ(in.line(), 4);
}

TEST(TextReader, ReadQuotedKeepsBothQuotesAndInnerBlanks)
{
    TextCursor in("\"abc def\" rest\n");
    ASSERT_EQ(NextNonBlank(in), '"');
    const std::string_view quoted = ReadQuoted(in);
    EXPECT_EQ(quoted, "\"abc def\"");
    EXPECT_EQ(quoted.size(), 9u);
    EXPECT_EQ(nextToken(in), "rest");

    TextCursor unterminated("\"abc");
    NextNonBlank(unterminated);
    EXPECT_EQ(ReadQuoted(unterminated), "");
}

TEST(TextReader, SkipLineStopsAfterLineFeedOrAtEnd)
{
    TextCursor in("junk here\nnext ");
    SkipLine(in);
    EXPECT_EQ(nextToken(in), "next");
    SkipLine(in);
    EXPECT_TRUE(in.atEnd());
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

TEST(TextReader, FloatConversionReadsFractionAndExponent)
{
    EXPECT_DOUBLE_EQ(ParseFloat("1.5e2x"), 150.0);
    EXPECT_DOUBLE_EQ(ParseFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseFloat("-2.25"), -2.25);
    EXPECT_DOUBLE_EQ(ParseFloat("3."), 3.0);
    EXPECT_DOUBLE_EQ(ParseFloat("WALL"), 0.0);
    EXPECT_DOUBLE_EQ(ParseFloat("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ParseFloat("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(ParseFloat("1e-999"), 0.0);
    EXPECT_EQ(ParseFloat("1e999"), std::numeric_limits<float>::max());
    EXPECT_EQ(ParseFloat("-1e39"), -std::numeric_limits<float>::max());
}
