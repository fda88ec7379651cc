// Frames of a playlist that holds bad pictures: a bad entry shows the background and the bar
// and nothing else, and the good picture listed after it still shows in its own frame.
#include <map>
#include <string>
#include <vector>

#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "support/PictureFiles.h"
#include "support/TestDib.h"

namespace {

constexpr uint32_t kBackground = 0x204060;
constexpr uint32_t kText = 0xFFE000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 200;

struct GoodPicture {
    uint32_t rgb;
    int width;
    int height;
};

// A BMP header for a 30000 x 30000 run-length picture: its rows have no fixed size, so only
// the claimed size can keep it from the decoder. Its one run code ends the picture.
std::string HugeRunLengthBmp() {
    std::string bmp;
    const auto put16 = [&bmp](uint32_t value) {
        for (int i = 0; i < 2; ++i) bmp += static_cast<char>(value >> (8 * i));
    };
    const auto put32 = [&bmp](uint32_t value) {
        for (int i = 0; i < 4; ++i) bmp += static_cast<char>(value >> (8 * i));
    };
    const uint32_t pixelsAt = 14 + 40 + 2 * 4;
    bmp += "BM";
    put32(pixelsAt + 2);  // file size
    put32(0);
    put32(pixelsAt);
    put32(40);  // BITMAPINFOHEADER
    put32(30000);
    put32(30000);
    put16(1);   // planes
    put16(8);   // bits per pixel
    put32(1);   // BI_RLE8
    put32(2);   // pixel bytes
    put32(2835);
    put32(2835);
    put32(2);  // colours used
    put32(0);
    put32(0x00FF0000);  // the palette: red, blue
    put32(0x000000FF);
    bmp += std::string("\x00\x01", 2);  // end of picture
    return bmp;
}

class BadPictureFrameTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputFixture::SetUp();
        SharedState::clrbg = 0xFF000000 | kBackground;
        SharedState::clrfont = 0xFF000000 | kText;
        SharedState::width = kFrameWidth;
        SharedState::height = kFrameHeight;
        SharedState::dispbtm = "Placard 信息栏";
    }
    void Compose(TestDib& dib) { ComposeOnto(output, dib); }
    int BarTop() const { return kFrameHeight - kBarRows; }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < playlist->count(); ++i) rows.push_back(playlist->row(i));
        return rows;
    }

    COutputDlg output{nullptr};
};

TEST_F(BadPictureFrameTest, BadEntriesShowOnlyBackgroundAndBarAndTheGoodPictureAfterEachStillShows) {
    const std::map<std::string, GoodPicture> good = {
        {"good.bmp", {kRed, 60, 40}},
        {"好图 一.png", {kGreen, 50, 30}},
    };
    folder.write("data\\good.bmp", EncodePicture(L"image/bmp", 60, 40, kRed, kRed));
    folder.write("data\\好图 一.png", EncodePicture(L"image/png", 50, 30, kGreen, kGreen));

    const std::string png = EncodePicture(L"image/png", 60, 40, kBlue, kBlue);
    const std::string jpeg = EncodePicture(L"image/jpeg", 60, 40, kBlue, kBlue);
    ASSERT_FALSE(png.empty());
    ASSERT_FALSE(jpeg.empty());
    folder.write("data\\empty.jpg", "");
    folder.write("data\\cut.jpg", jpeg.substr(0, jpeg.size() / 2));
    folder.write("data\\cut.png", png.substr(0, png.size() / 2));
    folder.write("data\\text.jpg", "a.jpg\r\nnot a picture\r\n");
    folder.makeFolder("data\\folder.png");
    folder.write("data\\x.png", png);  // a folder by the time its frame comes
    folder.write("data\\huge.png", PngClaiming(png, 30000, 30000));
    folder.write("data\\huge.bmp", HugeRunLengthBmp());
    folder.write("data\\gone.png", png);  // deleted by the time its frame comes
    folder.write("data\\坏图 二.jpg", jpeg.substr(0, jpeg.size() - 2));

    const std::vector<std::string> bad = {"empty.jpg", "cut.jpg",  "cut.png",  "text.jpg", "folder.png",
                                          "x.png",     "huge.png", "huge.bmp", "gone.png", "坏图 二.jpg"};
    std::string items;
    std::vector<std::string> loaded;
    for (size_t i = 0; i < bad.size(); ++i) {
        const std::string after = i % 2 == 0 ? "good.bmp" : "好图 一.png";
        items += bad[i] + "\r\n" + after + "\r\n";
        if (bad[i] != "folder.png") loaded.push_back(bad[i]);
        loaded.push_back(after);
    }
    LoadPlaylist(items);
    ASSERT_EQ(Rows(), loaded) << "a folder is no picture file; every other name exists at the load";

    ASSERT_TRUE(DeleteFileA(folder.file("data\\gone.png").c_str()));
    ASSERT_TRUE(DeleteFileA(folder.file("data\\x.png").c_str()));
    folder.makeFolder("data\\x.png");

    const int top = BarTop();
    ASSERT_GT(top, 40);
    ASSERT_LT(top, kFrameHeight);
    // Twice round the playlist: a bad entry leaves nothing behind for the frames after it.
    for (size_t frame = 0; frame < 2 * loaded.size(); ++frame) {
        const std::string& name = loaded[frame % loaded.size()];
        SCOPED_TRACE("frame " + std::to_string(frame) + ", '" + name + "'");
        TestDib dib(kFrameWidth, kFrameHeight);
        dib.fill(0);
        Compose(dib);

        const auto picture = good.find(name);
        const int shown = picture == good.end() ? 0 : picture->second.width * picture->second.height;
        if (picture != good.end()) {
            const GoodPicture& expected = picture->second;
            EXPECT_EQ(dib.countRgb(0, 0, expected.width, expected.height, expected.rgb), shown);
            EXPECT_EQ(dib.countRgb(0, 0, kFrameWidth, kFrameHeight, expected.rgb), shown) << "at its natural size";
        }
        EXPECT_EQ(dib.countRgb(0, 0, kFrameWidth, top, kBackground), kFrameWidth * top - shown);
        EXPECT_EQ(dib.countRgb(0, 0, kFrameWidth, kFrameHeight, kBlue), 0) << "nothing of a bad picture";
        EXPECT_GT(dib.countRgb(0, top, kFrameWidth, kFrameHeight, kText), 100) << "the bar and its text";
    }
}

}  // namespace
