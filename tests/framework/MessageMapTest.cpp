// The framework's window machinery with real windows: binding at creation, message maps
// and their chaining, reflection, subclassing, self-deleting objects, and the dialogs' loops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ScopeExit.h"
#include "base/UniqueHandle.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/WindowClass.h"
#include "framework/WindowImpl.h"
#include "resource.h"
#include "support/MessagePump.h"
#include "support/TestDib.h"

namespace {

constexpr UINT kBaseMessage = WM_USER + 1;
constexpr UINT kDerivedMessage = WM_USER + 2;
constexpr UINT kBothMessage = WM_USER + 3;
constexpr int kChildId = 77;
constexpr COLORREF kDrawnColour = RGB(0x12, 0x34, 0x56);

class RecordingWnd : public WindowImpl<RecordingWnd, CWnd> {
public:
    std::vector<std::string> calls;

    int OnCreate(LPCREATESTRUCT) {
        calls.push_back(std::string("create:") + (m_hWnd != nullptr ? "bound" : "unbound"));
        return 0;
    }
    LRESULT OnBase(WPARAM w, LPARAM) {
        calls.push_back("base:" + std::to_string(w));
        return 11;
    }
    LRESULT OnBothInBase(WPARAM, LPARAM) {
        calls.push_back("both:base");
        return 0;
    }
    void OnChildClicked() { calls.push_back("parent:clicked"); }

    static MessageEntryList MessageEntries() {
        static const MessageEntry entries[] = {
            OnCreateEntry<&RecordingWnd::OnCreate>(),
            OnMessageEntry<&RecordingWnd::OnBase>(kBaseMessage),
            OnMessageEntry<&RecordingWnd::OnBothInBase>(kBothMessage),
            OnCommandEntry<&RecordingWnd::OnChildClicked>(BN_CLICKED, kChildId),
        };
        return entries;
    }
};

class DerivedWnd : public WindowImpl<DerivedWnd, RecordingWnd> {
public:
    bool* deleted = nullptr;
    ~DerivedWnd() override {
        if (deleted != nullptr) *deleted = true;
    }
    LRESULT OnDerived(WPARAM, LPARAM) {
        calls.push_back("derived");
        return 22;
    }
    LRESULT OnBothInDerived(WPARAM, LPARAM) {
        calls.push_back("both:derived");
        return 0;
    }
    void PostNcDestroy() override { delete this; }

    static MessageEntryList MessageEntries() {
        static const MessageEntry entries[] = {
            OnMessageEntry<&DerivedWnd::OnDerived>(kDerivedMessage),
            OnMessageEntry<&DerivedWnd::OnBothInDerived>(kBothMessage),
        };
        return entries;
    }
};

// A button that may claim its own click and records what it was asked to draw.
class ClaimingButton : public WindowImpl<ClaimingButton, CButton> {
public:
    BOOL claim = TRUE;
    int clicks = 0;
    LONG_PTR procSeenBySubclassHook = 0;

    void PreSubclassWindow() override {
        procSeenBySubclassHook = GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
        ModifyStyle(0, BS_OWNERDRAW);
    }
    BOOL OnClicked() {
        ++clicks;
        return claim;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        const UniqueBrush fill(CreateSolidBrush(kDrawnColour));
        FillRect(item->hDC, &item->rcItem, fill.get());
    }

