// How the settings dialog drives the output window: the start-up timer, the first placement
// at the 0.7/0.1 corner, later placements at the window's own corner, the enable checkbox
// and the second-screen command. Runs on a 1920 x 1080 virtual screen.
#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "support/ModalBoxAnswerer.h"

namespace {

struct WindowState {
    RECT rect{};
    bool visible = false;
};

WindowState OutputState() {
    WindowState state;
    if (SharedState::outputWnd != nullptr && SharedState::outputWnd->m_hWnd != nullptr) {
        state.rect = SharedState::outputWnd->GetWindowRect();
        state.visible = SharedState::outputWnd->IsWindowVisible() != FALSE;
    }
    return state;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class OutputDrivingTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    }
    void StoreSetup(bool on, int width, int height) {
        Store([&](CCore& core) {
            core.saveConfigB("on", on);
            core.saveConfigInt("width", width);
            core.saveConfigInt("height", height);
            core.saveConfigInt("interval", 5);
        });
    }
};

TEST_F(OutputDrivingTest, TheStartUpTimerCreatesTheOutputOwnedByTheDialogAndPlacesItAtTheCorner) {
    StoreSetup(true, 800, 600);
    HWND owner = nullptr, dialogWindow = nullptr;
    WindowState first;
    Run({OutputCreated(), Step([&] {
             dialogWindow = dialog.m_hWnd;
             owner = ::GetWindow(SharedState::outputWnd->m_hWnd, GW_OWNER);
             first = OutputState();
         }),
         Close()});
    EXPECT_EQ(owner, dialogWindow);
    EXPECT_TRUE(first.visible);
    EXPECT_TRUE(SameRect(first.rect, RECT{1343, 108, 2143, 708}));
    EXPECT_TRUE(SameRect(SharedState::outputRect, RECT{1343, 108, 2143, 708}));
    EXPECT_EQ(SharedState::placed, 1343);
}

TEST_F(OutputDrivingTest, ALaterApplyKeepsTheWindowsCornerAndTakesTheNewSize) {
    StoreSetup(true, 800, 600);
    WindowState after;
    Run({OutputCreated(), Step([&] {
             // Where the operator dragged it.
             ::SetWindowPos(SharedState::outputWnd->m_hWnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
             SetText(IDC_WIDTH, "640");
             SetText(IDC_HEIGHT, "480");
             Click(IDC_APPLY);
             after = OutputState();
         }),
         Close()});
    EXPECT_TRUE(after.visible);
    EXPECT_TRUE(SameRect(after.rect, RECT{300, 200, 940, 680}));
    EXPECT_TRUE(SameRect(SharedState::outputRect, RECT{300, 200, 940, 680}));
}

TEST_F(OutputDrivingTest, TheCheckboxHidesAndShowsWithTheValuesLastCollected) {
    StoreSetup(true, 800, 600);
    WindowState off, on;
    Run({OutputCreated(), Step([&] {
             Click(IDC_ENABLE);
             off = OutputState();
             SetText(IDC_WIDTH, "300");  // edited, not applied
             Click(IDC_ENABLE);
             on = OutputState();
         }),
         Close()});
    EXPECT_FALSE(off.visible);
    EXPECT_TRUE(on.visible);
    EXPECT_TRUE(SameRect(on.rect, RECT{1343, 108, 2143, 708}));
    EXPECT_EQ(SharedState::on, 1);
}

TEST_F(OutputDrivingTest, TheSecondScreenCommandPlacesEvenWithOutputOffAndTheNextApplyHidesAgain) {
    StoreSetup(false, 800, 600);
    WindowState beforeCommand, atSecondScreen, afterApply;
    bool checkedAfterCommand = true;
    Run({OutputCreated(), Step([&] {
             beforeCommand = OutputState();
             SetText(IDC_WIDTH, "1000");  // not applied: ignored by the command
             Click(IDC_SECOND_SCREEN);
             atSecondScreen = OutputState();
             checkedAfterCommand = Checked(IDC_ENABLE);
         }),
         Step([&] {
             SetText(IDC_WIDTH, "800");
             Click(IDC_APPLY);
             afterApply = OutputState();
         }),
         Close()});
    EXPECT_FALSE(beforeCommand.visible);
    EXPECT_TRUE(atSecondScreen.visible);
    EXPECT_TRUE(SameRect(atSecondScreen.rect, RECT{1920, 0, 2720, 600}));
    EXPECT_FALSE(checkedAfterCommand);
    EXPECT_FALSE(afterApply.visible);
}

TEST_F(OutputDrivingTest, AfterTheSecondScreenCommandApplyKeepsThatPlace) {
    StoreSetup(true, 800, 600);
    WindowState afterApply;
    Run({OutputCreated(), Step([&] {
             Click(IDC_SECOND_SCREEN);
             SetText(IDC_HEIGHT, "500");
             Click(IDC_APPLY);
             afterApply = OutputState();
         }),
         Close()});
    EXPECT_TRUE(afterApply.visible);
    EXPECT_TRUE(SameRect(afterApply.rect, RECT{1920, 0, 2720, 500}));
    EXPECT_EQ(SharedState::placed, 1920);
}

TEST_F(OutputDrivingTest, ARefusedWidthStillReachesTheCommandsThatDoNotValidate) {
    StoreSetup(true, 800, 600);
    ModalBoxAnswerer answerer;
    WindowState atSecondScreen;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, "50");
             Click(IDC_APPLY);
             Click(IDC_SECOND_SCREEN);
             atSecondScreen = OutputState();
         }),
         Close()});
    EXPECT_EQ(answerer.boxes().size(), 1u);
    EXPECT_TRUE(SameRect(atSecondScreen.rect, RECT{1920, 0, 1970, 600}));
}

TEST_F(OutputDrivingTest, ASizeFromTheStoreThatOverflowsTheScreenEdgeSaturatesInsteadOfWrapping) {
    StoreSetup(true, INT_MAX, 600);
    RECT rect{};
    Run({OutputCreated(), Step([&] {
             Click(IDC_SECOND_SCREEN);
             rect = SharedState::outputRect;
         }),
         Close()});
    EXPECT_EQ(rect.left, 1920);
    EXPECT_EQ(rect.right, INT_MAX);
}

// The dialog created but its start-up timer not yet run: the commands have no window to drive.
TEST_F(OutputDrivingTest, CommandsBeforeTheOutputExistsAreIgnored) {
    StoreSetup(true, 800, 600);
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS, nullptr));
    // Initialised, but the output window comes only with the timer's first tick.
    EXPECT_NE(SharedState::core, nullptr);
    ModalBoxAnswerer answerer;
    Click(IDC_ENABLE);
    Click(IDC_SECOND_SCREEN);
    Click(IDC_APPLY);
    EXPECT_EQ(SharedState::outputWnd, nullptr);
    EXPECT_EQ(SharedState::placed, 0);
    dialog.DestroyWindow();
    EXPECT_EQ(SharedState::core, nullptr);
}

}  // namespace
