// The output's arithmetic: the first corner, the timer period, the frame size bound and the
// information bar's geometry.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

#include "output/InfoBarLayout.h"
#include "output/OutputPlacement.h"

namespace {

TEST(FirstPlacementCornerTest, TruncatesTheExactProductsOfTheSinglePrecisionFactors) {
    // 1920 * 0.7 would be 1344; 0.7f is a little below 0.7.
    const POINT wide = FirstPlacementCorner(1920, 1080);
    EXPECT_EQ(wide.x, 1343);
    EXPECT_EQ(wide.y, 108);
    const POINT square = FirstPlacementCorner(1280, 1024);
    EXPECT_EQ(square.x, 895);
    EXPECT_EQ(square.y, 102);
    const POINT none = FirstPlacementCorner(0, 0);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

TEST(FirstPlacementCornerTest, ASavedCornerComesBackOnlyOntoAMonitorThatIsThere) {
    const RECT primary{0, 0, 1920, 1080};
    const RECT right{1920, 0, 3200, 1024};
    const RECT left{-1280, 0, 0, 1024};
    const POINT usual = FirstPlacementCorner(1920, 1080);
    struct Case {
        const char* what;
        std::optional<POINT> saved;
        std::vector<RECT> monitors;
        POINT expected;
    };
    const Case cases[] = {
        {"nothing saved", std::nullopt, {primary, right}, usual},
        {"on the second screen", POINT{1920, 0}, {primary, right}, POINT{1920, 0}},
        {"on a screen left of the primary", POINT{-1280, 500}, {left, primary}, POINT{-1280, 500}},
        {"the second screen is gone", POINT{1920, 0}, {primary}, usual},
        {"just beyond the last pixel", POINT{1920, 1080}, {primary}, usual},
        {"above every screen", POINT{100, -1}, {primary, right}, usual},
        {"no monitor reported", POINT{10, 10}, {}, usual},
    };
    for (const Case& c : cases) {
        const POINT chosen = ChooseFirstCorner(c.saved, 1920, 1080, c.monitors);
        EXPECT_EQ(chosen.x, c.expected.x) << c.what;
        EXPECT_EQ(chosen.y, c.expected.y) << c.what;
    }
}

TEST(RotationPeriodTest, IsTheIntervalInMillisecondsWithinTheTimerBounds) {
    const UINT shortest = USER_TIMER_MINIMUM;
    const UINT longest = USER_TIMER_MAXIMUM;
    // Intervals no validation has seen give the shortest or the longest period, never a
    // wrapped product; a negative one keeps the picture, as the platform's unsigned reading would.
    const struct {
        int interval;
        UINT period;
    } cases[] = {
        {1, 1000u},         {5, 5000u},           {2147483, 2147483000u}, {0, shortest},
        {-1, longest},      {-3, longest},        {INT_MIN, longest},     {2147484, longest},
        {INT_MAX, longest},
    };
    for (const auto& c : cases) EXPECT_EQ(RotationPeriod(c.interval), c.period) << "interval " << c.interval;
}

TEST(FrameSizeTest, AcceptsEveryValidatedSizeAndRefusesWhatNoSurfaceCanHave) {
    EXPECT_TRUE(FrameSizeIsDrawable(100, 100));
    EXPECT_TRUE(FrameSizeIsDrawable(8000, 2000));
    EXPECT_TRUE(FrameSizeIsDrawable(1, 1));
    EXPECT_TRUE(FrameSizeIsDrawable(32767, 16383));
    EXPECT_FALSE(FrameSizeIsDrawable(0, 600));
    EXPECT_FALSE(FrameSizeIsDrawable(800, -600));
    EXPECT_FALSE(FrameSizeIsDrawable(100000, 600));
    EXPECT_FALSE(FrameSizeIsDrawable(32767, 32767));
    EXPECT_FALSE(FrameSizeIsDrawable(INT_MIN, INT_MIN));
}

TEST(InfoBarLayoutTest, TheWorkedExample) {
    const InfoBarLayout bar = LayoutInfoBar(40, 1920, 1080);
    EXPECT_EQ(bar.margin, 8);
    EXPECT_EQ(bar.bandRows, 56);
    EXPECT_FLOAT_EQ(bar.bandX, -2.0f);
    EXPECT_FLOAT_EQ(bar.bandY, 1024.0f);
    EXPECT_FLOAT_EQ(bar.bandWidth, 1924.0f);
    EXPECT_FLOAT_EQ(bar.bandHeight, 56.0f);
    EXPECT_EQ(bar.textPoint.x, 8);
    EXPECT_EQ(bar.textPoint.y, 1032);
}

TEST(InfoBarLayoutTest, TheMarginIsAFifthOfTheTextHeightAndTheBandEndsAtTheBottom) {
    for (int c = 0; c <= 100000; ++c) {
        const InfoBarLayout bar = LayoutInfoBar(c, 800, 600);
        ASSERT_EQ(bar.margin, c / 5) << "height " << c;
        ASSERT_EQ(bar.bandRows, c + 2 * (c / 5)) << "height " << c;
        // The text ends d above the bottom edge, inside the band.
        ASSERT_EQ(bar.textPoint.y + c + bar.margin, 600) << "height " << c;
        ASSERT_EQ(bar.bandY + bar.bandHeight, 600.0f) << "height " << c;
    }
}

TEST(InfoBarLayoutTest, SettingsAtTheEndsOfTheIntRangeDoNotWrap) {
    const InfoBarLayout wide = LayoutInfoBar(40, INT_MAX, INT_MIN);
    // A wrapped sum would turn the band's width negative and its top positive.
    EXPECT_GT(wide.bandWidth, 2.0e9f);
    EXPECT_LT(wide.bandY, -2.0e9f);
    EXPECT_EQ(wide.textPoint.y, INT_MIN);
}

}  // namespace
