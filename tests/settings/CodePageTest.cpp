// The program's Chinese whatever the system's ANSI code page: CTest runs these under code page
// 936 (the session's Chinese locale), 1252 (an English Windows) and 65001 (Windows' UTF-8
// option). The dialog's captions, a warning, the bar and a picture with a Chinese name, and the
// bytes of both files after a close read the same on every one of them.
#include <objidl.h>
#include <gdiplus.h>

#include <cwchar>
#include <string>

#include "base/ProgramText.h"
#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "store/AtomicFile.h"
#include "support/ModalBoxAnswerer.h"
#include "support/PictureFiles.h"
#include "support/TestDib.h"
#include "support/WindowText.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kText = 0xFFE000;
constexpr int kWidth = 400, kHeight = 300;
// Where the test run again under code page 936 leaves its frame.
const wchar_t kFrameFileVariable[] = L"PLACARD_TEST_FRAME";

class CodePageTest : public SettingsFixture {
protected:
    // The output's next frame, composed onto a surface of the test's own, as its bytes.
    static std::string NextFrame() {
        TestDib dib(kWidth, kHeight);
        {
            Gdiplus::Graphics graphics(dib.dc());
            COutputDlg::SetFrameModes(graphics);
            const PixelTarget pixels{dib.bits(), dib.width(), dib.height()};
            SharedState::outputWnd->ComposeFrame(graphics, &pixels);
        }
        GdiFlush();
        return std::string(reinterpret_cast<const char*>(dib.bits()), size_t{kWidth} * kHeight * 4);
    }
    static uint32_t Pixel(const std::string& frame, int x, int y) {
        uint32_t pixel = 0;
        frame.copy(reinterpret_cast<char*>(&pixel), 4, (static_cast<size_t>(y) * kWidth + x) * 4);
        return pixel & 0x00FFFFFF;
    }
};

// This test as it runs under code page 936: the test program started again under the Chinese
// locale. A Windows program's child keeps its parent's code page under Wine, so the child is
// started through the Unix env, with the Wine that runs this one ($WINE).
std::string FrameUnderCodePage936() {
    wchar_t wine[MAX_PATH] = {}, self[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"WINE", wine, MAX_PATH) == 0 || GetModuleFileNameW(nullptr, self, MAX_PATH) == 0) {
        return {};
    }
    TempFolder out;
    const std::string file = out.file("frame");
    SetEnvironmentVariableW(kFrameFileVariable, WideFromProgramText(file).c_str());
    std::wstring command = L"Z:\\usr\\bin\\env -u PLACARD_TEST_CODEPAGE LC_ALL=zh_CN.UTF-8 " + std::wstring(wine) + L" \"" + self +
                           L"\" --gtest_filter=CodePageTest.TheDialogTheBarThePictureAndTheFilesAreChinese";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                        &process) != FALSE;
    SetEnvironmentVariableW(kFrameFileVariable, nullptr);
    if (!started) return {};
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Unix process cannot be waited for: the frame is there once it is written.
    std::string frame;
    for (int waited = 0; waited < 120 && AtomicFile::read(file, 1 << 24, frame) != FileRead::Read; ++waited) Sleep(500);
    return frame;
}

