// The display is kept on and the machine awake exactly while the output window is shown, whichever call shows or
// hides it, and given back when the window goes away.
#include <vector>

#include "output/DisplayKeepAwake.h"
#include "output/OutputDlg.h"
#include "output/OutputFixture.h"
#include "resource.h"
#include "support/MessagePump.h"

namespace {

std::vector<EXECUTION_STATE> g_requests;

EXECUTION_STATE WINAPI RecordRequest(EXECUTION_STATE state) {
    g_requests.push_back(state);
    return ES_CONTINUOUS;
}

constexpr EXECUTION_STATE kKeepOn = ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED;
constexpr EXECUTION_STATE kMachineOnly = ES_CONTINUOUS | ES_SYSTEM_REQUIRED;
constexpr EXECUTION_STATE kGiveBack = ES_CONTINUOUS;

class DisplayKeepAwakeTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputFixture::SetUp();
        g_requests.clear();
        SharedState::width = 200;
        SharedState::height = 150;
        SharedState::interval = 60;
    }
};

TEST_F(DisplayKeepAwakeTest, RequestsFollowShowingAndHidingOnceEach) {
    COutputDlg window(nullptr, &RecordRequest);
    ASSERT_TRUE(window.Create(IDD_OUTPUT, nullptr));
    EXPECT_TRUE(g_requests.empty());  // created hidden

    window.Place(RECT{300, 200, 500, 350});
    window.Place(RECT{320, 220, 520, 370});  // shown again while shown: no second request
    PumpMessages(50);
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn}));

    window.ShowWindow(SW_HIDE);
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn, kGiveBack}));

    // The second-screen command shows the window through SetWindowPos.
    ::SetWindowPos(window.m_hWnd, nullptr, 1920, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn, kGiveBack, kKeepOn}));

    // Outside the shop's hours the screens may go dark, the machine may not sleep.
    window.ShowClosed(RECT{300, 200, 500, 350});
    window.Place(RECT{300, 200, 500, 350});
    window.ShowClosed(RECT{300, 200, 500, 350});
    window.DestroyWindow();
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn, kGiveBack, kKeepOn, kMachineOnly, kKeepOn,
                                                        kMachineOnly, kGiveBack}));
}

TEST_F(DisplayKeepAwakeTest, AnOwnerGoingAwayWhileShownGivesTheDisplayBack) {
    {
        DisplayKeepAwake keepAwake(&RecordRequest);
        keepAwake.Follow(DisplayKeepAwake::Need::DisplayAndMachine);
        keepAwake.Follow(DisplayKeepAwake::Need::DisplayAndMachine);
        EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn}));
    }
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{kKeepOn, kGiveBack}));
}

}  // namespace
