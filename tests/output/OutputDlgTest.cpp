// The output window on its own: creation, placement, the rotation timer, the keys a dialog
// answers and the drag. Real windows under Wine; the frames' pixels are FrameTest's.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/WindowClass.h"
#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "resource.h"
#include "support/Input.h"
#include "support/MessagePump.h"
#include "support/Rects.h"
#include "support/TestDib.h"

namespace {

// The output window with a record of what it was sent.
class RecordingOutput : public COutputDlg {
public:
    RecordingOutput() : COutputDlg(nullptr) {}
    int ticks = 0;
    std::vector<WPARAM> sysCommands;
    int enteredMove = 0;
    int exitedMove = 0;
    std::vector<RECT> rectsDuringMove;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kRotationTimer) ++ticks;
        if (message == WM_SYSCOMMAND) sysCommands.push_back(wParam);
        if (message == WM_ENTERSIZEMOVE) ++enteredMove;
        if (message == WM_EXITSIZEMOVE) ++exitedMove;
        return COutputDlg::WindowProc(message, wParam, lParam);
    }
};

class OutputDlgTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputFixture::SetUp();
        SharedState::width = 320;
        SharedState::height = 240;
        SharedState::interval = 5;
        SharedState::clrbg = 0xFF204060;
        for (const auto& [name, rgb] : kPictures) Picture(name, 320, 240, rgb);
        ASSERT_TRUE(output.Create(IDD_OUTPUT, nullptr));
    }
    void TearDown() override {
        output.DestroyWindow();
        OutputFixture::TearDown();
    }
    void Tick() {
        output.PostMessage(WM_TIMER, COutputDlg::kRotationTimer, 0);
        PumpMessages();
    }
    bool Layered() const { return (GetWindowLongW(output.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
    // The picture the screen shows in the window: "a.bmp", ..., or "" for none of them. A window
    // shown for the first time may take the display a moment: none is waited for a second.
    std::string Shown() const {
        std::string shown;
        PumpUntil([&] {
            const RECT window = output.GetWindowRect();
            TestDib screen(1, 1);
            CaptureScreen(screen, window.left + 5, window.top + 5);
            for (const auto& [name, rgb] : kPictures) {
                if (RgbClose(screen.rgb(0, 0), rgb)) shown = name;
            }
            return !shown.empty();
        }, 1000);
        return shown;
    }

    static constexpr std::pair<const char*, uint32_t> kPictures[] = {
        {"a.bmp", 0xFF0000}, {"b.bmp", 0x00FF00}, {"c.bmp", 0x0000FF}};
    RecordingOutput output;
};

TEST_F(OutputDlgTest, CreationShowsNothingAndRunsNoTimer) {
    EXPECT_FALSE(output.IsWindowVisible());
    EXPECT_FALSE(Layered()) << "no frame before the first placement";
    EXPECT_EQ(GetWindowLongW(output.m_hWnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    PumpMessages(100);
    EXPECT_EQ(output.ticks, 0);
}

TEST_F(OutputDlgTest, PlacingMovesSizesAndShowsTheFirstPicture) {
    Listed({"a.bmp", "b.bmp", "c.bmp"});
    const RECT rect{1343, 108, 1663, 348};
    output.Place(rect);
    EXPECT_TRUE(SameRect(output.GetWindowRect(), rect));
    EXPECT_TRUE(output.IsWindowVisible());
    EXPECT_TRUE(Layered());
    EXPECT_EQ(Shown(), "a.bmp");
}

TEST_F(OutputDlgTest, TicksShowTheRowsInTurnAndEveryPlacementStartsAgain) {
    Listed({"a.bmp"});
    output.Place(RECT{10, 10, 330, 250});
    Tick();
    EXPECT_EQ(Shown(), "a.bmp") << "one name: always row 0";

    Listed({"a.bmp", "b.bmp", "c.bmp"});
    output.Place(RECT{10, 10, 330, 250});
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        Tick();
        seen.push_back(Shown());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp", "b.bmp"}));

    // Another timer's tick composes nothing.
    output.PostMessage(WM_TIMER, 7, 0);
    PumpMessages();
    EXPECT_EQ(Shown(), "b.bmp");

    // A hidden window goes on composing: c while hidden, so a at the next tick once shown.
    output.ShowWindow(SW_HIDE);
    Tick();
    output.ShowWindow(SW_SHOWNA);
    Tick();
    EXPECT_EQ(Shown(), "a.bmp");

    output.Place(RECT{10, 10, 330, 250});
    EXPECT_EQ(Shown(), "a.bmp");
}

// "a.bmp|1" then "b.bmp" at interval 3: each turn starts when the one before is up.
TEST_F(OutputDlgTest, APictureWithSecondsOfItsOwnStandsThatLongAndTheNextTheInterval) {
    SharedState::interval = 3;
    playlist->add("a.bmp", true, 1);
    playlist->add("b.bmp");
    SharedState::playlistCount = playlist->count();
    output.Place(RECT{10, 10, 330, 250});
    const DWORD placed = GetTickCount();
    std::vector<std::string> seen;
    for (DWORD at : {500u, 1500u, 3500u, 4500u}) {
        PumpUntil([&] { return GetTickCount() - placed >= at; }, 6000);
        seen.push_back(Shown());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a.bmp", "b.bmp", "b.bmp", "a.bmp"}));
}

TEST_F(OutputDlgTest, TheTimerRunsAtThePresentIntervalAndEachPlacementRestartsIt) {
    Listed({"a.bmp", "b.bmp"});
    SharedState::interval = 1;
    output.Place(RECT{0, 0, 320, 240});
    PumpMessages(700);
    output.Place(RECT{0, 0, 320, 240});
    PumpMessages(700);
    EXPECT_EQ(output.ticks, 0) << "the second placement restarted the second";
    EXPECT_TRUE(PumpUntil([&] { return output.ticks >= 1; }, 2000));
    EXPECT_EQ(Shown(), "b.bmp");
}

TEST_F(OutputDlgTest, AnIntervalOfZeroGivesTheShortestPeriodAndAHugeOneTheLongest) {
    SharedState::interval = 0;
    output.Place(RECT{0, 0, 320, 240});
    EXPECT_TRUE(PumpUntil([&] { return output.ticks >= 5; }, 2000));

    SharedState::interval = 2147483647;
    output.Place(RECT{0, 0, 320, 240});
    const int before = output.ticks;
    PumpMessages(300);
    EXPECT_EQ(output.ticks, before);
}

TEST_F(OutputDlgTest, AFrameNoSurfaceCanHoldIsSkippedShowsNothingAndTheNextPlacementComposesAgain) {
    Listed({"a.bmp", "b.bmp"});
    TestDib before(60, 60), after(60, 60);
    CaptureScreen(before, 200, 200);
    // The window's first frame, 40000 wide as read from the store, is skipped.
    output.Place(RECT{200, 200, 40200, 800});
    PumpMessages(200);
    CaptureScreen(after, 200, 200);
    EXPECT_TRUE(output.IsWindowVisible());
    EXPECT_TRUE(Layered()) << "a window that is not layered shows as a plain grey box";
    int changed = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) changed += before.rgb(x, y) != after.rgb(x, y) ? 1 : 0;
    EXPECT_EQ(changed, 0) << "the screen under the window shows no pixel of it";
    output.Place(RECT{0, 600, 800, 0});
    Tick();

    output.Place(RECT{0, 0, 800, 600});
    EXPECT_EQ(Shown(), "a.bmp");
}

TEST_F(OutputDlgTest, EnterOrEscapeInTheActiveWindowHidesItAndTheTimerGoesOn) {
    SharedState::interval = 0;
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        output.Place(RECT{100, 100, 420, 340});
        SetActiveWindow(output.m_hWnd);
        ASSERT_EQ(GetActiveWindow(), output.m_hWnd);
        PostKey(output.m_hWnd, key);
        EXPECT_TRUE(PumpUntil([&] { return !output.IsWindowVisible(); }, 2000)) << "key " << key;
        EXPECT_TRUE(IsWindow(output.m_hWnd));
        const int before = output.ticks;
        EXPECT_TRUE(PumpUntil([&] { return output.ticks > before + 2; }, 2000)) << "key " << key;
    }
    output.Place(RECT{100, 100, 420, 340});
    EXPECT_TRUE(output.IsWindowVisible());
}

TEST_F(OutputDlgTest, AnOwnedWindowGoesWithItsOwnerAndTheObjectCanThenBeDeleted) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    auto owned = std::make_unique<COutputDlg>(nullptr);
    ASSERT_TRUE(owned->Create(IDD_OUTPUT, &owner));
    EXPECT_EQ(GetWindow(owned->m_hWnd, GW_OWNER), owner.m_hWnd);
    owned->Place(RECT{0, 0, 320, 240});
    const HWND window = owned->m_hWnd;

    owner.DestroyWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(owned->m_hWnd, nullptr);
    owned->Place(RECT{0, 0, 320, 240});  // ignored: there is no window to place
    owned.reset();
    PumpMessages(50);
}

TEST_F(OutputDlgTest, APressOfTheLeftButtonDragsTheWholeWindow) {
    Listed({"a.bmp", "b.bmp"});
    SharedState::interval = 0;
    output.Place(RECT{100, 100, 420, 340});
    SetCursorPos(150, 125);
    ASSERT_TRUE(DragTo(POINT{250, 175}));
    EXPECT_EQ(output.exitedMove, 1);
    ASSERT_FALSE(output.sysCommands.empty());
    EXPECT_EQ(output.sysCommands.front(), static_cast<WPARAM>(SC_MOVE | HTCAPTION));
    EXPECT_EQ(output.enteredMove, 1);
    EXPECT_TRUE(SameRect(output.GetWindowRect(), RECT{200, 150, 520, 390}));
    EXPECT_GT(output.ticks, 0) << "the timer kept composing during the drag";
}

}  // namespace
