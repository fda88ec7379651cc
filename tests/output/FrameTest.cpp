// Frames by their pixels: the three layers composed onto a DIB of the test's own, what the
// window shows after a push, and frames that leave no GDI object behind.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "output/BarStrip.h"
#include "output/InfoBarLayout.h"
#include "output/ScrollPositions.h"
#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "resource.h"
#include "support/GdiSlots.h"
#include "support/MessagePump.h"
#include "support/PictureFiles.h"
#include "support/TestDib.h"

namespace {

constexpr uint32_t kBackground = 0x204060;
constexpr uint32_t kText = 0xFFE000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

class FrameTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputFixture::SetUp();
        SharedState::clrbg = 0xFF000000 | kBackground;
        SharedState::clrfont = 0xFF000000 | kText;
    }
    void Compose(TestDib& dib) { ComposeOnto(output, dib); }
    // An output window's settings, with frames a minute apart: only what a test does comes between.
    static void WindowSettings(int width, int height, const char* bar) {
        SharedState::width = width;
        SharedState::height = height;
        SharedState::interval = 60;
        SharedState::dispbtm = bar;
    }

    COutputDlg output{nullptr};
};

TEST_F(FrameTest, TheBackgroundCoversWidthByHeightAndNothingElse) {
    SharedState::width = 200;
    SharedState::height = 150;
    TestDib dib(240, 180);
    dib.fill(0);
    Compose(dib);
    EXPECT_EQ(dib.pixel(0, 0), 0xFF000000 | kBackground);
    EXPECT_EQ(dib.pixel(199, 149), 0xFF000000 | kBackground);
    EXPECT_EQ(dib.countRgb(0, 0, 200, 150, kBackground), 200 * 150);
    // Beyond SharedState's size the frame stays as it was made: transparent.
    EXPECT_EQ(dib.pixel(200, 0), 0u);
    EXPECT_EQ(dib.pixel(0, 150), 0u);
    EXPECT_EQ(dib.pixel(239, 179), 0u);
}

// The background filled straight into the frame's pixels has the bytes of GDI+'s own fill
// (premultiplied), for opaque and translucent colours over what the surface held.
TEST_F(FrameTest, TheBackgroundFilledInThePixelsIsGdiPlusFillByteForByte) {
    SharedState::width = 200;
    SharedState::height = 150;
    const uint32_t colours[] = {0xFF204060, 0x80204060, 0x01FFFFFF, 0xFEFF8001, 0x7F00FF80, 0x00FF0000, 0xC0FFFFFF};
    const uint32_t unders[] = {0x00000000, 0xFF808080, 0x80402010, 0x40404040};
    for (const uint32_t colour : colours) {
        for (const uint32_t under : unders) {
            SCOPED_TRACE(testing::Message() << std::hex << colour << " over " << under);
            SharedState::clrbg = colour;
            TestDib filled(240, 180), drawn(240, 180);
            filled.fill(under);
            drawn.fill(under);
            ComposeOnto(output, filled);
            ComposeOnto(output, drawn, false);
            int different = 0;
            uint32_t first = 0, firstDrawn = 0;
            for (int y = 0; y < 180; ++y) {
                for (int x = 0; x < 240; ++x) {
                    if (filled.pixel(x, y) != drawn.pixel(x, y) && different++ == 0) {
                        first = filled.pixel(x, y);
                        firstDrawn = drawn.pixel(x, y);
                    }
                }
            }
            EXPECT_EQ(different, 0) << std::hex << first << " where GDI+ gives " << firstDrawn;
        }
    }
}

TEST_F(FrameTest, ThePictureStandsAtTheTopLeftAtItsNaturalSize) {
    SharedState::width = 200;
    SharedState::height = 150;
    Picture("red.bmp", 40, 30, kRed);
    Listed({"red.bmp"});
    TestDib dib(200, 150);
    Compose(dib);
    EXPECT_EQ(dib.pixel(0, 0), 0xFF000000 | kRed);
    EXPECT_EQ(dib.countRgb(0, 0, 40, 30, kRed), 40 * 30);
    EXPECT_EQ(dib.countRgb(0, 0, 200, 150, kRed), 40 * 30);
    EXPECT_EQ(dib.rgb(40, 0), kBackground);
    EXPECT_EQ(dib.rgb(0, 30), kBackground);
}

