// Measuring and drawing the information bar's text: the named family in pixel units, a
// fallback family for a name that is not installed, and the solid colour near the point.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "core/Core.h"
#include "support/TestDib.h"

namespace {

constexpr uint32_t kBackground = 0x102030;
constexpr uint32_t kText = 0xFFE000;
const char kBarText[] = "Placard 信息栏";
const char kMissingFamily[] = "No Such Family 7f3a";

class TextTest : public ::testing::Test {
protected:
    void Draw(TestDib& dib, POINT point, const std::string& text, const std::string& font, int size) const {
        dib.fill(0xFF000000 | kBackground);
        Gdiplus::Graphics graphics(dib.dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        core.drawStrSolid(graphics, point, 0, text, font, 0xFF000000 | kText, size, 0);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        GdiFlush();
    }

    CCore core;
};

TEST_F(TextTest, ExtentsArePositiveAndScaleWithThePixelSize) {
    for (const char* family : {"黑体", kMissingFamily}) {
        SCOPED_TRACE(family);
        const SIZE small = core.getTextBounds(family, 30, kBarText);
        const SIZE large = core.getTextBounds(family, 60, kBarText);
        EXPECT_GT(small.cy, 0);
        EXPECT_GT(small.cx, 0);
        EXPECT_NEAR(large.cy, 2 * small.cy, 3);
        EXPECT_GT(core.getTextBounds(family, 30, std::string(kBarText) + kBarText).cx, small.cx + small.cx / 2);
    }
}

TEST_F(TextTest, SolidTextAppearsWithinItsMeasuredExtentAndNowhereElse) {
    for (const char* family : {"黑体", kMissingFamily}) {
        SCOPED_TRACE(family);
        TestDib dib(400, 120);
        const POINT at{20, 30};
        Draw(dib, at, kBarText, family, 30);
        const SIZE extent = core.getTextBounds(family, 30, kBarText);
        const int right = std::min(400, static_cast<int>(at.x + extent.cx));
        const int bottom = std::min(120, static_cast<int>(at.y + extent.cy));
        const int solid = dib.countRgb(at.x, at.y, right, bottom, kText);
        EXPECT_GT(solid, 100) << "the strokes carry the colour itself";
        EXPECT_EQ(dib.countRgb(0, 0, 400, 120, kText), solid);
        const int inside = dib.countRgb(at.x, at.y, right, bottom, kBackground);
        EXPECT_EQ(dib.countRgb(0, 0, 400, 120, kBackground), inside + 400 * 120 - (right - at.x) * (bottom - at.y))
            << "nothing drawn outside the measured extent";
    }
}

TEST_F(TextTest, EmptyTextDrawsNothing) {
    TestDib dib(100, 60);
    Draw(dib, POINT{10, 10}, "", "黑体", 30);
    EXPECT_EQ(dib.countRgb(0, 0, 100, 60, kBackground), 100 * 60);
    EXPECT_EQ(core.getTextBounds("黑体", 30, "").cx, 0);
}

}  // namespace
