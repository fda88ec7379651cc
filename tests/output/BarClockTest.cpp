// The bar's clock: its text for a time, and its place at the band's right end, where it changes
// with the time and the bar's text does not.
#include <string>

#include "output/BarClock.h"
#include "output/InfoBarLayout.h"
#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "support/TestDib.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD weekday, WORD hour, WORD minute) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wDayOfWeek = weekday;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

TEST(BarClockTest, ReadsItsThreeValuesAndShowsLocalTimeIn24Hours) {
    EXPECT_EQ(ParseBarClock(""), BarClock::None);
    EXPECT_EQ(ParseBarClock("0"), BarClock::None);
    EXPECT_EQ(ParseBarClock("time"), BarClock::Time);
    EXPECT_EQ(ParseBarClock("date"), BarClock::Date);
    for (const char* unreadable : {"Time", "1", "time ", "日期"}) EXPECT_FALSE(ParseBarClock(unreadable)) << unreadable;

    const struct {
        SYSTEMTIME time;
        const char* shownAsTime;
        const char* shownAsDate;
    } times[] = {
        {At(2026, 12, 9, 3, 14, 5), "14:05", "2026年12月9日 星期三 14:05"},
        {At(2026, 12, 13, 0, 0, 0), "00:00", "2026年12月13日 星期日 00:00"},
        {At(2027, 1, 1, 5, 23, 59), "23:59", "2027年1月1日 星期五 23:59"},
    };
    for (const auto& t : times) {
        EXPECT_EQ(BarClockText(BarClock::Time, t.time), t.shownAsTime);
        EXPECT_EQ(BarClockText(BarClock::Date, t.time), t.shownAsDate);
        EXPECT_EQ(BarClockText(BarClock::None, t.time), "");
    }
    SYSTEMTIME late = At(2026, 12, 9, 3, 14, 5);
    late.wSecond = 59;
    late.wMilliseconds = 990;
    EXPECT_EQ(MillisecondsToNextMinute(late), 10u);
}

SYSTEMTIME g_now{};
void WINAPI StandInTime(LPSYSTEMTIME time) { *time = g_now; }

class BarClockFrameTest : public OutputFixture {};

TEST_F(BarClockFrameTest, TheClockStandsAtTheRightEndAndOnlyItsRegionFollowsTheTime) {
    SharedState::width = 600;
    SharedState::height = 200;
    SharedState::clrbg = 0xFF000000;
    SharedState::clrfont = 0xFFFFFFFF;
    SharedState::dispbtm = "信息栏的文字很长很长很长很长很长很长很长很长很长很长";
    SharedState::clock = BarClock::Time;
    COutputDlg output(nullptr, &::SetThreadExecutionState, &StandInTime);
    TestDib first(600, 200), later(600, 200), alone(600, 200);
    g_now = At(2026, 12, 9, 3, 14, 5);
    ComposeOnto(output, first);
    g_now.wHour = 9;
    ComposeOnto(output, later);
    SharedState::dispbtm.clear();
    ComposeOnto(output, alone);

    const InfoBarLayout bar = LayoutInfoBar(kBarTextHeight, 600, 200);
    const int clockLeft = ClockLeft(bar, 600, core->getTextBounds("黑体", kUsualBarTextSize, "14:05").cx);
    const int top = 200 - bar.bandRows;
    int changed = 0, changedLeft = 0;
    for (int y = top; y < 200; ++y) {
        for (int x = 0; x < 600; ++x) {
            const bool differs = first.rgb(x, y) != later.rgb(x, y);
            (x < clockLeft - bar.margin ? changedLeft : changed) += differs ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 20) << "14:05 became 09:05";
    EXPECT_EQ(changedLeft, 0) << "the text's region stays";
    EXPECT_EQ(first.countRgb(clockLeft - bar.margin, top, clockLeft, 200, 0x000000), bar.margin * bar.bandRows)
        << "the text never runs under the clock";
    EXPECT_GT(alone.countRgb(clockLeft, top, 600, 200, 0xFFFFFF), 10) << "an empty text still shows the clock";
    EXPECT_EQ(alone.countRgb(0, 0, 600, top, 0x000000), 600 * top);
}

}  // namespace
