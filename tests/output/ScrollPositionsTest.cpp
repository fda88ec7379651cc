// Where the scrolling bar's text stands: plain arithmetic of time, speed and widths.
#include <gtest/gtest.h>

#include <vector>

#include "output/ScrollPositions.h"

namespace {

TEST(ScrollPositionsTest, TheTextMovesWithTheTimeAndComesRoundAgain) {
    constexpr int kStart = 6, kBand = 1000, kHeight = 30;
    const struct {
        const char* what;
        uint64_t elapsedMs;
        int speed;
        int textWidth;
        std::vector<int> lefts;
    } cases[] = {
        {"at the start: where the still bar has it", 0, 120, 300, {6}},
        {"half a second at 120 px/s, and the next copy entering", 500, 120, 300, {-54, 946}},
        {"30 px/s, a tenth of a second: 3 px, not stalled", 100, 30, 300, {3}},
        {"30 px/s, 33 ms: not yet a pixel", 33, 30, 300, {6}},
        {"a short text crosses the band alone", 4000, 120, 300, {526}},
        {"its head leaves as the next enters", 8400, 120, 300, {-2, 998}},
        {"three periods later: as at the start", 25000, 120, 300, {6}},
        {"a long text: its head follows its tail after three heights", 25000, 120, 3000, {-2994, 96}},
        {"after months, still exact", 90ull * 24 * 3600 * 1000, 60, 300, {6}},
    };
    for (const auto& c : cases) {
        const int period = ScrollPeriod(c.textWidth, kHeight, kBand);
        EXPECT_EQ(ScrolledTextLefts(c.elapsedMs, c.speed, kStart, c.textWidth, period, kBand), c.lefts) << c.what;
    }
    for (int speed : {0, 30, 120, 600}) EXPECT_TRUE(ScrollSpeedAccepted(speed)) << speed;
    for (int speed : {-60, 1, 29, 601, 100000}) EXPECT_FALSE(ScrollSpeedAccepted(speed)) << speed;
}

}  // namespace
