#include "map/number_text.h"
#include "map/text_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace vorn;

namespace {

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

TEST(NumberText, ANumberIsTakenOnlyWhenItIsAllANumber)
{
    for (const char* text : {"0", "-7", "+12", "007", "1.5", ".5e1", "-2.83277e-16", "1e300", "123456789012345678"}) {
        double expected = 0;
        std::sscanf(text, "%lf", &expected);
        EXPECT_EQ(ParseNumber(text), expected) << text;
    }
    for (const char* text : {"", "-", ".", "nan", "inf", "-infinity", "1e400", "0x10", "12x", "1.2.3", "1e"}) {
        EXPECT_FALSE(ParseNumber(text)) << text;
    }
}
