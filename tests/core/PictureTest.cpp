// Pictures: what a file's header says about it, where it goes, and drawPic on a surface of the test's own
// with pictures made by GDI+'s own encoders.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <climits>
#include <cstring>

#include "core/Core.h"
#include "picture/PicturePlacement.h"
#include "picture/PictureProbe.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"
#include "support/TestDib.h"

namespace {

constexpr uint32_t kBackground = 0x204060;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr int kWidth = 40;
constexpr int kHeight = 30;

PictureProbe Probe(const std::string& bytes) {
    return ProbePicture(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string JpegClaiming(std::string jpeg, uint16_t width, uint16_t height) {
    const size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos) return {};
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height & 0xFF);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

struct Format {
    const wchar_t* mimeType;
    const char* extension;
    int tolerance;  // what the encoding may change of a colour
};

const Format kPng{L"image/png", "png", 0};
const Format kJpeg{L"image/jpeg", "jpg", 40};
const Format kBmp{L"image/bmp", "bmp", 0};
void PrintTo(const Format& format, std::ostream* out) { *out << format.extension; }

std::string Encode(const Format& format, float dpi = 96.0f) {
    return EncodePicture(format.mimeType, kWidth, kHeight, kRed, kBlue, dpi);
}

class PictureProbeTest : public ::testing::TestWithParam<Format> {};

TEST_P(PictureProbeTest, AWholeFileIsKnownWithItsSizeAndNoShorterPartIsWhole) {
    const std::string bytes = Encode(GetParam());
    ASSERT_FALSE(bytes.empty());
    const PictureProbe whole = Probe(bytes);
    EXPECT_NE(whole.format, PictureFormat::Unknown);
    EXPECT_EQ(whole.width, static_cast<uint32_t>(kWidth));
    EXPECT_EQ(whole.height, static_cast<uint32_t>(kHeight));
    EXPECT_TRUE(whole.complete);
    EXPECT_TRUE(IsDrawablePicture(whole));
    for (size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_FALSE(IsDrawablePicture(Probe(bytes.substr(0, length)))) << "cut to " << length << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureProbeTest, ::testing::Values(kPng, kJpeg, kBmp),
                         [](const auto& info) { return std::string(info.param.extension); });

TEST(PictureSizeLimitTest, AllowsTheLargestOutputAndRefusesAbsurdHeaders) {
    const std::string png = Encode(kPng);
    ASSERT_FALSE(png.empty());
    EXPECT_TRUE(IsDrawablePicture(Probe(PngClaiming(png, 8000, 2000))));
    EXPECT_TRUE(IsDrawablePicture(Probe(PngClaiming(png, 8000, 6000))));
    EXPECT_FALSE(IsDrawablePicture(Probe(PngClaiming(png, 8000, 6001))));
    EXPECT_FALSE(IsDrawablePicture(Probe(PngClaiming(png, 30000, 30000))));
    EXPECT_FALSE(IsDrawablePicture(Probe(PngClaiming(png, 0x7FFFFFFF, 0x7FFFFFFF))));
    EXPECT_FALSE(IsDrawablePicture(Probe(PngClaiming(png, 0, 10))));

    const std::string jpeg = Encode(kJpeg);
    ASSERT_FALSE(jpeg.empty());
    EXPECT_EQ(Probe(JpegClaiming(jpeg, 30000, 30000)).width, 30000u);
    EXPECT_FALSE(IsDrawablePicture(Probe(JpegClaiming(jpeg, 30000, 30000))));
}

TEST(PictureFitTest, EachModePlacesWiderTallerAndSmallerPicturesInTheArea) {
    const SIZE area{200, 100};
    const struct {
        const char* what;
        SIZE picture;
        PictureFit fit;
        RECT expected;
    } cases[] = {
        {"wider, none", {400, 100}, PictureFit::None, {0, 0, 400, 100}},
        {"wider, contain", {400, 100}, PictureFit::Contain, {0, 25, 200, 75}},
        {"wider, cover", {400, 100}, PictureFit::Cover, {-100, 0, 300, 100}},
        {"taller, contain", {50, 100}, PictureFit::Contain, {75, 0, 125, 100}},
        {"taller, cover", {50, 100}, PictureFit::Cover, {0, -150, 200, 250}},
        {"smaller, contain: enlarged", {20, 20}, PictureFit::Contain, {50, 0, 150, 100}},
        {"smaller, cover: enlarged", {20, 20}, PictureFit::Cover, {0, -50, 200, 150}},
        {"smaller, stretch", {20, 20}, PictureFit::Stretch, {0, 0, 200, 100}},
        {"a thin line, contain: a side of at least 1", {8000, 1}, PictureFit::Contain, {0, 49, 200, 50}},
    };
    for (const auto& c : cases) {
        const RECT got = FitPicture(c.picture, area, c.fit);
        EXPECT_TRUE(got.left == c.expected.left && got.top == c.expected.top && got.right == c.expected.right &&
                    got.bottom == c.expected.bottom)
            << c.what << ": " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    for (const char* text : {"contain", "CONTAIN", "Contain"}) EXPECT_EQ(ParsePictureFit(text), PictureFit::Contain);
    for (const char* text : {"", "none", "fill", " cover", "stretch2"}) EXPECT_EQ(ParsePictureFit(text), PictureFit::None) << text;
}

TEST(PicturePlacementTest, APhotoStoredAQuarterTurnOffIsPlacedUprightAndDecodedAsStored) {
    const struct {
        const char* what;
        uint32_t width, height;
        uint16_t orientation;
        POINT origin;
        SIZE area;
        PictureFit fit;
        RECT place;
        SIZE needed;
    } cases[] = {
        {"as stored, its own size", 300, 200, 1, {10, 5}, {0, 0}, PictureFit::None, {10, 5, 310, 205}, {300, 200}},
        {"upside down: no quarter turn", 4000, 3000, 3, {0, 0}, {400, 300}, PictureFit::Contain, {0, 0, 400, 300},
         {400, 300}},
        {"portrait phone photo, contained", 4000, 3000, 6, {0, 0}, {300, 400}, PictureFit::Contain, {0, 0, 300, 400},
         {400, 300}},
        {"portrait, its own size", 30, 20, 8, {7, 9}, {0, 0}, PictureFit::None, {7, 9, 27, 39}, {30, 20}},
        {"transposed, covering a wide area", 400, 200, 5, {100, 0}, {400, 100}, PictureFit::Cover,
         {100, -350, 500, 450}, {800, 400}},
    };
    for (const auto& c : cases) {
        PictureProbe probe;
        probe.format = PictureFormat::Jpeg;
        probe.width = c.width;
        probe.height = c.height;
        probe.orientation = c.orientation;
        const PicturePlacement got = PlacePicture(probe, c.origin, c.area, c.fit);
        EXPECT_TRUE(EqualRect(&got.place, &c.place)) << c.what << ": " << got.place.left << "," << got.place.top
                                                     << "," << got.place.right << "," << got.place.bottom;
        EXPECT_EQ(got.needed.cx, c.needed.cx) << c.what;
        EXPECT_EQ(got.needed.cy, c.needed.cy) << c.what;
    }
}

TEST(PicturePlacementTest, EdgesBeyondTheCoordinatesStopAtTheirEnds) {
    PictureProbe probe;
    probe.format = PictureFormat::Png;
    probe.width = 100;
    probe.height = 50;
    const PicturePlacement last = PlacePicture(probe, POINT{INT_MAX - 10, INT_MAX - 20}, SIZE{0, 0}, PictureFit::None);
    EXPECT_EQ(last.place.left, INT_MAX - 10);
    EXPECT_EQ(last.place.top, INT_MAX - 20);
    EXPECT_EQ(last.place.right, INT_MAX);
    EXPECT_EQ(last.place.bottom, INT_MAX);
    // Covering an area whose left part is cut off, just above the smallest coordinate.
    const PicturePlacement first = PlacePicture(probe, POINT{INT_MIN + 5, 0}, SIZE{50, 50}, PictureFit::Cover);
    EXPECT_EQ(first.place.left, INT_MIN);
    EXPECT_EQ(first.place.right, INT_MIN + 80);
    EXPECT_EQ(first.needed.cx, 100) << "the size drawn is the fitted one, not the clipped one";
}

TEST(PictureProbeFormatsTest, OtherBytesAreNoKnownPicture) {
    EXPECT_EQ(Probe("").format, PictureFormat::Unknown);
    EXPECT_EQ(Probe("just some text, not a picture\r\n").format, PictureFormat::Unknown);
    EXPECT_FALSE(IsDrawablePicture(Probe("BM")));
    EXPECT_FALSE(IsDrawablePicture(Probe("\x89PNG\r\n\x1A\n")));
    EXPECT_FALSE(IsDrawablePicture(Probe("\xFF\xD8\xFF\xD9")));
}

class DrawPicTest : public ::testing::Test {
protected:
    static constexpr int kX = 10;
    static constexpr int kY = 5;

    // The file drawn at (kX, kY) on a surface of the background colour, with the frame's
    // quality modes.
    void Draw(const std::string& path) {
        dib.fill(0xFF000000 | kBackground);
        Gdiplus::Graphics graphics(dib.dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        core.drawPic(graphics, kX, kY, path);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        GdiFlush();
    }
    int Untouched() const { return dib.countRgb(0, 0, dib.width(), dib.height(), kBackground); }
    int All() const { return dib.width() * dib.height(); }

    void ExpectDrawnAtNaturalSize(int tolerance) const {
        // Corners and the middle of each half (a lossy encoding blurs the seam between them).
        EXPECT_TRUE(RgbClose(dib.rgb(kX, kY), kRed, tolerance)) << std::hex << dib.rgb(kX, kY);
        EXPECT_TRUE(RgbClose(dib.rgb(kX, kY + kHeight - 1), kRed, tolerance));
        EXPECT_TRUE(RgbClose(dib.rgb(kX + kWidth / 4, kY + kHeight / 2), kRed, tolerance));
        EXPECT_TRUE(RgbClose(dib.rgb(kX + kWidth * 3 / 4, kY + kHeight / 2), kBlue, tolerance));
        EXPECT_TRUE(RgbClose(dib.rgb(kX + kWidth - 1, kY), kBlue, tolerance));
        EXPECT_TRUE(RgbClose(dib.rgb(kX + kWidth - 1, kY + kHeight - 1), kBlue, tolerance))
            << std::hex << dib.rgb(kX + kWidth - 1, kY + kHeight - 1);
        // Just outside its extent nothing changes: no scaling, no blur beyond the edge.
        EXPECT_EQ(dib.rgb(kX - 1, kY), kBackground);
        EXPECT_EQ(dib.rgb(kX, kY - 1), kBackground);
        EXPECT_EQ(dib.rgb(kX + kWidth, kY + kHeight - 1), kBackground);
        EXPECT_EQ(dib.rgb(kX + kWidth - 1, kY + kHeight), kBackground);
        EXPECT_EQ(Untouched(), All() - kWidth * kHeight);
    }

    TempFolder folder;
    CCore core;
    TestDib dib{80, 60};
};

TEST_F(DrawPicTest, LosslessPicturesKeepEveryPixelWhateverResolutionTheyClaim) {
    for (const Format& format : {kPng, kBmp}) {
        for (float dpi : {96.0f, 300.0f, 24.0f}) {
            SCOPED_TRACE(std::string(format.extension) + " at " + std::to_string(dpi) + " dpi");
            const std::string name = std::string("picture.") + format.extension;
            folder.write(name, Encode(format, dpi));
            Draw(folder.file(name));
            ExpectDrawnAtNaturalSize(0);
            EXPECT_EQ(dib.countRgb(kX, kY, kX + kWidth / 2, kY + kHeight, kRed), kWidth / 2 * kHeight);
            EXPECT_EQ(dib.countRgb(kX + kWidth / 2, kY, kX + kWidth, kY + kHeight, kBlue), kWidth / 2 * kHeight);
        }
    }
}

TEST_F(DrawPicTest, AJpegIsDrawnAtItsNaturalSize) {
    folder.write("picture.jpg", Encode(kJpeg, 300.0f));
    Draw(folder.file("picture.jpg"));
    ExpectDrawnAtNaturalSize(kJpeg.tolerance);
}

TEST_F(DrawPicTest, AJpegIsDrawnUprightWhateverItsExifOrientation) {
    constexpr uint32_t kGreen = 0x00FF00, kYellow = 0xFFFF00;
    const std::string stored = EncodeQuadrants(L"image/jpeg", 32, 16, kRed, kGreen, kBlue, kYellow);
    // What a photo viewer shows of the stored quadrants (red, green / blue, yellow) for each value.
    const struct {
        uint16_t orientation;
        int width, height;
        uint32_t topLeft, topRight, bottomLeft, bottomRight;
    } cases[] = {
        {1, 32, 16, kRed, kGreen, kBlue, kYellow},  {2, 32, 16, kGreen, kRed, kYellow, kBlue},
        {3, 32, 16, kYellow, kBlue, kGreen, kRed},  {4, 32, 16, kBlue, kYellow, kRed, kGreen},
        {5, 16, 32, kRed, kBlue, kGreen, kYellow},  {6, 16, 32, kBlue, kRed, kYellow, kGreen},
        {7, 16, 32, kYellow, kGreen, kBlue, kRed},  {8, 16, 32, kGreen, kYellow, kRed, kBlue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("orientation " + std::to_string(c.orientation));
        folder.write("photo.jpg", WithExifOrientation(stored, c.orientation));
        EXPECT_EQ(Probe(folder.read("photo.jpg")).orientation, c.orientation);
        Draw(folder.file("photo.jpg"));
        const int left = kX + c.width / 4, right = kX + c.width * 3 / 4;
        const int top = kY + c.height / 4, bottom = kY + c.height * 3 / 4;
        EXPECT_TRUE(RgbClose(dib.rgb(left, top), c.topLeft, kJpeg.tolerance)) << std::hex << dib.rgb(left, top);
        EXPECT_TRUE(RgbClose(dib.rgb(right, top), c.topRight, kJpeg.tolerance)) << std::hex << dib.rgb(right, top);
        EXPECT_TRUE(RgbClose(dib.rgb(left, bottom), c.bottomLeft, kJpeg.tolerance)) << std::hex << dib.rgb(left, bottom);
        EXPECT_TRUE(RgbClose(dib.rgb(right, bottom), c.bottomRight, kJpeg.tolerance)) << std::hex << dib.rgb(right, bottom);
        EXPECT_EQ(Untouched(), All() - c.width * c.height) << "its top-left corner at the point, at its size";
    }
}

TEST_F(DrawPicTest, ACameraSizedPhotoIsDrawnClippedAtTheSurface) {
    folder.write("camera.jpg", EncodePicture(L"image/jpeg", 8000, 6000, kRed, kBlue));
    Draw(folder.file("camera.jpg"));
    EXPECT_TRUE(RgbClose(dib.rgb(kX, kY), kRed, kJpeg.tolerance));
    EXPECT_TRUE(RgbClose(dib.rgb(dib.width() - 1, dib.height() - 1), kRed, kJpeg.tolerance));
    EXPECT_EQ(Untouched(), All() - (dib.width() - kX) * (dib.height() - kY));

    // Shrunk to cover an area narrower than the surface, its left edge cut: averaged into the pixels.
    dib.fill(0xFF000000 | kBackground);
    {
        Gdiplus::Graphics graphics(dib.dc());
        const PixelTarget pixels{dib.bits(), dib.width(), dib.height()};
        core.drawPic(graphics, 0, 0, SIZE{70, 60}, PictureFit::Cover, folder.file("camera.jpg"), &pixels);
    }
    const int right = 75;  // 80 x 60 centred on 70 columns
    EXPECT_TRUE(RgbClose(dib.rgb(0, 0), kRed, kJpeg.tolerance)) << std::hex << dib.rgb(0, 0);
    EXPECT_TRUE(RgbClose(dib.rgb(right - 1, 59), kBlue, kJpeg.tolerance)) << std::hex << dib.rgb(right - 1, 59);
    EXPECT_EQ(Untouched(), All() - right * 60);
}

TEST_F(DrawPicTest, AGifIsDrawnAtItsNaturalSize) {
    // Not every GDI+ has a GIF encoder: a 2 x 1 GIF by hand, one red and one blue pixel
    // (2-colour table; LZW codes clear, 0, 1, end).
    const std::string gif("GIF89a\x02\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF"
                          ",\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0A\x00;", 35);
    const PictureProbe probe = Probe(gif);
    EXPECT_EQ(probe.format, PictureFormat::Gif);
    EXPECT_EQ(probe.width, 2u);
    EXPECT_EQ(probe.height, 1u);
    folder.write("picture.gif", gif);
    Draw(folder.file("picture.gif"));
    EXPECT_EQ(dib.rgb(kX, kY), kRed);
    EXPECT_EQ(dib.rgb(kX + 1, kY), kBlue);
    EXPECT_EQ(Untouched(), All() - 2);
}

TEST_F(DrawPicTest, AChineseNameDrawsAndTheFileIsFreeOnReturn) {
    folder.write("图片 一.png", Encode(kPng));
    Draw(folder.file("图片 一.png"));
    ExpectDrawnAtNaturalSize(0);
    EXPECT_TRUE(DeleteFileA(folder.file("图片 一.png").c_str())) << GetLastError();
}

TEST_F(DrawPicTest, WhatIsNoWholePictureDrawsNothing) {
    const std::string png = Encode(kPng);
    const std::string jpeg = Encode(kJpeg);
    const std::string bmp = Encode(kBmp);
    ASSERT_FALSE(png.empty());
    ASSERT_FALSE(jpeg.empty());
    folder.write("empty.png", "");
    folder.write("half.png", png.substr(0, png.size() / 2));
    folder.write("no end.png", png.substr(0, png.size() - 12));
    folder.write("half.jpg", jpeg.substr(0, jpeg.size() / 2));
    folder.write("no end.jpg", jpeg.substr(0, jpeg.size() - 2));
    folder.write("rows cut.bmp", bmp.substr(0, bmp.size() - 100));
    folder.write("text.jpg", "this is not a picture\r\n");
    folder.write("huge.png", PngClaiming(png, 30000, 30000));
    folder.write("huge.jpg", JpegClaiming(jpeg, 30000, 30000));
    folder.makeFolder("x.png");
    folder.makeFolder("data");
    for (const std::string name : {"missing.png", "empty.png", "half.png", "no end.png", "half.jpg", "no end.jpg",
                                   "rows cut.bmp", "text.jpg", "huge.png", "huge.jpg", "x.png", "data\\", ""}) {
        Draw(name.empty() ? std::string() : folder.file(name));
        EXPECT_EQ(Untouched(), All()) << "'" << name << "'";
    }
}

}  // namespace
