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

// Every channel, alpha included (the frames are premultiplied), within one level of
// from × (1 − t) + to × t over levels and weights; the ends exact.
TEST(CrossFadeTest, EachChannelIsWithinALevelOfTheExactMixAndTheEndsAreExact) {
    int worst = 0;
    for (unsigned weight = 0; weight <= kWholeFade; weight += 997) {
        for (uint32_t a = 0; a < 256; a += 15) {
            for (uint32_t b = 0; b < 256; b += 17) {
                const double exact = a + (static_cast<double>(b) - a) * weight / kWholeFade;
                for (int shift : {0, 8, 16, 24}) {
                    const int got = static_cast<int>(MixPixel(a << shift, b << shift, weight) >> shift & 0xFF);
                    worst = std::max(worst, static_cast<int>(std::ceil(std::fabs(got - exact))));
                }
            }
        }
    }
    EXPECT_LE(worst, 1);
    EXPECT_EQ(MixPixel(0x80FF2001, 0x40103070, 0), 0x80FF2001u);
    EXPECT_EQ(MixPixel(0x80FF2001, 0x40103070, kWholeFade - 1), 0x40103070u);
}

TEST(CrossFadeTest, TheStepsFollowTheClockAndAFadeLastsNoLongerThanItsTurn) {
    EXPECT_EQ(FadeWeight(0, 500), 0u);
    EXPECT_EQ(FadeWeight(250, 500), kWholeFade / 2);
    EXPECT_EQ(FadeWeight(500, 500), kWholeFade);
    EXPECT_EQ(FadeWeight(90000, 500), kWholeFade) << "a step that came late ends the fade";
    EXPECT_EQ(FadeLength(1000, 5000), 1000);
    EXPECT_EQ(FadeLength(5000, 1000), 1000) << "clamped to the turn";
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
