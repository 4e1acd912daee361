#include "map/number_text.h"
#include "map/text_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using namespace vorn;

namespace {

template <typename Writer, typename T>
std::string written(Writer write, T value)
{
    char text[kNumberRoom];
    return {text, write(text, value)};
}

std::string number(double value) { return written(WriteNumber, value); }
std::string single(float value) { return written(WriteSingle, value); }
std::string sixDecimals(float value) { return written(WriteSixDecimals, value); }

} // namespace

TEST(NumberText, WholeNumbersAreWrittenAsIntegersAndEverythingElseReadsBackExactly)
{
    EXPECT_EQ(number(64), "64");
    EXPECT_EQ(number(-0.0), "0");
    EXPECT_EQ(number(1e15), "1000000000000000");
    EXPECT_EQ(number(0.1), "0.1");
    EXPECT_EQ(number(1.0000000000000002), "1.0000000000000002");
    EXPECT_EQ(number(-2.83277e-16), "-2.83277e-16");
    EXPECT_EQ(single(126.869896f), "126.869896");
    EXPECT_EQ(single(-90), "-90");

    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> coordinate(-70000, 70000);
    std::uniform_int_distribution<int> exponent(-30, 4);
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 2 ? coordinate(random) : std::ldexp(coordinate(random), exponent(random));
        ASSERT_EQ(ParseFloat(number(value)), value) << number(value);
        const auto narrow = static_cast<float>(value);
        ASSERT_EQ(static_cast<float>(ParseFloat(single(narrow))), narrow) << single(narrow);
    }
}

TEST(NumberText, SixDecimalsRoundLikeTheLibraryWhicheverWayTheyAreMade)
{
    EXPECT_EQ(sixDecimals(1), "1.000000");
    EXPECT_EQ(sixDecimals(0.5f), ".500000");
    EXPECT_EQ(sixDecimals(-2.25f), "-2.250000");
    EXPECT_EQ(sixDecimals(-0.0f), "-.000000");
    EXPECT_EQ(sixDecimals(-3.4e38f).size(), 47u); // the longest there is
    std::mt19937 random(6);
    std::uniform_int_distribution<int> sixtyFourths(-16000000, 16000000);
    std::uniform_real_distribution<float> any(-100, 100);
    for (int i = 0; i < 20000; ++i) {
        // Values with at most six decimals (k/64) and values with more, against the C library's rounding.
        const float value = i % 2 ? static_cast<float>(sixtyFourths(random)) / 64.0f : any(random);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.6f", static_cast<double>(value));
        std::string text = expected;
        if (text.starts_with("-0.")) text.erase(1, 1);
        if (text.starts_with("0.")) text.erase(0, 1);
        ASSERT_EQ(sixDecimals(value), text) << value;
    }
}

TEST(NumberText, ReadingTakesWholeNumbersAndSignsTheWayTheGeneralConversionDoes)
{
    for (const char* text : {"0", "-7", "123456789", "-999999999", "1234567890", "+12", "007", "12x", "-", "1.5", ".5e1"}) {
        double expected = 0;
        std::sscanf(text, "%lf", &expected);
        EXPECT_EQ(ParseFloat(text), expected) << text;
    }
}
