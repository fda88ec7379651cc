// The run log: each event one line of its own with the local time, a picture's trouble told in
// words of its own, and a file that never grows past its bound.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Core.h"
#include "runlog/RunLog.h"
#include "runlog/RunLogLines.h"
#include "store/TextEncoding.h"
#include "support/HeldFile.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"
#include "support/TextLines.h"
#include "support/TestDib.h"

namespace {

const SYSTEMTIME kMorning{2026, 3, 4, 5, 8, 4, 9, 0};
const char kMorningStamp[] = "2026-03-05 08:04:09 ";

TEST(RunLogLineTest, AnEventIsOneLineAfterItsTimeWhateverBreaksItHolds) {
    const struct {
        const char* event;
        const char* line;
    } cases[] = {
        {"输出 800×600 在 (1344, 108)", "输出 800×600 在 (1344, 108)"},
        // A warning as the operator's box shows it: a break after a colon goes, others are blanks.
        {"设置没有保存：\nD:\\Placard\\Placard.ini\n文件正被另一个程序占用。\n\n播放列表没有保存：\r\nD:\\Placard\\_items.txt\n",
         "设置没有保存：D:\\Placard\\Placard.ini 文件正被另一个程序占用。 播放列表没有保存：D:\\Placard\\_items.txt"},
        {"\r\nkey: \nvalue", "key: value"},
    };
    for (const auto& c : cases) EXPECT_EQ(RunLogLine(kMorning, c.event), kMorningStamp + std::string(c.line) + "\r\n");
}

// Each reason the output can meet, made as a file is, and told as drawing it found it.
TEST(RunLogLineTest, APictureThatCannotBeShownIsToldWithItsOwnReason) {
    TempFolder folder;
    const std::string png = EncodePicture(L"image/png", 40, 30, 0xFF0000, 0x0000FF);
    ASSERT_FALSE(png.empty());
    folder.write("held.png", png);
    const HeldFile held(folder.file("held.png"));
    ASSERT_TRUE(held.held());
    const struct {
        const char* name;
        std::string bytes;  // none: no file
        PictureTrouble trouble;
    } pictures[] = {
        {"在.png", png, PictureTrouble::None},
        {"没有.png", {}, PictureTrouble::NotFound},
        {"held.png", {}, PictureTrouble::Unreadable},
        {"heic.jpg", std::string("\0\0\0\x18" "ftypheic\0\0\0\0mif1heic", 24), PictureTrouble::UnknownKind},
        {"huge.png", PngClaiming(png, 9000, 6000), PictureTrouble::TooLarge},
        {"half.png", png.substr(0, png.size() / 2), PictureTrouble::Incomplete},
        {"nosize.png", PngClaiming(png, 0, 30), PictureTrouble::Damaged},
        {"lies.png", PngClaiming(png, 41, 30), PictureTrouble::Damaged},
    };
    const CCore core(folder.path());
    TestDib dib(64, 64);
    Gdiplus::Graphics graphics(dib.dc());
    std::set<std::string> reasons;
    for (const auto& picture : pictures) {
        if (!picture.bytes.empty()) folder.write(picture.name, picture.bytes);
        const PictureTrouble found =
            core.drawPic(graphics, 0, 0, SIZE{64, 64}, PictureFit::None, folder.file(picture.name));
        EXPECT_EQ(found, picture.trouble) << picture.name;
        if (found == PictureTrouble::None) continue;
        EXPECT_NE(PictureNotShownEvent(picture.name, found).find(picture.name), std::string::npos);
        reasons.insert(PictureTroubleWords(found));
    }
    // What the playlist knows of a file another program is still writing.
    reasons.insert(PictureTroubleWords(PictureTrouble::BeingWritten));
    EXPECT_EQ(reasons.count(""), 0u) << "every reason has words";
    EXPECT_EQ(reasons.size(), 7u) << "and each its own";
}

// Months of events: the log and its one earlier file hold the newest, each within the bound,
// and a log another program holds costs the show nothing.
TEST(RunLogTest, ALogDrivenPastItsBoundKeepsOneEarlierFileAndTheNewestEvents) {
    TempFolder folder;
    const RunLog log(folder.path());
    const std::string filler(1000, 'x');
    int events = 0;
    for (; events * filler.size() < RunLog::kMaxBytes * 5 / 2; ++events) {
        log.Write("事件 " + std::to_string(events) + " " + filler);
    }
    const std::string newer = folder.read("Placard.log"), older = folder.read("Placard.log.1");
    EXPECT_FALSE(folder.exists("Placard.log.2"));
    std::vector<int> told;
    for (const std::string* file : {&older, &newer}) {
        EXPECT_LE(file->size(), RunLog::kMaxBytes);
        ASSERT_EQ(file->compare(0, 3, "\xEF\xBB\xBF"), 0) << "each file starts as UTF-8 for Notepad";
        EXPECT_EQ(file->compare(file->size() - 2, 2, "\r\n"), 0) << "every line ended";
        for (const std::string& line : TextLines(AnsiFromUtf8(file->substr(3)))) {
            const size_t number = line.find("事件 ");
            ASSERT_NE(number, std::string::npos) << line;
            told.push_back(std::stoi(line.substr(number + std::string("事件 ").size())));
        }
    }
    EXPECT_GT(told.size() * (filler.size() + 30), RunLog::kMaxBytes * 3 / 2) << "both files nearly full";
    for (size_t i = 0; i < told.size(); ++i) ASSERT_EQ(told[i], events - static_cast<int>(told.size() - i)) << i;

    {
        const HeldFile held(folder.file("Placard.log"));
        ASSERT_TRUE(held.held());
        const DWORD start = GetTickCount();
        log.Write("held");
        EXPECT_LT(GetTickCount() - start, 500u) << "dropped at once";
    }
    EXPECT_EQ(folder.read("Placard.log"), newer) << "and dropped, not kept for later";
    log.Write("after");
    EXPECT_NE(folder.read("Placard.log").find(" after\r\n"), std::string::npos);
}

}  // namespace