TEST_F(FrameTest, APictureCopiedInLateJoinsInItsPlaceAtTheNextRound) {
    SharedState::width = 100;
    SharedState::height = 100;
    Picture("red.bmp", 100, 100, kRed);
    Picture("blue.bmp", 100, 100, kBlue);
    LoadPlaylist("red.bmp\r\nlate.bmp\r\nblue.bmp\r\n");
    std::vector<uint32_t> shown;
    for (int i = 0; i < 5; ++i) {
        if (i == 1) Picture("late.bmp", 100, 100, kGreen);  // copied in during the first round
        TestDib dib(100, 100);
        Compose(dib);
        shown.push_back(dib.rgb(50, 50));
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{kRed, kBlue, kRed, kGreen, kBlue}));

    // Being rewritten by another program: skipped for its turn, as a missing picture is.
    SharedState::playlist->setUnsettled({"red.bmp"});
    TestDib dib(100, 100);
    Compose(dib);
    EXPECT_EQ(dib.rgb(50, 50), kBackground);
}

TEST_F(FrameTest, EachFitModeDrawsThePictureWhereItSays) {
    SharedState::width = 200;
    SharedState::height = 100;
    folder.write("data\\square.png", EncodePicture(L"image/png", 40, 40, kRed, kBlue));
    Listed({"square.png"});
    const struct {
        PictureFit fit;
        int left, right;  // the picture's columns at mid height; the rest is background
        int filled;       // pixels of the picture
    } cases[] = {
        {PictureFit::None, 0, 40, 40 * 40},
        {PictureFit::Contain, 50, 150, 100 * 100},
        {PictureFit::Cover, 0, 200, 200 * 100},
        {PictureFit::Stretch, 0, 200, 200 * 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fit));
        SharedState::fit = c.fit;
        TestDib dib(200, 100);
        Compose(dib);
        EXPECT_EQ(dib.rgb(c.left + 2, 10), kRed);
        EXPECT_EQ(dib.rgb(c.right - 3, 10), kBlue);
        // Scaled edges may be a pixel short on some GDI+ (Wine 8 loses a column): a row or a column.
        EXPECT_NEAR(dib.countRgb(0, 0, 200, 100, kBackground), 200 * 100 - c.filled, 200);
    }
}

// An opaque picture at its own size is copied into the frame's pixels: the frame is the one GDI+
// composes, pixel for pixel, in every format.
TEST_F(FrameTest, PicturesCopiedIntoTheFrameGiveTheFrameGdiPlusComposes) {
    SharedState::width = 160;
    SharedState::height = 90;
    SharedState::dispbtm = "Placard";
    for (const char* name : {"photo.jpg", "photo.png", "photo.bmp"}) {
        SCOPED_TRACE(name);
        const std::string extension = std::string(name).substr(6);
        const std::wstring mimeType = extension == "jpg" ? L"image/jpeg" : L"image/" + std::wstring(extension.begin(), extension.end());
        folder.write(std::string("data\\") + name, EncodePhotoLikePicture(mimeType.c_str(), 120, 120));
        Listed({name});
        TestDib copied(160, 90), drawn(160, 90);
        ComposeOnto(output, copied);
        ComposeOnto(output, drawn, false);
        int different = 0;
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 160; ++x) different += copied.pixel(x, y) != drawn.pixel(x, y) ? 1 : 0;
        }
        EXPECT_EQ(different, 0);
    }
}

