// The output on a machine with two monitors (tools/wine-session --two-screens): the primary
// 1920 x 1080 at the origin and a second 1280 x 1024, which the tests move, switch off and on
// again with xrandr, as the display settings or a TV going to standby would. The system then
// sends WM_DISPLAYCHANGE; Wine does not for a change made from outside, so the tests send it.
#include <optional>
#include <string>

#include "output/OutputPlacement.h"
#include "settings/OutputDrivingFixture.h"
#include "support/ModalBoxAnswerer.h"

namespace {

class TwoScreensTest : public OutputDrivingFixture {
protected:
    void SetUp() override {
        OutputDrivingFixture::SetUp();
        Layout("--mode 1280x1024 --right-of DUMMY0", POINT{1920, 0});
    }
    void TearDown() override {
        Layout("--mode 1280x1024 --right-of DUMMY0", POINT{1920, 0});
        OutputDrivingFixture::TearDown();
    }

    // Puts the second screen where `arguments` say, and waits until the system lists it with its
    // top-left corner at `corner` (or lists no second screen).
    static void Layout(const std::string& arguments, std::optional<POINT> corner) {
        std::string command = "Z:\\usr\\bin\\xrandr --output DUMMY1 " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process))
            << command;
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const auto listed = [&corner] {
            const std::optional<POINT> second = SecondScreenCorner(1920, Monitors());
            return second.has_value() == corner.has_value() &&
                   (!second || (second->x == corner->x && second->y == corner->y));
        };
        for (int i = 0; i < 200 && !listed(); ++i) Sleep(50);
        ASSERT_TRUE(listed()) << command;
    }
    // What Windows sends every top-level window once a monitor came, went or changed.
    static void DisplayChanged() {
        ::SendMessageW(SharedState::outputWnd->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1920, 1080));
    }
    static bool Topmost() {
        return (::GetWindowLongW(SharedState::outputWnd->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
};

TEST_F(TwoScreensTest, TheButtonFindsTheSecondScreenOnEverySideAndTheOutputStaysAboveItsTaskbar) {
    StoreSetup(true, 800, 600);
    const struct {
        const char* where;
        POINT corner;
    } layouts[] = {
        {"--right-of DUMMY0", {1920, 0}},
        {"--left-of DUMMY0", {-1280, 0}},
        {"--above DUMMY0", {0, -1024}},
        {"--below DUMMY0", {0, 1080}},
    };
    std::vector<WindowState> placed;
    std::vector<bool> topmost;
    bool topmostOnThePrimary = true;
    Run({OutputCreated(), Step([&] {
             topmostOnThePrimary = Topmost();
             for (const auto& layout : layouts) {
                 Layout(std::string("--mode 1280x1024 ") + layout.where, layout.corner);
                 Click(IDC_SECOND_SCREEN);
                 placed.push_back(OutputState());
                 topmost.push_back(Topmost());
             }
         }),
         Close()});
    EXPECT_FALSE(topmostOnThePrimary) << "an ordinary window on the operator's screen";
    ASSERT_EQ(placed.size(), std::size(layouts));
    for (size_t i = 0; i < placed.size(); ++i) {
        const POINT& corner = layouts[i].corner;
        EXPECT_TRUE(SameRect(placed[i].rect, RECT{corner.x, corner.y, corner.x + 800, corner.y + 600})) << layouts[i].where;
        EXPECT_TRUE(placed[i].visible) << layouts[i].where;
        EXPECT_TRUE(topmost[i]) << layouts[i].where;
    }
}

TEST_F(TwoScreensTest, ATvSwitchedOffLeavesTheShowOnTheMainScreenAndSwitchedOnGetsItBack) {
    StoreSetup(true, 800, 600);
    WindowState whileOff, backOn;
    bool topmostWhileOff = true, topmostBackOn = false;
    Run({OutputCreated(), Step([&] {
             Click(IDC_SECOND_SCREEN);
             // The operator moves it within the TV's screen.
             ::SetWindowPos(SharedState::outputWnd->m_hWnd, nullptr, 1960, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
             Layout("--off", std::nullopt);
             DisplayChanged();
             whileOff = OutputState();
             topmostWhileOff = Topmost();
             // Back, at another place in the layout.
             Layout("--mode 1280x1024 --left-of DUMMY0", POINT{-1280, 0});
             DisplayChanged();
             backOn = OutputState();
             topmostBackOn = Topmost();
         }),
         Close()});
    EXPECT_TRUE(SameRect(whileOff.rect, RECT{1343, 108, 2143, 708})) << "the first placement's on the main screen";
    EXPECT_FALSE(topmostWhileOff);
    EXPECT_TRUE(SameRect(backOn.rect, RECT{-1240, 30, -440, 630})) << "its own monitor, at its offset there";
    EXPECT_TRUE(topmostBackOn);
}

TEST_F(TwoScreensTest, AnOutputWhoseScreenMovedGoesBackToItsOffsetThereWhollyOnIt) {
    StoreSetup(true, 800, 600);
    WindowState moved;
    Run({OutputCreated(), Step([&] {
             Click(IDC_SECOND_SCREEN);
             // The main screen lowered to 1024 x 768 moves the TV's screen to x = 1024.
             Layout("--mode 1280x1024 --right-of DUMMY0 --output DUMMY0 --mode 1024x768", POINT{1024, 0});
             DisplayChanged();
             moved = OutputState();
             Layout("--mode 1280x1024 --right-of DUMMY0 --output DUMMY0 --mode 1920x1080", POINT{1920, 0});
         }),
         Close()});
    EXPECT_TRUE(SameRect(moved.rect, RECT{1024, 0, 1824, 600})) << "at its offset on its screen";
}

TEST_F(TwoScreensTest, TheSecondScreenCommandPlacesEvenWithOutputOffAndTheNextApplyHidesAgain) {
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

TEST_F(TwoScreensTest, AfterTheSecondScreenCommandApplyKeepsThatPlace) {
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

TEST_F(TwoScreensTest, ARefusedWidthStillReachesTheCommandsThatDoNotValidate) {
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

}  // namespace
