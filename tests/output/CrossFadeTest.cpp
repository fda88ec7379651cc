// "fade=": the mix of two frames as arithmetic, the steps by the clock, and a window read between
// two pictures.
#include <algorithm>
#include <cmath>
#include <string>

#include "output/CrossFade.h"
#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "resource.h"
#include "support/MessagePump.h"
#include "support/TestDib.h"

namespace {

TEST(CrossFadeTest, EachChannelIsWithinALevelOfTheExactMixAndTheEndsAreExact) {
    const unsigned half = kWholeFade / 2;
    const struct {
        uint32_t from, to;
        unsigned weight;
        uint32_t mixed;
    } mixes[] = {
        {0xFF000000, 0xFFFFFFFF, 0, 0xFF000000},           {0xFF000000, 0xFFFFFFFF, kWholeFade, 0xFFFFFFFF},
        {0xFF000000, 0xFFFFFFFF, half, 0xFF808080},        {0xFF102030, 0xFF302010, half, 0xFF202020},
        {0xFF000000, 0xFF010101, half, 0xFF010101},        // 0.5 rounds up
        {0xFFFF0000, 0xFF00FF00, kWholeFade / 4, 0xFFBF4000},
        {0x80800000, 0xFF00FF00, half, 0xC0408000},        // premultiplied, translucent
        {0x00000000, 0x40404040, kWholeFade - 1, 0x40404040},
    };
    for (const auto& m : mixes) {
        EXPECT_EQ(MixPixel(m.from, m.to, m.weight), m.mixed) << std::hex << m.from << " " << m.to << " " << m.weight;
    }
    // Every channel within one level of from × (1 − t) + to × t, over levels and weights.
    int worst = 0;
    for (unsigned weight = 0; weight <= kWholeFade; weight += 997) {
        for (uint32_t a = 0; a < 256; a += 15) {
            for (uint32_t b = 0; b < 256; b += 17) {
                const double exact = a + (static_cast<double>(b) - a) * weight / kWholeFade;
                const int got = static_cast<int>(MixPixel(a << 16, b << 16, weight) >> 16);
                worst = std::max(worst, static_cast<int>(std::ceil(std::fabs(got - exact))));
            }
        }
    }
    EXPECT_LE(worst, 1);
    const uint32_t from[] = {0xFF0000FF, 0xFFFFFFFF}, to[] = {0xFFFF0000, 0xFFFFFFFF};
    uint32_t out[2] = {};
    MixPixels(from, to, out, 2, half);
    EXPECT_EQ(out[0], MixPixel(from[0], to[0], half));
    EXPECT_EQ(out[1], 0xFFFFFFFFu);
}

TEST(CrossFadeTest, TheStepsFollowTheClockAndAFadeLastsNoLongerThanItsTurn) {
    EXPECT_EQ(FadeWeight(0, 500), 0u);
    EXPECT_EQ(FadeWeight(250, 500), kWholeFade / 2);
    EXPECT_EQ(FadeWeight(499, 500), (499u * kWholeFade + 250) / 500);
    EXPECT_EQ(FadeWeight(500, 500), kWholeFade);
    EXPECT_EQ(FadeWeight(90000, 500), kWholeFade) << "a step that came late ends the fade";
    EXPECT_EQ(FadeLength(1000, 5000), 1000);
    EXPECT_EQ(FadeLength(5000, 1000), 1000) << "clamped to the turn";
    EXPECT_FALSE(FadeAccepted(99));
    EXPECT_TRUE(FadeAccepted(100));
    EXPECT_TRUE(FadeAccepted(5000));
    EXPECT_FALSE(FadeAccepted(5001));
}

class CrossFadeWindowTest : public OutputFixture {};

TEST_F(CrossFadeWindowTest, TheWindowShowsAMixBetweenTwoPicturesAndThenTheNewOneExactly) {
    SharedState::width = 200;
    SharedState::height = 150;
    SharedState::interval = 60;
    SharedState::fade = 1000;
    Picture("red.bmp", 200, 150, 0xFF0000);
    Picture("green.bmp", 200, 150, 0x00FF00);
    Listed({"red.bmp", "green.bmp"});
    COutputDlg output(nullptr);
    ASSERT_TRUE(output.Create(IDD_OUTPUT, nullptr));
    output.Place(RECT{50, 50, 250, 200});
    PumpMessages(50);
    TestDib first(1, 1), between(1, 1), after(1, 1);
    CaptureScreen(first, 100, 100);
    output.PostMessage(WM_TIMER, COutputDlg::kRotationTimer, 0);
    PumpMessages(500);
    CaptureScreen(between, 100, 100);
    PumpMessages(800);
    CaptureScreen(after, 100, 100);
    output.DestroyWindow();

    EXPECT_TRUE(RgbClose(first.rgb(0, 0), 0xFF0000)) << "the first frame comes without a fade";
    const uint32_t mixed = between.rgb(0, 0);
    EXPECT_GT(mixed >> 16 & 0xFF, 0x20u) << std::hex << mixed;
    EXPECT_GT(mixed >> 8 & 0xFF, 0x20u) << std::hex << mixed;
    EXPECT_LT(mixed >> 16 & 0xFF, 0xE0u) << std::hex << mixed;
    EXPECT_TRUE(RgbClose(after.rgb(0, 0), 0x00FF00)) << std::hex << after.rgb(0, 0);
}

}  // namespace
