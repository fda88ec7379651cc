// 高级设置 from the settings dialog's system menu: its fields checked as Apply checks, taken at
// once and saved with the seven settings; shop hours that hide the output and bring it back.
#include <string>
#include <vector>

#include "base/ProgramText.h"
#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TestDib.h"

namespace {

class AdvancedSettingsTest : public SettingsFixture {
protected:
    ScriptStep Open() const {
        return Step([this] { dialog.PostMessage(WM_SYSCOMMAND, IDM_ADVANCED, 0); });
    }
    ScriptStep Opened() {
        return Until([this] {
            advanced = ::FindWindowW(L"#32770", WideFromProgramText("高级设置").c_str());

            return advanced != nullptr && ::IsWindowVisible(advanced);
        });
    }
    ScriptStep Closed() const {
        return Until([this] { return !::IsWindow(advanced); });
    }
    void Set(int id, const std::string& text) const { ::SetDlgItemTextW(advanced, id, WideFromProgramText(text).c_str()); }
    void Ok() const {
        ::PostMessageW(advanced, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(advanced, IDOK)));
    }
    // Every day: all of it, or an hour hours away from now.
    static std::string Hours(bool includingNow) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        if (includingNow) return "1-7 00:00-24:00";
        return now.wHour < 12 ? "1-7 18:00-19:00" : "1-7 03:00-04:00";
    }
    // The message boxes seen (the dialog, seen too, has no message text).
    static std::vector<std::string> Warnings(const ModalBoxAnswerer& answerer) {
        std::vector<std::string> texts;
        for (const ModalBoxAnswerer::Box& box : answerer.boxes()) {
            if (!box.text.empty()) texts.push_back(box.text);
        }
        return texts;
    }
    // Every pixel the output covers on the screen is black.
    static bool AllBlack() {
        const RECT rect = SharedState::outputWnd->GetWindowRect();
        TestDib screen(rect.right - rect.left, rect.bottom - rect.top);
        CaptureScreen(screen, rect.left, rect.top);
        return screen.countRgb(0, 0, screen.width(), screen.height(), 0x000000) == screen.width() * screen.height();
    }
    bool OutputShown() const { return SharedState::outputWnd != nullptr && SharedState::outputWnd->IsWindowVisible(); }

    HWND advanced = nullptr;
};

TEST_F(AdvancedSettingsTest, ItRefusesWhatItCannotReadAndItsHoursBlackenTheOutputAndBringItBack) {
    Store([](CCore& core) {
        core.saveConfigInt("width", 320);
        core.saveConfigInt("height", 240);
        core.saveConfigB("on", true);
    });
    // Message boxes are answered; the dialog itself is driven by the steps.
    ModalBoxAnswerer answerer([](HWND box) {
        if (::GetDlgItem(box, IDC_ADV_HOURS) != nullptr) return;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    bool shownAtStart = false, shownWhileClosed = false, stillTicked = false, shownWhenOpen = false;
    bool blackWhileClosed = false, blackAfterATick = false;
    int focusAfterRefusal = 0;
    std::string hoursAfterCancel;
    Run({OutputCreated(), Step([&] { shownAtStart = OutputShown(); }), Open(), Opened(), Step([&] {
             Set(IDC_ADV_HOURS, "1-5 8:30");
             Ok();
         }),
         Until([&] { return Warnings(answerer).size() == 1; }), Step([&] {
             focusAfterRefusal = ::GetDlgCtrlID(::GetFocus());
             Set(IDC_ADV_HOURS, Hours(false));
             Set(IDC_ADV_SCROLL, "120 中");
             ::SendDlgItemMessageW(advanced, IDC_ADV_FIT, CB_SETCURSEL, 1, 0);
             ::CheckDlgButton(advanced, IDC_ADV_RESTOREPLACE, BST_CHECKED);
             Ok();
         }),
         Closed(), Step([&] {
             shownWhileClosed = OutputShown();
             stillTicked = Checked(IDC_ENABLE);
             blackWhileClosed = AllBlack();
             SharedState::outputWnd->Render();  // a tick of the rotation, were one running
             blackAfterATick = AllBlack();
         }),
         // Escape changes nothing.
         Open(), Opened(), Step([&] {
             Set(IDC_ADV_HOURS, "");
             ::PostMessageW(::GetDlgItem(advanced, IDC_ADV_HOURS), WM_KEYDOWN, VK_ESCAPE, 1);
         }),
         Closed(), Step([&] { hoursAfterCancel = Stored([](CCore& core) { return core.getConfigStr("hours"); }); }),
         Open(), Opened(), Step([&] {
             Set(IDC_ADV_HOURS, Hours(true));
             Ok();
         }),
         Closed(), Step([&] { shownWhenOpen = OutputShown(); }), Close()});

    EXPECT_TRUE(shownAtStart);
    const std::vector<std::string> warnings = Warnings(answerer);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("1-5 8:30"), std::string::npos) << warnings[0];
    EXPECT_EQ(focusAfterRefusal, IDC_ADV_HOURS);
    EXPECT_TRUE(shownWhileClosed) << "where it was outside the hours";
    EXPECT_TRUE(blackWhileClosed) << "and black: no picture, no bar, never the desktop";
    EXPECT_TRUE(blackAfterATick) << "nothing composed while closed";
    EXPECT_TRUE(stillTicked) << "开启输出 stays as it was";
    EXPECT_EQ(hoursAfterCancel, Hours(false));
    EXPECT_TRUE(shownWhenOpen) << "back when the hours include now";
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigStr("hours"); }), Hours(true));
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigInt("scroll"); }), 120);
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigStr("fit"); }), "contain");
    EXPECT_TRUE(Stored([](CCore& core) { return core.getConfigB("restoreplace"); }));
}

// Another program's edit of the store, taken while the box is open, outlives the box's 确定.
TEST_F(AdvancedSettingsTest, AnEditMadeElsewhereWhileItIsOpenOutlivesItsOk) {
    Store([](CCore& core) { core.saveConfigInt("reload", 1); });
    PictureFit fitAfterOk = PictureFit::None;
    Run({OutputCreated(), Open(), Opened(),
         Step([&] { folder.write("Placard.ini", "reload=1\r\nfit=cover\r\n"); }),
         Until([] { return SharedState::fit == PictureFit::Cover; }), Step([&] {
             Set(IDC_ADV_SCROLL, "60");
             Ok();
         }),
         Closed(), Step([&] { fitAfterOk = SharedState::fit; }), Close()});
    EXPECT_EQ(fitAfterOk, PictureFit::Cover);
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigStr("fit"); }), "cover");
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigInt("scroll"); }), 60) << "the box's own change";
}

}  // namespace
