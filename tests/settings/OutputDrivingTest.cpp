// How the settings dialog drives the output window: the start-up timer, the first placement
// at the 0.7/0.1 corner, later placements at the window's own corner, the enable checkbox
// and the second-screen command with one screen. Runs on a 1920 x 1080 virtual screen; the
// second screen's cases are in TwoScreensTest.cpp.
#include "settings/OutputDrivingFixture.h"
#include "support/Input.h"
#include "support/ModalBoxAnswerer.h"

namespace {

class OutputDrivingTest : public OutputDrivingFixture {};

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

// With restoreplace, where the operator drops the output is kept at once, not at the close.
TEST_F(OutputDrivingTest, WithRestorePlaceTheEndOfADragKeepsThePlaceAtOnce) {
    StoreSetup(true, 800, 600);
    Store([](CCore& core) { core.saveConfigB("restoreplace", true); });
    RECT dropped{};
    std::string storedAfterDrag;
    Run({OutputCreated(), Step([&] {
             const RECT rect = SharedState::outputWnd->GetWindowRect();
             SetCursorPos(rect.left + 10, rect.top + 10);
             DragTo(POINT{500, 400});
             dropped = SharedState::outputWnd->GetWindowRect();
         }),
         Step([&] { storedAfterDrag = folder.read("Placard.ini"); }), Close()});
    EXPECT_NE(dropped.left, 1343) << "the window moved";
    EXPECT_NE(storedAfterDrag.find("placex=" + std::to_string(dropped.left) + "\r\n"), std::string::npos)
        << storedAfterDrag;
    EXPECT_NE(storedAfterDrag.find("placey=" + std::to_string(dropped.top) + "\r\n"), std::string::npos);
}

TEST_F(OutputDrivingTest, TheSecondScreenCommandWithOneScreenWarnsAndLeavesTheOutputWhereItIs) {
    StoreSetup(true, 800, 600);
    ModalBoxAnswerer answerer;
    WindowState before, after;
    Run({OutputCreated(), Step([&] {
             before = OutputState();
             Click(IDC_SECOND_SCREEN);
             after = OutputState();
         }),
         Close()});
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, "没有检测到第二屏");
    EXPECT_TRUE(SameRect(after.rect, before.rect));
    EXPECT_TRUE(after.visible);
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