TEST_F(CodePageTest, TheDialogTheBarThePictureAndTheFilesAreChinese) {
    // The code page the run was registered for (none: the session's 936).
    wchar_t codePage[16] = {};
    if (GetEnvironmentVariableW(L"PLACARD_TEST_CODEPAGE", codePage, 16) != 0) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::wcstoul(codePage, nullptr, 10))) << "the locale is not there";
    }
    folder.write("data\\红.png", EncodePicture(L"image/png", 40, 30, kRed, kRed));
    folder.write("_items.txt", "红.png\r\n");
    Store([](CCore& core) {
        core.saveConfigStr("dispbtm", "欢迎光临");
        core.saveConfigInt("width", kWidth);
        core.saveConfigInt("height", kHeight);
        core.saveConfigClr("clrfont", 0xFF000000 | kText);
    });

    struct Seen {
        std::string caption, enable, apply, items, bar, frame;
    } seen;
    ModalBoxAnswerer answerer;
    Run({OutputCreated(), Step([&] {
             seen.caption = WindowText(dialog.m_hWnd);
             seen.enable = WindowText(Item(IDC_ENABLE));
             seen.apply = WindowText(Item(IDC_APPLY));
             seen.items = WindowText(Item(IDC_ITEMS));
             seen.bar = WindowText(Item(IDC_DISPBTM));
             seen.frame = NextFrame();
             SetText(IDC_INTERVAL, "0");
             Click(IDC_APPLY);
             SetText(IDC_INTERVAL, "5");
             SetWindowTextOf(Item(IDC_DISPBTM), "新品促销");
         }),
         Close()});

    wchar_t frameFile[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kFrameFileVariable, frameFile, MAX_PATH) != 0) {
        ASSERT_EQ(AtomicFile::write(ProgramTextFromWide(frameFile), seen.frame), FileWrite::Written);
    }
    EXPECT_EQ(seen.caption, "Placard");
    EXPECT_EQ(seen.enable, "开启输出");
    EXPECT_EQ(seen.apply, "应用");
    EXPECT_EQ(seen.items, "红.png\r\n");
    EXPECT_EQ(seen.bar, "欢迎光临");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].caption, "Placard");
    EXPECT_EQ(answerer.boxes()[0].text, "轮换间隔不能小于1秒");

    ASSERT_EQ(seen.frame.size(), size_t{kWidth} * kHeight * 4);
    EXPECT_EQ(Pixel(seen.frame, 0, 0), kRed) << "红.png is shown";
    int textPixels = 0;
    for (int y = kHeight * 3 / 4; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) textPixels += Pixel(seen.frame, x, y) == kText;
    }
    EXPECT_GT(textPixels, 50) << "the bar's text is drawn";
    if (GetACP() != kProgramCodePage) {
        EXPECT_TRUE(FrameUnderCodePage936() == seen.frame) << "the frame differs from the frame under code page 936";
    }

    EXPECT_EQ(folder.read("_items.txt"), "红.png\r\n");
    const std::string stored = folder.read("Placard.ini");
    const std::string line = "\ndispbtm=新品促销";
    const size_t at = stored.find(line);
    ASSERT_NE(at, std::string::npos) << stored;
    EXPECT_TRUE(at + line.size() == stored.size() || stored[at + line.size()] == '\r' || stored[at + line.size()] == '\n')
        << stored;
}

// A name code page 936 cannot write is kept where the file can hold it, and said where it cannot.
TEST_F(CodePageTest, NamesOutsideCodePage936AreNeverTurnedIntoQuestionMarks) {
    const std::wstring korean = L"\xD55C.png";  // 한.png
    folder.write(L"data\\" + korean, EncodePicture(L"image/png", 40, 30, kBlue, kBlue));
    // As Notepad saves it: UTF-8 without a byte-order mark.
    const std::string utf8List = CodePageFromWide(korean + L"\r\n", CP_UTF8);
    folder.write("_items.txt", utf8List);
    Store([](CCore& core) {
        core.saveConfigInt("width", kWidth);
        core.saveConfigInt("height", kHeight);
    });

    std::wstring shown;
    std::string frame;
    ModalBoxAnswerer answerer;
    Run({OutputCreated(), Step([&] {
             shown = dialog.GetDlgItemWideText(IDC_ITEMS);
             frame = NextFrame();
             dialog.SetDlgItemWideText(IDC_DISPBTM, L"\xD658\xC601");  // 환영
             Click(IDC_APPLY);
         }),
         Close()});

    EXPECT_EQ(shown, korean + L"\r\n");
    EXPECT_EQ(Pixel(frame, 0, 0), kBlue) << "the picture of a UTF-8 list's Korean name is shown";
    EXPECT_EQ(folder.read("_items.txt"), utf8List) << "and written back whole";
    ASSERT_GE(answerer.boxes().size(), 2u) << "the bar's text is refused at Apply, and told again at the close";
    for (const auto& box : answerer.boxes()) EXPECT_NE(box.text.find("底部信息栏"), std::string::npos) << box.text;
    EXPECT_EQ(folder.read("Placard.ini").find("dispbtm=?"), std::string::npos) << "never saved as question marks";
}

// An ANSI list that gets a name code page 936 cannot write changes its encoding, not the name.
TEST_F(CodePageTest, AnAnsiListGivenAKoreanNameIsSavedAsUtf8WithItsMark) {
    folder.write("_items.txt", "红.png\r\n");
    Store([](CCore& core) { core.saveConfigB("on", false); });
    const std::wstring list = L"\x7EA2.png\r\n\xD55C.png\r\n";  // 红.png, 한.png
    Run({OutputCreated(), Step([&] { dialog.SetDlgItemWideText(IDC_ITEMS, list); }), Close()});
    EXPECT_EQ(folder.read("_items.txt"), "\xEF\xBB\xBF" + CodePageFromWide(list, CP_UTF8));
}

}  // namespace