    static MessageEntryList MessageEntries() {
        static const MessageEntry entries[] = {
            OnReflectedCommandExEntry<&ClaimingButton::OnClicked>(BN_CLICKED),
        };
        return entries;
    }
};

TEST(WindowBindingTest, TheObjectIsBoundBeforeWmCreateAndUnboundWhenTheWindowGoes) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_EQ(wnd.calls.size(), 1u);
    EXPECT_EQ(wnd.calls[0], "create:bound");
    HWND hwnd = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);

    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowBindingTest, AnObjectDestroyedBeforeItsWindowIsReportedAndTakesTheWindowAlong) {
    static std::vector<HWND> reported;
    reported.clear();
    const WindowOutlivedHandler previous = SetWindowOutlivedHandler([](HWND hwnd) { reported.push_back(hwnd); });
    const auto restore = ScopeExit([previous] { SetWindowOutlivedHandler(previous); });
    HWND hwnd = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_EQ(reported, std::vector<HWND>{hwnd});
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(MessageMapTest, DerivedEntriesComeFirstAndBaseEntriesStillApply) {
    auto* wnd = new DerivedWnd;
    bool deleted = false;
    wnd->deleted = &deleted;
    ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hwnd = wnd->m_hWnd;

    EXPECT_EQ(SendMessageW(hwnd, kDerivedMessage, 0, 0), 22);
    EXPECT_EQ(SendMessageW(hwnd, kBaseMessage, 5, 0), 11);
    SendMessageW(hwnd, kBothMessage, 0, 0);
    EXPECT_EQ(wnd->calls, (std::vector<std::string>{"create:bound", "derived", "base:5", "both:derived"}));

    // The object owns itself: it goes with its window.
    DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
}

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
        HWND child = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 20,
                                     parent.m_hWnd, reinterpret_cast<HMENU>(kChildId), nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(child));
        parent.calls.clear();
    }
    // The windows go before their objects: the parent takes the button's window along.
    void TearDown() override { parent.DestroyWindow(); }
    RecordingWnd parent;
    ClaimingButton button;
};

TEST_F(ReflectionTest, SubclassingRunsTheHookFirstAndKeepsTheControlsOwnBehaviour) {
    // The hook ran while the control still had its own procedure.
    EXPECT_NE(button.procSeenBySubclassHook, 0);
    EXPECT_NE(button.procSeenBySubclassHook, GetWindowLongPtrW(button.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    // The control's own procedure still answers what our map does not handle.
    ::SetWindowTextW(button.m_hWnd, L"changed");
    wchar_t text[16] = {};
    ::GetWindowTextW(button.m_hWnd, text, 16);
    EXPECT_STREQ(text, L"changed");
}

TEST_F(ReflectionTest, AClaimedClickNeverReachesTheParent) {
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_TRUE(parent.calls.empty());
}

TEST_F(ReflectionTest, AnUnclaimedClickGoesOnToTheParent) {
    button.claim = FALSE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(parent.calls, (std::vector<std::string>{"parent:clicked"}));
}

TEST_F(ReflectionTest, TheParentsOwnerDrawRequestIsDrawnByTheButton) {
    TestDib dib(80, 20);
    dib.fill(0xFF000000);
    EXPECT_EQ(DrawItemOnto(dib, parent.m_hWnd, button.m_hWnd), TRUE);
    EXPECT_EQ(dib.countRgb(0, 0, 80, 20, 0x123456), 80 * 20);
}

// A modeless dialog from the about-box template, to check the dialog loop's pieces.
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_ABOUT) {}
    int initCount = 0;
    BOOL OnInitDialog() override {
        ++initCount;
        return CDialog::OnInitDialog();
    }
};

TEST(DialogTest, ModelessCreationRunsInitAndEscapeThroughTheWalkHidesIt) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUT, nullptr));
    EXPECT_EQ(dialog.initCount, 1);
    dialog.ShowWindow(SW_SHOW);
    SetActiveWindow(dialog.m_hWnd);
    SetFocus(dialog.GetDlgItem(IDOK));
    PostMessageW(dialog.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWindowVisible(); }, 3000));
    EXPECT_TRUE(IsWindow(dialog.m_hWnd));
    dialog.DestroyWindow();
}

TEST(DialogTest, DoModalDisablesTheOwnerAndReturnsTheEndResult) {
    RecordingWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    class Ending : public CDialog {
    public:
        explicit Ending(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}
        bool ownerDisabled = false;
        BOOL OnInitDialog() override {
            ownerDisabled = !::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER));
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return CDialog::OnInitDialog();
        }
    } dialog(&owner);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    owner.DestroyWindow();
}

class HelpApp : public CWinApp {
public:
    int helps = 0;
    void Help() { ++helps; }
    const AppCommandMap* GetCommandMap() const override {
        static const AppCommandEntry entries[] = {
            {ID_HELP, static_cast<void (CWinApp::*)()>(&HelpApp::Help)},
        };
        static const AppCommandMap map{entries, std::size(entries)};
        return &map;
    }
};

TEST(DialogTest, CommandsNoWindowHandlesReachTheApplicationsCommandMap) {
    HelpApp app;
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUT, nullptr));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(4242, 0), 0);
    EXPECT_EQ(app.helps, 1);
    dialog.DestroyWindow();
}

}  // namespace
