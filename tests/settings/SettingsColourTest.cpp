// The colour buttons inside the real settings dialog: a colour picked from the palette reaches
// the slideshow on Apply and is there again at the next start, Escape in the open palette
// cancels it although the dialog swallows Escape for its own controls, and the colour dialog
// is modal over the whole settings dialog.
#include "colourpicker/PaletteTable.h"
#include "colourpicker/PickerTestWindows.h"
#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "support/Input.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TestDib.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);  // row 0, column 2 of the palette
constexpr int kRedRow = 0;
constexpr int kRedColumn = 2;

// The output window's middle pixel as the screen shows it (0x00RRGGBB).
uint32_t OutputMiddleOnScreen() {
    const RECT window = SharedState::outputWnd->GetWindowRect();
    TestDib screen(1, 1);
    CaptureScreen(screen, (window.left + window.right) / 2, (window.top + window.bottom) / 2);
    return screen.rgb(0, 0);
}

COLORREF ButtonColour(HWND button) {
    auto* picker = dynamic_cast<CColourButton*>(CWnd::FromHandlePermanent(button));
    return picker != nullptr ? picker->GetColour() : CLR_INVALID;
}

class SettingsColourTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        ::SetCursorPos(5, 5);
        // A small output with no pictures and no bar: the background fills all of it.
        Store([](CCore& core) {
            core.saveConfigB("on", true);
            core.saveConfigInt("width", 200);
            core.saveConfigInt("height", 150);
            core.saveConfigInt("interval", 60);
            core.saveConfigClr("clrbg", 0xFF000000);
            core.saveConfigStr("dispbtm", "");
        });
    }
    void TearDown() override {
        DestroyOpenPalettes();
        SettingsFixture::TearDown();
    }

    ScriptStep OpenPalette(int id) {
        return Step([this, id] { Click(id); });
    }
    // The cursor over a cell of the open palette, as a user's move sends it.
    ScriptStep HoverCell(int row, int column) {
        return Step([row, column] {
            if (CColourPalette* popup = FindOpenPalette()) {
                const PaletteMap map(popup->m_hWnd);
                PostMouseMove(popup->m_hWnd, row == kCustomButtonRow ? CentreOf(map.CustomButton())
                                                                     : map.CellCentre(row, column));
            }
        });
    }
    ScriptStep PaletteKey(UINT key) {
        return Step([key] {
            if (CColourPalette* popup = FindOpenPalette()) ::PostKey(popup->m_hWnd, key);
        });
    }
};

TEST_F(SettingsColourTest, APickedBackgroundReachesTheOutputOnApplyAndSurvivesARestart) {
    uint32_t before = 0, picked = 0, applied = 0;
    bool paletteWasOpen = false;
    Run({OutputCreated(), Step([&] { before = OutputMiddleOnScreen(); }), OpenPalette(IDC_CLRBG),
         Step([&] { paletteWasOpen = FindOpenPalette() != nullptr; }), HoverCell(kRedRow, kRedColumn),
         PaletteKey(VK_RETURN), Step([&] { picked = OutputMiddleOnScreen(); }), Step([&] { Click(IDC_APPLY); }),
         Step([&] { applied = OutputMiddleOnScreen(); }), Close()});

    EXPECT_TRUE(paletteWasOpen);
    EXPECT_TRUE(RgbClose(before, 0x000000)) << std::hex << before;
    EXPECT_TRUE(RgbClose(picked, 0x000000)) << std::hex << picked;  // nothing changes before Apply
    EXPECT_TRUE(RgbClose(applied, 0xFF0000)) << std::hex << applied;
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigClr("clrbg"); }), 0xFFFF0000u);

    // The next start: the button shows the colour and the first frame has it.
    ResetSharedState();
    CSettingsDlg next(nullptr, folder.path());
    COLORREF shown = 0;
    uint32_t restarted = 0;
    RunScriptedModal(next,
                     {Until([] { return SharedState::outputWnd != nullptr; }), Step([] {}), Step([&] {
                          shown = ButtonColour(next.GetDlgItem(IDC_CLRBG));
                          restarted = OutputMiddleOnScreen();
                      }),
                      Step([&] { next.PostMessage(WM_CLOSE); })});
    EXPECT_EQ(shown, kRed);
    EXPECT_TRUE(RgbClose(restarted, 0xFF0000)) << std::hex << restarted;
}

TEST_F(SettingsColourTest, EscapeInTheOpenPaletteCancelsItAndTheDialogStaysOpen) {
    // What a cancel restores is the button's own test; here, only that Escape gets past the
    // dialog to the palette and no further.
    bool openBefore = false, openAfter = true, dialogOpen = false;
    Run({OutputCreated(), OpenPalette(IDC_CLRFONT), Step([&] { openBefore = FindOpenPalette() != nullptr; }),
         HoverCell(kRedRow, kRedColumn), PaletteKey(VK_ESCAPE), Step([&] {
             openAfter = FindOpenPalette() != nullptr;
             dialogOpen = dialog.IsWindowVisible();
         }),
         Close()});
    EXPECT_TRUE(openBefore);
    EXPECT_FALSE(openAfter);
    EXPECT_TRUE(dialogOpen);
    EXPECT_FALSE(closedByScript);
}

TEST_F(SettingsColourTest, TheColourDialogDisablesTheSettingsDialogUntilItCloses) {
    HWND colourDialog = nullptr;
    ModalBoxAnswerer finder([&](HWND box) { colourDialog = box; });
    ColourDialogVisit visit;
    bool enabledBefore = false, enabledUnder = true, enabledAfter = false, paletteAfter = false;
    Run({OutputCreated(), OpenPalette(IDC_CLRBG),
         Step([&] { enabledBefore = ::IsWindowEnabled(dialog.m_hWnd) != FALSE; }),
         HoverCell(kCustomButtonRow, 0), PaletteKey(VK_RETURN), Until([&] { return colourDialog != nullptr; }),
         Step([&] {
             enabledUnder = ::IsWindowEnabled(dialog.m_hWnd) != FALSE;
             AnswerColourDialog(colourDialog, RGB(1, 2, 3), false, IDCANCEL, visit);
         }),
         Until([&] { return !::IsWindow(colourDialog); }), Step([&] {
             enabledAfter = ::IsWindowEnabled(dialog.m_hWnd) != FALSE;
             paletteAfter = FindOpenPalette() != nullptr;
         }),
         PaletteKey(VK_ESCAPE), Close()});
    EXPECT_TRUE(enabledBefore);
    EXPECT_FALSE(enabledUnder) << "the other colour button and the close box take no input meanwhile";
    EXPECT_TRUE(enabledAfter);
    EXPECT_TRUE(paletteAfter);
    EXPECT_FALSE(closedByScript);
}

}  // namespace
