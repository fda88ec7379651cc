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

// Layouts as Windows reports them: the primary at the origin, a second screen on any side.
const Monitor kPrimary{{0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", true};
const Monitor kRight{{1920, 0, 3200, 1024}, "\\\\.\\DISPLAY2", false};
const Monitor kLeft{{-1280, 0, 0, 1024}, "\\\\.\\DISPLAY2", false};
const Monitor kAbove{{0, -1024, 1280, 0}, "\\\\.\\DISPLAY2", false};
const Monitor kLowRight{{1920, 200, 3200, 1224}, "\\\\.\\DISPLAY2", false};
const POINT kUsual{1343, 108};  // the first placement on the primary screen

void ExpectCorner(const std::optional<POINT>& got, const std::optional<POINT>& expected, const char* what) {
    ASSERT_EQ(got.has_value(), expected.has_value()) << what;
    if (!got) return;
    EXPECT_EQ(got->x, expected->x) << what;
    EXPECT_EQ(got->y, expected->y) << what;
}

TEST(FirstPlacementCornerTest, ASavedPlaceComesBackOnlyOntoAMonitorThatIsThere) {
    const HomePlace onSecond{"\\\\.\\DISPLAY2", POINT{40, 30}};
    const struct {
        const char* what;
        std::optional<POINT> saved;
        std::optional<HomePlace> home;
        std::vector<Monitor> monitors;
        POINT expected;
    } cases[] = {
        {"nothing saved", std::nullopt, std::nullopt, {kPrimary, kRight}, kUsual},
        {"on the second screen", POINT{1960, 30}, onSecond, {kPrimary, kRight}, POINT{1960, 30}},
        {"its monitor moved to the left", POINT{1960, 30}, onSecond, {kPrimary, kLeft}, POINT{-1240, 30}},
        {"a corner on a screen left of the primary", POINT{-1280, 500}, std::nullopt, {kLeft, kPrimary},
         POINT{-1280, 500}},
        {"the second screen is gone", POINT{1960, 30}, onSecond, {kPrimary}, kUsual},
        {"just beyond the last pixel", POINT{1920, 1080}, std::nullopt, {kPrimary}, kUsual},
        {"no monitor reported", POINT{10, 10}, std::nullopt, {}, kUsual},
    };
    for (const auto& c : cases) ExpectCorner(ChooseFirstCorner(c.saved, c.home, 1920, 1080, c.monitors), c.expected, c.what);
}

TEST(SecondScreenCornerTest, IsTheFirstOtherMonitorsCornerWhereverItLies) {
    const struct {
        const char* what;
        std::vector<Monitor> monitors;
        std::optional<POINT> expected;
    } cases[] = {
        {"right", {kPrimary, kRight}, POINT{1920, 0}},
        {"left", {kPrimary, kLeft}, POINT{-1280, 0}},
        {"above", {kAbove, kPrimary}, POINT{0, -1024}},
        {"right, lower", {kPrimary, kLowRight}, POINT{1920, 200}},
        {"a third at the primary's right edge, listed last", {kPrimary, kLeft, kRight}, POINT{1920, 0}},
        {"one screen", {kPrimary}, std::nullopt},
    };
    for (const auto& c : cases) ExpectCorner(SecondScreenCorner(1920, c.monitors), c.expected, c.what);
}

TEST(ReturnCornerTest, TheOutputComesBackToItsMonitorAndNeverStaysOnNone) {
    const auto at = [](LONG x, LONG y) { return RECT{x, y, x + 800, y + 600}; };
    const HomePlace home{"\\\\.\\DISPLAY2", POINT{40, 30}, kRight.rect};
    const HomePlace halfOff{"\\\\.\\DISPLAY2", POINT{600, 30}, kRight.rect};  // where a drag left it
    // The main screen lowered to 1024 x 768 moves the second to its new right edge; the second at
    // 1024 x 768 itself is smaller.
    const Monitor lowered{{0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true};
    const Monitor movedIn{{1024, 0, 2304, 1024}, "\\\\.\\DISPLAY2", false};
    const Monitor smaller{{1920, 0, 2944, 768}, "\\\\.\\DISPLAY2", false};
    const Monitor tiny{{1920, 0, 2560, 480}, "\\\\.\\DISPLAY2", false};
    const struct {
        const char* what;
        RECT window;
        std::optional<HomePlace> home;
        std::vector<Monitor> monitors;
        std::optional<POINT> expected;
    } cases[] = {
        {"on its monitor", at(1960, 30), home, {kPrimary, kRight}, std::nullopt},
        {"moved within its monitor", at(2000, 100), home, {kPrimary, kRight}, std::nullopt},
        {"its monitor gone: the main screen", at(1960, 30), home, {kPrimary}, kUsual},
        {"moved by the system onto the main screen", at(0, 0), home, {kPrimary}, kUsual},
        {"already there", at(kUsual.x, kUsual.y), home, {kPrimary}, std::nullopt},
        {"its monitor back", at(kUsual.x, kUsual.y), home, {kPrimary, kRight}, POINT{1960, 30}},
        {"its monitor back on the left", at(kUsual.x, kUsual.y), home, {kPrimary, kLeft}, POINT{-1240, 30}},
        {"never placed on a monitor, now on one", at(100, 100), std::nullopt, {kPrimary}, std::nullopt},
        {"never placed on a monitor, on none", at(5000, 0), std::nullopt, {kPrimary}, kUsual},
        {"its monitor moved under it", at(1960, 30), home, {lowered, movedIn}, POINT{1064, 30}},
        {"dragged half off its monitor", at(2520, 30), halfOff, {kPrimary, kRight}, std::nullopt},
        {"its monitor smaller: moved in", at(2520, 30), halfOff, {kPrimary, smaller}, POINT{2144, 30}},
        {"larger than its monitor: at its corner", at(2520, 30), halfOff, {kPrimary, tiny}, POINT{1920, 0}},
    };
    for (const auto& c : cases) ExpectCorner(ReturnCorner(c.window, c.home, c.monitors, kUsual), c.expected, c.what);
}

TEST(WhollyOnSecondScreenTest, OnlyAWindowWithinOneOtherMonitor) {
    EXPECT_TRUE(WhollyOnSecondScreen(RECT{1920, 0, 3200, 1024}, {kPrimary, kRight}));
    EXPECT_FALSE(WhollyOnSecondScreen(RECT{1900, 0, 2700, 600}, {kPrimary, kRight})) << "across both";
    EXPECT_FALSE(WhollyOnSecondScreen(RECT{0, 0, 800, 600}, {kPrimary, kRight})) << "on the primary";
    EXPECT_FALSE(WhollyOnSecondScreen(RECT{1920, 0, 3201, 600}, {kPrimary, kRight})) << "a pixel beyond";
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
    // A clock 90 wide stands d in from the right edge, at 1920 - 8 - 90; the text keeps left of 1814.
    EXPECT_EQ(ClockLeft(bar, 1920, 90), 1822);
}

TEST(InfoBarLayoutTest, TheMarginIsAFifthOfTheTextHeightAndTheBandEndsAtTheBottom) {
    const struct {
        int text, margin;
    } rows[] = {{0, 0}, {4, 0}, {5, 1}, {9, 1}, {10, 2}, {100000, 20000}};
    for (const auto& row : rows) {
        const InfoBarLayout bar = LayoutInfoBar(row.text, 800, 600);
        EXPECT_EQ(bar.margin, row.margin) << "height " << row.text;
        EXPECT_EQ(bar.bandRows, row.text + 2 * row.margin) << "height " << row.text;
        // The text ends d above the bottom edge, inside the band.
        EXPECT_EQ(bar.textPoint.y + row.text + row.margin, 600) << "height " << row.text;
        EXPECT_EQ(bar.bandY + bar.bandHeight, 600.0f) << "height " << row.text;
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
