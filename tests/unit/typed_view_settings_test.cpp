#include "ui/typed_view_settings.h"

#include <gtest/gtest.h>

using namespace vorn;

TEST(TypedViewSettings, TakeWholeGridSizesAndScalePercentsTheViewCanUse)
{
    EXPECT_EQ(ParseGridSize("24"), 24);
    EXPECT_EQ(ParseGridSize(" 8192 "), 8192);
    for (const char* bad : {"", "0", "-16", "12.5", "16px", "8193", "abc"}) EXPECT_FALSE(ParseGridSize(bad)) << bad;

    EXPECT_EQ(ParseScalePercent("60"), 60.0f);
    EXPECT_EQ(ParseScalePercent("12.5"), 12.5f);
    for (const char* bad : {"", "0", "-50", "1601", "nan", "inf", "50%"}) EXPECT_FALSE(ParseScalePercent(bad)) << bad;
}
