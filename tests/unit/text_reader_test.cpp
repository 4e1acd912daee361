#include "map/number_text.h"
#include "map/text_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
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

std::string number(double value)
{
    char text[kNumberRoom];
    return {text, WriteNumber(text, value)};
}

std::string inForm(double value, NumberForm form)
{
    char text[kNumberRoom];
    return {text, WriteNumberInForm(text, value, form)};
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

TEST(TextReader, NextNonBlankSkipsCommentsCountsLinesAndEndsCleanlyAndQuotesAreKept)
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

    // A quoted text keeps both quotes and its inner blanks; one that never closes is none.
    TextCursor quoted("\"abc def\" rest\n");
    ASSERT_EQ(NextNonBlank(quoted), '"');
    EXPECT_EQ(ReadQuoted(quoted), "\"abc def\"");
    EXPECT_EQ(nextToken(quoted), "rest");
    TextCursor unterminated("\"abc");
    NextNonBlank(unterminated);
    EXPECT_EQ(ReadQuoted(unterminated), "");
}

// Integers take their leading digits only, clamped to int; floats read a fraction and an exponent
// within float range, and anything else as 0.
TEST(TextReader, NumberConversionsTakeWhatLeadsTheTokenWithinRange)
{
    for (const auto& [text, value] : {std::pair{"12.7", 12}, {"-5x", -5}, {"+7", 7}, {"abc", 0}, {"", 0}, {"0.9", 0},
                                      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}}) {
        EXPECT_EQ(ParseInt(text), value) << text;
    }
    for (const auto& [text, value] : {std::pair{"1.5e2x", 150.0}, {".5", 0.5}, {"-2.25", -2.25}, {"3.", 3.0}, {"WALL", 0.0},
                                      {"inf", 0.0}, {"0x10", 0.0}, {"1e-999", 0.0}, {"1e999", double(std::numeric_limits<float>::max())},
                                      {"-1e39", -double(std::numeric_limits<float>::max())}}) {
        EXPECT_EQ(ParseFloat(text), value) << text;
    }
}

TEST(NumberText, WholeNumbersAreWrittenAsIntegersAndEverythingElseReadsBackExactly)
{
    EXPECT_EQ(number(64), "64");
    EXPECT_EQ(number(-0.0), "0");
    EXPECT_EQ(number(1e15), "1000000000000000");
    EXPECT_EQ(number(0.1), "0.1");
    EXPECT_EQ(number(1.0000000000000002), "1.0000000000000002");
    EXPECT_EQ(number(-2.83277e-16), "-2.83277e-16");

    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> coordinate(-70000, 70000);
    std::uniform_int_distribution<int> exponent(-30, 4);
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 2 ? coordinate(random) : std::ldexp(coordinate(random), exponent(random));
        ASSERT_EQ(ParseNumber(number(value)), value) << number(value);
    }
}

// Six decimals only where they read back to the value; otherwise the shortest text that does.
TEST(NumberText, SixDecimalsAreKeptWhereTheyReadBack)
{
    EXPECT_EQ(inForm(1, NumberForm::SixDecimalsBare), "1.000000");
    EXPECT_EQ(inForm(0.5, NumberForm::SixDecimalsBare), ".500000");
    EXPECT_EQ(inForm(0.707107, NumberForm::SixDecimals), "0.707107");
    EXPECT_EQ(inForm(-2.25, NumberForm::SixDecimals), "-2.250000");
    EXPECT_EQ(inForm(1.3200000525, NumberForm::SixDecimalsBare), "1.3200000525");
    EXPECT_EQ(inForm(0.5, NumberForm::Shortest), "0.5");
    std::mt19937 random(6);
    std::uniform_int_distribution<int> millionths(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        char expected[64];
        const double value = millionths(random) / 1e6;
        std::snprintf(expected, sizeof expected, "%.6f", value);
        ASSERT_EQ(inForm(value, NumberForm::SixDecimals), expected);
    }

    EXPECT_EQ(FormOf("1.000000"), NumberForm::SixDecimalsBare);
    EXPECT_EQ(FormOf("-.500000"), NumberForm::SixDecimalsBare);
    EXPECT_EQ(FormOf("-0.707107"), NumberForm::SixDecimals);
    for (const char* other : {"1", "0.5", "1.3200000525", "1.000000e5", "-0"}) EXPECT_EQ(FormOf(other), NumberForm::Shortest) << other;
}

// A number is taken only when its whole token is one; reading it as its token is found gives
// what finding the token and then reading it gives, across comments and line feeds.
TEST(NumberText, ANumberIsTakenOnlyWhenItIsAllANumberAlsoWhenReadWithItsToken)
{
    const std::vector<std::string> numbers = {"0",     "-7",   "+12",     "007",    "1.5", ".5e1", "-2.83277e-16", "1e300",
                                              "5.",    "-.25", "0.000001", "123456789012345678", "1234567890123456.5"};
    const std::vector<std::string> others = {"-", ".", "nan", "inf", "-infinity", "1e400", "0x10", "12x", "1.2.3", "1e", "("};
    std::string text = "// 99 }\n";
    for (const std::string& number : numbers) {
        double expected = 0;
        std::sscanf(number.c_str(), "%lf", &expected);
        EXPECT_EQ(ParseNumber(number), expected) << number;
        text += number + (number.size() % 2 ? "\n" : "\t");
    }
    for (const std::string& other : others) {
        EXPECT_FALSE(ParseNumber(other)) << other;
        text += other + "\r\n";
    }
    EXPECT_FALSE(ParseNumber(""));

    text += "7";
    TextCursor tokens(text);
    TextCursor read(text);
    for (std::string_view token = nextToken(tokens); !token.empty(); token = nextToken(tokens)) {
        const NumberToken number = NextNumber(read);
        EXPECT_EQ(number.text, token);
        EXPECT_EQ(number.value, ParseNumber(token)) << token;
        EXPECT_EQ(read.line(), tokens.line()) << token;
    }
    // The last number is not ended by a blank: lost, as its token is.
    EXPECT_EQ(NextNumber(read).text, "");
}