// A picture fitted to the output against a reference resampling of it: shrunk, a photo of 3 x 3
// blocks whose area average is one block colour a pixel; enlarged, a picture of smooth waves whose
// reference is the same waves at the output's pixel centres; stretched, both at once (blocks
// across, waves down). The frame's own resampling is at least as close to it as GDI+'s bicubic
// interpolation (a picture enlarged pixel by pixel, in blocks, is not).
TEST_F(FrameTest, AFittedPictureIsAsCloseToAReferenceResamplingAsGdiPlusMakesIt) {
    const auto block = [](int x, int y) {
        const uint32_t bx = static_cast<uint32_t>(x / 3), by = static_cast<uint32_t>(y / 3);
        return ((bx * 37 + by * 11) & 0xFF) << 16 | ((bx * 5 + by * 71) & 0xFF) << 8 | ((bx * by * 13) & 0xFF);
    };
    // Waves over `u` source pixels (a pixel's centre is at u = x + 0.5).
    const auto wave = [](double u, double period) {
        return static_cast<uint32_t>(std::lround(128 + 100 * std::sin(2 * 3.14159265358979 * u / period)));
    };
    const auto waves = [&](double u, double v) { return wave(u, 13) << 16 | wave(v, 9) << 8 | wave(u + v, 17); };
    const auto blocksAcrossWavesDown = [&](int x, double v) { return (block(x, 0) & 0xFF0000) | wave(v, 9) << 8; };
    const struct {
        const char* name;
        int width, height;  // the picture's
        int outWidth, outHeight;
        PictureFit fit;
        std::function<uint32_t(int x, int y)> picture;
        std::function<uint32_t(int x, int y)> reference;  // at the output's pixel (x, y)
    } cases[] = {
        {"blocks.jpg", 180, 120, 60, 40, PictureFit::Contain, block, [&](int x, int y) { return block(x * 3, y * 3); }},
        {"waves.png", 40, 30, 160, 120, PictureFit::Contain, [&](int x, int y) { return waves(x + 0.5, y + 0.5); },
         [&](int x, int y) { return waves((x + 0.5) / 4, (y + 0.5) / 4); }},
        {"stretched.bmp", 180, 20, 60, 80, PictureFit::Stretch,
         [&](int x, int y) { return blocksAcrossWavesDown(x, y + 0.5); },
         [&](int x, int y) { return blocksAcrossWavesDown(x * 3, (y + 0.5) / 4); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SharedState::width = c.outWidth;
        SharedState::height = c.outHeight;
        SharedState::fit = c.fit;
        const std::string name = c.name;
        const std::string extension = name.substr(name.find('.') + 1);
        const std::wstring mimeType = extension == "jpg" ? L"image/jpeg" : L"image/" + std::wstring(extension.begin(), extension.end());
        folder.write("data\\" + name, EncodePattern(mimeType.c_str(), c.width, c.height, c.picture));
        Listed({c.name});
        const auto psnr = [&](bool withPixels) {
            TestDib dib(c.outWidth, c.outHeight);
            ComposeOnto(output, dib, withPixels);
            double squares = 0;
            for (int y = 0; y < c.outHeight; ++y) {
                for (int x = 0; x < c.outWidth; ++x) {
                    for (int shift = 0; shift < 24; shift += 8) {
                        const double d = static_cast<double>((dib.rgb(x, y) >> shift) & 0xFF) -
                                         static_cast<double>((c.reference(x, y) >> shift) & 0xFF);
                        squares += d * d;
                    }
                }
            }
            return 10 * std::log10(255.0 * 255.0 / std::max(squares / (c.outWidth * c.outHeight * 3.0), 1e-10));
        };
        const double ours = psnr(true), bicubic = psnr(false);
        EXPECT_GE(ours, bicubic - 0.5) << ours << " dB against GDI+'s " << bicubic << " dB";
    }
}

TEST_F(FrameTest, TheBarCoversTheBottomOfATallPictureAndCarriesTheText) {
    SharedState::width = 400;
    SharedState::height = 200;
    SharedState::dispbtm = "Placard 信息栏";
    Picture("blue.bmp", 400, 200, kBlue);
    Listed({"blue.bmp"});
    TestDib dib(400, 200);
    Compose(dib);

    ASSERT_EQ(core->getTextBounds("黑体", 30, SharedState::dispbtm).cy, kBarTextHeight) << "the fonts kBarRows follows from";
    const int e = kBarRows;
    const int d = kBarMargin;
    const int top = 200 - e;
    EXPECT_EQ(dib.countRgb(0, 0, 400, top, kBlue), 400 * top) << "the picture above the band";
    EXPECT_EQ(dib.countRgb(0, top, 400, 200, kBlue), 0) << "nothing of the picture in the band";
    const int background = dib.countRgb(0, top, 400, 200, kBackground);
    const int text = dib.countRgb(0, top, 400, 200, kText);
    EXPECT_GT(text, 100) << "the text's solid strokes";
    EXPECT_GT(background, text);
    // The text starts d in from the left edge.
    EXPECT_EQ(dib.countRgb(0, top, d, 200, kText), 0);
    EXPECT_EQ(dib.countRgb(0, top, d, 200, kBackground), d * e);

    // A larger text size makes the band by the same rule from the text's measured height.
    SharedState::barSize = 60;
    Compose(dib);
    const int larger = LayoutInfoBar(core->getTextBounds("黑体", 60, SharedState::dispbtm).cy, 400, 200).bandRows;
    EXPECT_GT(larger, e);
    EXPECT_EQ(dib.countRgb(0, 0, 400, 200 - larger, kBlue), 400 * (200 - larger));
    EXPECT_EQ(dib.countRgb(0, 200 - larger, 400, 200, kBlue), 0);
}

TEST_F(FrameTest, WithoutBarTextThePictureReachesTheBottomEdge) {
    SharedState::width = 400;
    SharedState::height = 200;
    Picture("blue.bmp", 400, 200, kBlue);
    Listed({"blue.bmp"});
    TestDib dib(400, 200);
    Compose(dib);
    EXPECT_EQ(dib.countRgb(0, 0, 400, 200, kBlue), 400 * 200);
}

TEST_F(FrameTest, AnEmptyPlaylistGivesBackgroundAndBarOnly) {
    SharedState::width = 400;
    SharedState::height = 200;
    SharedState::dispbtm = "Placard";
    Picture("blue.bmp", 400, 200, kBlue);  // in the folder, but not listed
    TestDib dib(400, 200);
    Compose(dib);
    const int top = 200 - kBarRows;
    EXPECT_EQ(dib.countRgb(0, 0, 400, top, kBackground), 400 * top);
    EXPECT_GT(dib.countRgb(0, top, 400, 200, kText), 0);
    EXPECT_EQ(dib.countRgb(0, 0, 400, 200, kBlue), 0);
}

// A scrolling bar starts where the still bar has its text, and looks as it does: copied from its
// strip, from the strips of its parts for a text too long to hold whole (310,510 pixels wide
// here: over 32 MB at 49 rows), and drawn through GDI+ where the band is too wide even for those.
TEST_F(FrameTest, AScrollingBarStartsAsTheStillBar) {
    std::string longText;
    for (int i = 0; i < 1500; ++i) longText += "Placard 信息栏 ";
    const struct {
        std::string text;
        int width, height;
    } cases[] = {{"Placard 信息栏", 400, 200}, {longText, 400, 200}, {longText, 90000, 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.size() << " bytes, " << c.width << " wide");
        SharedState::width = c.width;
        SharedState::height = c.height;
        SharedState::dispbtm = c.text;
        SharedState::scroll = 0;
        TestDib still(c.width, c.height), scrolling(c.width, c.height);
        Compose(still);
        SharedState::scroll = kSlowestScroll;
        COutputDlg fresh(nullptr);
        ComposeOnto(fresh, scrolling);
        const int top = c.height - kBarRows;
        EXPECT_GT(still.countRgb(0, top, 400, c.height, kText), 100) << "the text's solid strokes";
        // A pixel on at most, whatever time the frame took.
        int same = 0, shifted = 0;
        for (int y = top; y < c.height; ++y) {
            for (int x = 1; x < c.width; ++x) {
                same += scrolling.pixel(x, y) == still.pixel(x, y) ? 1 : 0;
                shifted += scrolling.pixel(x - 1, y) == still.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(std::max(same, shifted), (c.width - 1) * (c.height - top));
    }
}

// A text too long to hold whole holds only the parts its copies show: wherever they stand, the
// band is the one the whole text drawn there through GDI+ gives.
TEST_F(FrameTest, ALongScrollingTextShowsWhatTheWholeTextDrawnThereShows) {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "Placard 信息栏 ";
    const SIZE textSize = core->getTextBounds("黑体", 30, text);
    const InfoBarLayout bar = LayoutInfoBar(textSize.cy, 400, 200);
    const int period = ScrollPeriod(textSize.cx, textSize.cy, 400);
    const BarLook look{text, "黑体", 30, 0xFF000000 | kBackground, 0xFF000000 | kText};
    BarStrip strip;
    // The start, the middle, the end with the next copy coming in, and a step on from there.
    for (const int first : {bar.textPoint.x, -textSize.cx / 2, 150 - textSize.cx, 140 - textSize.cx}) {
        SCOPED_TRACE(first);
        std::vector<int> lefts{first};
        if (first + period < 402) lefts.push_back(first + period);
        TestDib parts(400, 200), whole(400, 200);
        ASSERT_TRUE(strip.Draw(*core, look, PixelTarget{parts.bits(), 400, 200}, bar, textSize, lefts, 400));
        {
            Gdiplus::Graphics graphics(whole.dc());
            COutputDlg::SetFrameModes(graphics);
            Gdiplus::SolidBrush brush{Gdiplus::Color(look.background)};
            graphics.FillRectangle(&brush, Gdiplus::RectF(bar.bandX, bar.bandY, bar.bandWidth, bar.bandHeight));
            for (int left : lefts) core->drawStrSolid(graphics, POINT{left, bar.textPoint.y}, 0, text, "黑体", look.colour, 30, 0);
        }
        GdiFlush();
        const int top = 200 - kBarRows;
        int same = 0;
        for (int y = top; y < 200; ++y) {
            for (int x = 0; x < 400; ++x) same += parts.pixel(x, y) == whole.pixel(x, y) ? 1 : 0;
        }
        EXPECT_EQ(same, 400 * kBarRows);
        EXPECT_GT(parts.countRgb(0, top, 400, 200, kText), 100) << "the text's solid strokes";
    }
}

// With "scroll", the band alone is drawn again between frames: the text moves, the picture above
// it is the one the frame showed (drawing the frame again would show the next picture). The next
// frame is drawn ahead meanwhile; at the change it shows each file as it is then, whatever its
// name's script.
TEST_F(FrameTest, TheScrollingBarMovesBetweenFramesAndEachChangeShowsTheFileAsItIsThen) {
    WindowSettings(400, 200, "Placard 信息栏");
    SharedState::scroll = 600;
    const std::wstring korean = L"\xBE68\xAC15.bmp";  // 빨강.bmp, red in Korean
    folder.write(L"data\\" + korean, EncodePicture(L"image/bmp", 400, 200, kRed, kRed));
    Picture("blue.bmp", 400, 200, kBlue);
    playlist->add("?.bmp", true, 0, korean);
    playlist->add("blue.bmp");
    SharedState::playlistCount = playlist->count();
    COutputDlg window(nullptr);
    ASSERT_TRUE(window.Create(IDD_OUTPUT, nullptr));
    window.Place(RECT{300, 200, 700, 400});
    PumpMessages(100);
    TestDib before(400, 200), after(400, 200);
    CaptureScreen(before, 300, 200);
    PumpMessages(300);
    CaptureScreen(after, 300, 200);

    const int top = 200 - kBarRows;
    // The window goes out slightly translucent: its colours are close, not exact.
    const auto above = [&](const TestDib& shot, uint32_t rgb) {
        int close = 0;
        for (int y = 0; y < top; ++y) {
            for (int x = 0; x < 400; ++x) close += RgbClose(shot.rgb(x, y), rgb) ? 1 : 0;
        }
        return close;
    };
    int moved = 0;
    for (int y = top; y < 200; ++y) {
        for (int x = 0; x < 400; ++x) moved += RgbClose(after.rgb(x, y), before.rgb(x, y)) ? 0 : 1;
    }
    EXPECT_EQ(above(after, kRed), 400 * top);
    EXPECT_GT(moved, 100) << "the text's strokes, somewhere else";

    // Rewritten after the next frame was drawn ahead: read again at the change.
    Picture("blue.bmp", 400, 190, kGreen);
    window.Render();
    CaptureScreen(after, 300, 200);
    EXPECT_EQ(above(after, kGreen), 400 * top);
    window.Render();
    CaptureScreen(after, 300, 200);
    EXPECT_EQ(above(after, kRed), 400 * top) << "the frame drawn ahead, of the file unchanged";
    window.DestroyWindow();
}

TEST_F(FrameTest, ThousandsOfFramesLeaveNoGdiObjectBehind) {
    WindowSettings(120, 90, "Placard 信息栏");
    Picture("red.bmp", 40, 30, kRed);
    Picture("green.bmp", 120, 90, kGreen);
    Listed({"red.bmp", "green.bmp", "missing.bmp"});
    COutputDlg window(nullptr);
    ASSERT_TRUE(window.Create(IDD_OUTPUT, nullptr));
    window.Place(RECT{0, 0, 120, 90});
    for (int i = 0; i < 20; ++i) window.Render();  // caches the platform fills once

    const int before = FreeGdiSlots();
    ASSERT_GT(before, 1000);
    for (int i = 0; i < 3000; ++i) {
        window.Render();
        if (i % 500 == 0) {
            window.Place(RECT{0, 0, 120, -90});  // a frame that is skipped
            window.Place(RECT{0, 0, 120, 90});
        }
    }
    EXPECT_EQ(FreeGdiSlots(), before);
    window.DestroyWindow();
}

}  // namespace
