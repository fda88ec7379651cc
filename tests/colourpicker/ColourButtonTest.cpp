// The colour button with real windows: a parent of the test's own records every picker
// notification with the button's colour at that moment.
#include <gtest/gtest.h>

#include <vector>

#include "PickerTestWindows.h"
#include "colourpicker/PaletteTable.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "resource.h"
#include "support/MessagePump.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TestDib.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// TestDib reads 0x00RRGGBB.
uint32_t Rgb(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }

HWND MakePushButton(HWND parent, int id, int x, int y) {
    return CreateWindowExA(0, "BUTTON", "bg", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, 123, 23, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

class ColourButtonTest : public testing::Test {
protected:
    void SetUp() override {
        PaletteTable = InitialPaletteTable();
        SetCursorPos(5, 5);
        ASSERT_TRUE(parent.Create(100, 100, 400, 200));
        ASSERT_TRUE(button.SubclassWindow(MakePushButton(parent.m_hWnd, kBackgroundButtonId, 10, 10)));
        parent.watched = &button;
    }
    void TearDown() override {
        DestroyOpenPalettes();
        PumpMessages();
        PaletteTable = InitialPaletteTable();
    }

    CColourPalette* Click(CColourButton& which) {
        which.SendMessage(BM_CLICK);
        PumpMessages();
        return FindOpenPalette();
    }

    Notification Got(UINT message, COLORREF wParam, COLORREF colourNow, int id = kBackgroundButtonId) {
        return Notification{message, wParam, static_cast<LPARAM>(id), colourNow};
    }

    POINT CellCentre(CColourPalette* popup, int row, int column) {
        RECT cell{};
        PaletteCellRect(popup->Geometry(), row, column, cell);
        return CentreOf(cell);
    }

    // The swatch's middle pixel as the button's window shows it.
    COLORREF SwatchOnScreen() {
        HDC dc = GetDC(button.m_hWnd);
        const COLORREF colour = GetPixel(dc, 50, 11);
        ReleaseDC(button.m_hWnd, dc);
        return colour;
    }

    RecordingWindow parent;
    CColourButton button;
};

TEST_F(ColourButtonTest, AttachingMakesTheButtonOwnerDrawnAndKeepsItsOtherStyles) {
    const DWORD style = button.GetStyle();
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(button.GetColour(), kWhite);

    // Without a window the colour is only stored.
    CColourButton detached;
    detached.SetColour(kRed);
    EXPECT_EQ(detached.GetColour(), kRed);
}

TEST_F(ColourButtonTest, AClickOpensThePopupBelowAndSendsOnlyOpened) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    const RECT own = button.GetWindowRect();
    const RECT dropped = popup->GetWindowRect();
    EXPECT_EQ(dropped.left, own.left);
    EXPECT_EQ(dropped.top, own.bottom);
    EXPECT_EQ(GetCapture(), popup->m_hWnd);
    EXPECT_EQ(GetWindow(popup->m_hWnd, GW_OWNER), parent.m_hWnd);
    EXPECT_EQ(popup->SelectedItem(), (PaletteItem{6, 7}));  // "White"
    // No BN_CLICKED command reaches the parent.
    EXPECT_EQ(parent.received, (std::vector<Notification>{Got(PICK_OPENED, kWhite, kWhite)}));
}

TEST_F(ColourButtonTest, EscapeCancels) {
    button.SetColour(kBlue);
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    MoveMouse(hwnd, CellCentre(popup, 0, 2));
    PostAndPump(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    const std::vector<Notification> expected = {
        Got(PICK_OPENED, kBlue, kBlue), Got(PICK_CLOSED, kBlue, kBlue), Got(PICK_CANCELLED, kBlue, kBlue)};
    EXPECT_EQ(parent.received, expected);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(button.GetColour(), kBlue);
}

TEST_F(ColourButtonTest, AcceptingTheSameColourSendsNoChange) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    const std::vector<Notification> expected = {
        Got(PICK_OPENED, kWhite, kWhite), Got(PICK_CLOSED, kWhite, kWhite), Got(PICK_ACCEPTED, kWhite, kWhite)};
    EXPECT_EQ(parent.received, expected);
}

TEST_F(ColourButtonTest, AcceptingADifferentColourChangesAfterTheClose) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    MoveMouse(popup->m_hWnd, CellCentre(popup, 0, 2));  // "Red"
    EXPECT_EQ(button.GetColour(), kWhite);                // hovering shows no preview
    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    const std::vector<Notification> expected = {
        Got(PICK_OPENED, kWhite, kWhite),
        Got(PICK_CLOSED, kRed, kWhite),
        Got(PICK_ACCEPTED, kRed, kWhite),
        Got(PICK_CHANGED, kRed, kRed),
    };
    EXPECT_EQ(parent.received, expected);
    EXPECT_EQ(SwatchOnScreen(), kRed);
}

TEST_F(ColourButtonTest, ReleaseInsideAcceptsAndOutsideCancels) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    POINT yellow = CellCentre(popup, 1, 5);
    MoveMouse(popup->m_hWnd, yellow);
    ClientToScreen(popup->m_hWnd, &yellow);
    ReleaseMouseAt(popup->m_hWnd, yellow);
    EXPECT_EQ(button.GetColour(), kYellow);
    ASSERT_EQ(parent.received.size(), 4u);
    EXPECT_EQ(parent.received[2], Got(PICK_ACCEPTED, kYellow, kWhite));

    parent.received.clear();
    popup = Click(button);
    ASSERT_NE(popup, nullptr);
    const RECT dropped = popup->GetWindowRect();
    ReleaseMouseAt(popup->m_hWnd, POINT{dropped.right + 20, dropped.top + 20});
    const std::vector<Notification> expected = {
        Got(PICK_OPENED, kYellow, kYellow), Got(PICK_CLOSED, kYellow, kYellow), Got(PICK_CANCELLED, kYellow, kYellow)};
    EXPECT_EQ(parent.received, expected);
    EXPECT_EQ(FindOpenPalette(), nullptr);
}

TEST_F(ColourButtonTest, AReleaseOverTheSeparatorChangesNothing) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    POINT separator = CentreOf(popup->Geometry().separatorRect);
    MoveMouse(popup->m_hWnd, separator);
    ClientToScreen(popup->m_hWnd, &separator);
    ReleaseMouseAt(popup->m_hWnd, separator);
    EXPECT_EQ(FindOpenPalette(), popup);
    EXPECT_EQ(GetCapture(), popup->m_hWnd);
    EXPECT_EQ(parent.received, (std::vector<Notification>{Got(PICK_OPENED, kWhite, kWhite)}));
}

TEST_F(ColourButtonTest, CancellingBringsBackTheColourOfTheClickEvenAfterSetColour) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    button.SetColour(kBlue);
    EXPECT_EQ(SwatchOnScreen(), kBlue);
    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    const std::vector<Notification> expected = {
        Got(PICK_OPENED, kWhite, kWhite), Got(PICK_CLOSED, kWhite, kWhite), Got(PICK_CANCELLED, kWhite, kWhite)};
    EXPECT_EQ(parent.received, expected);
    EXPECT_EQ(button.GetColour(), kWhite);
    EXPECT_EQ(SwatchOnScreen(), kWhite);
}

TEST_F(ColourButtonTest, HoveringNeverChangesTheSwatch) {
    button.SetColour(kBlue);
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    for (int row : {0, 3, 8, 10, 12}) {
        MoveMouse(popup->m_hWnd, CellCentre(popup, row, row % 8));
        EXPECT_EQ(button.GetColour(), kBlue);
        EXPECT_EQ(SwatchOnScreen(), kBlue);
    }
    EXPECT_EQ(parent.received, (std::vector<Notification>{Got(PICK_OPENED, kBlue, kBlue)}));
}

// Opens `which`, makes `colour` a custom colour in the colour dialog, then cancels the popup.
void AddCustomColour(CColourPalette* popup, COLORREF colour) {
    ASSERT_NE(popup, nullptr);
    MoveMouse(popup->m_hWnd, CentreOf(popup->Geometry().customRect));
    ColourDialogVisit visit;
    ModalBoxAnswerer answerer([&](HWND box) { AnswerColourDialog(box, colour, true, IDOK, visit); });
    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
}

bool CustomEntriesHold(COLORREF colour) {
    for (int i = kFirstCustomEntry; i < kPaletteEntryCount; ++i)
        if (PaletteTable[static_cast<size_t>(i)].colour == colour) return true;
    return false;
}

bool CustomEntriesAllWhite() {
    for (int i = kFirstCustomEntry; i < kPaletteEntryCount; ++i)
        if (PaletteTable[static_cast<size_t>(i)].colour != kWhite) return false;
    return true;
}

TEST_F(ColourButtonTest, CustomColoursBelongToOneButtonAndAreWhiteAfterARestart) {
    CColourButton other;
    ASSERT_TRUE(other.SubclassWindow(MakePushButton(parent.m_hWnd, kTextButtonId, 10, 60)));
    const COLORREF made = RGB(10, 20, 30);

    AddCustomColour(Click(button), made);
    EXPECT_EQ(button.GetColour(), kWhite);  // cancelled: the colour dialog's pick is not taken

    ASSERT_NE(Click(other), nullptr);
    EXPECT_TRUE(CustomEntriesAllWhite()) << "the other button's popup shows its own custom colours";
    PostAndPump(FindOpenPalette()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);

    ASSERT_NE(Click(button), nullptr);
    EXPECT_TRUE(CustomEntriesHold(made)) << "custom colours survive a cancellation and come back";
    PostAndPump(FindOpenPalette()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);

    // A new process: a fresh table and fresh buttons.
    PaletteTable = InitialPaletteTable();
    CColourButton fresh;
    ASSERT_TRUE(fresh.SubclassWindow(MakePushButton(parent.m_hWnd, kTextButtonId + 1, 10, 110)));
    ASSERT_NE(Click(fresh), nullptr);
    EXPECT_TRUE(CustomEntriesAllWhite());
}

TEST_F(ColourButtonTest, AColourFromTheDialogIsAcceptedLater) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    MoveMouse(hwnd, CentreOf(popup->Geometry().customRect));
    const COLORREF chosen = RGB(200, 100, 50);
    ColourDialogVisit visit;
    {
        ModalBoxAnswerer answerer([&](HWND box) { AnswerColourDialog(box, chosen, false, IDOK, visit); });
        PostAndPump(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_EQ(answerer.boxes().size(), 1u);
    }
    EXPECT_EQ(visit.shownAtStart, kWhite);
    EXPECT_EQ(parent.received.size(), 1u) << "the dialog alone ends nothing";
    MoveMouse(hwnd, POINT{-10, -10});
    PostAndPump(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(parent.received.size(), 4u);
    EXPECT_EQ(parent.received[3], Got(PICK_CHANGED, chosen, chosen));
    EXPECT_EQ(button.GetColour(), chosen);
}

TEST_F(ColourButtonTest, DisablingShowsGreyAndEnablingBringsTheColourBack) {
    button.SetColour(kRed);
    button.EnableWindow(FALSE);
    EXPECT_EQ(button.GetColour(), 0x00C0C0C0u);
    button.EnableWindow(TRUE);
    EXPECT_EQ(button.GetColour(), kRed);

    button.EnableWindow(FALSE);
    button.SetColour(kBlue);  // while disabled: shown once enabled again
    button.EnableWindow(TRUE);
    EXPECT_EQ(button.GetColour(), kBlue);
    EXPECT_EQ(SwatchOnScreen(), kBlue);
}

TEST_F(ColourButtonTest, EraseFillsTheWholeButtonWithTheColour) {
    button.SetColour(kYellow);
    TestDib dib(123, 23);
    dib.fill(0xFF000000);
    EXPECT_EQ(button.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc())), TRUE);
    EXPECT_EQ(dib.countRgb(0, 0, 123, 23, Rgb(kYellow)), 123 * 23);
}

// Draws the button through its parent's owner-draw dispatch onto a surface of the test's own.
class ColourButtonDrawingTest : public ColourButtonTest {
protected:
    void SetUp() override {
        ColourButtonTest::SetUp();
        // The worked example: edges of 2, arrow of 7, a frame that takes 2 pixels.
        RECT face{0, 0, 123, 23};
        TestDib scratch(123, 23);
        DrawFrameControl(scratch.dc(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
        const int arrow = std::max(GetSystemMetrics(SM_CXHTHUMB) / 3 + 2, GetSystemMetrics(SM_CYVTHUMB) / 3 + 2);
        if (GetSystemMetrics(SM_CXEDGE) != 2 || GetSystemMetrics(SM_CYEDGE) != 2 || arrow != 7 || face.left != 2 ||
            face.right != 121)
            GTEST_SKIP() << "the platform's metrics differ from the worked example";
    }

    void Draw(UINT state) {
        dib.fill(0xFFFFFFFF);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kBackgroundButtonId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button.m_hWnd;
        item.hDC = dib.dc();
        item.rcItem = RECT{0, 0, 123, 23};
        EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, kBackgroundButtonId, reinterpret_cast<LPARAM>(&item)), TRUE);
        GdiFlush();
    }

    bool Black(int x, int y) const { return dib.rgb(x, y) == 0; }

    TestDib dib{123, 23};
};

TEST_F(ColourButtonDrawingTest, FocusedButtonAsInTheWorkedExample) {
    button.SetColour(kRed);
    Draw(ODS_FOCUS);
    // The swatch {4, 4, 102, 19}: a black border round the colour.
    for (POINT corner : {POINT{4, 4}, POINT{101, 4}, POINT{4, 18}, POINT{101, 18}, POINT{50, 4}, POINT{4, 11}})
        EXPECT_TRUE(Black(corner.x, corner.y)) << corner.x << ", " << corner.y;
    EXPECT_EQ(dib.countRgb(5, 5, 101, 18, Rgb(kRed)), 96 * 13);
    EXPECT_EQ(dib.countRgb(4, 4, 102, 19, Rgb(kRed)), 96 * 13) << "nothing red outside the border";
    EXPECT_EQ(dib.rgb(103, 11), Rgb(GetSysColor(COLOR_BTNFACE)));
    // The etched line along the right side of {4, 4, 107, 19}.
    const uint32_t shadow = Rgb(GetSysColor(COLOR_BTNSHADOW));
    const uint32_t light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE((dib.rgb(105, 11) == shadow && dib.rgb(106, 11) == light) ||
                (dib.rgb(105, 11) == light && dib.rgb(106, 11) == shadow));
    // The arrow rows: x 109-115 at y 9 down to x 112 at y 12.
    const int rows[4][2] = {{109, 115}, {110, 114}, {111, 113}, {112, 112}};
    for (int i = 0; i < 4; ++i) {
        const int y = 9 + i;
        for (int x = rows[i][0]; x <= rows[i][1]; ++x) EXPECT_TRUE(Black(x, y)) << x << ", " << y;
        EXPECT_FALSE(Black(rows[i][0] - 1, y)) << y;
        EXPECT_FALSE(Black(rows[i][1] + 1, y)) << y;
    }
    EXPECT_FALSE(Black(112, 13));
    EXPECT_FALSE(Black(112, 8));
}

TEST_F(ColourButtonDrawingTest, PressedMovesTheContentsOnePixel) {
    button.SetColour(kRed);
    Draw(ODS_SELECTED);
    EXPECT_TRUE(Black(5, 5));
    EXPECT_FALSE(Black(4, 4));
    EXPECT_TRUE(Black(102, 19));
    EXPECT_EQ(dib.countRgb(6, 6, 102, 19, Rgb(kRed)), 96 * 13);
    for (int x = 110; x <= 116; ++x) EXPECT_TRUE(Black(x, 10)) << x;
    EXPECT_FALSE(Black(109, 10));
}

TEST_F(ColourButtonDrawingTest, DisabledShowsNoSwatchButStillTheArrow) {
    button.SetColour(kRed);
    Draw(ODS_DISABLED);
    EXPECT_EQ(dib.countRgb(0, 0, 123, 23, Rgb(kRed)), 0);
    EXPECT_FALSE(Black(4, 4));
    EXPECT_FALSE(Black(50, 4));
    for (int x = 109; x <= 115; ++x) EXPECT_TRUE(Black(x, 9)) << x;
}

TEST_F(ColourButtonDrawingTest, TheDefaultColourShowsAsTheWorkspaceColourOfConstruction) {
    button.SetColour(CLR_DEFAULT);
    EXPECT_EQ(button.GetColour(), CLR_DEFAULT);
    Draw(0);
    EXPECT_EQ(dib.countRgb(5, 5, 101, 18, Rgb(GetSysColor(COLOR_APPWORKSPACE))), 96 * 13);
}

// A dialog that swallows Escape for itself and its controls, as the settings dialog does.
class EscapeSwallowingDialog : public WindowImpl<EscapeSwallowingDialog, CDialog> {
public:
    EscapeSwallowingDialog() : WindowImpl(IDD_SETTINGS) {}

    CColourButton background;
    std::vector<Notification> received;
    int swallowed = 0;
    int cancels = 0;

    void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, IDC_CLRBG, background); }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE &&
            (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
            ++swallowed;
            return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }
    void OnCancel() override { ++cancels; }

    static MessageEntryList MessageEntries() {
        static const MessageEntry entries[] = {
            OnMessageEntry<&EscapeSwallowingDialog::OnOpened>(PICK_OPENED),
            OnMessageEntry<&EscapeSwallowingDialog::OnClosed>(PICK_CLOSED),
            OnMessageEntry<&EscapeSwallowingDialog::OnCancelled>(PICK_CANCELLED),
        };
        return entries;
    }

private:
    LRESULT Record(UINT message, WPARAM w, LPARAM l) {
        received.push_back(Notification{message, w, l, background.GetColour()});
        return 0;
    }
    LRESULT OnOpened(WPARAM w, LPARAM l) { return Record(PICK_OPENED, w, l); }
    LRESULT OnClosed(WPARAM w, LPARAM l) { return Record(PICK_CLOSED, w, l); }
    LRESULT OnCancelled(WPARAM w, LPARAM l) { return Record(PICK_CANCELLED, w, l); }
};

TEST(ColourButtonInADialog, EscapeCancelsThePaletteThoughTheDialogSwallowsItsOwn) {
    PaletteTable = InitialPaletteTable();
    EscapeSwallowingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS, nullptr));
    dialog.ShowWindow(SW_SHOW);
    dialog.background.SetColour(kBlue);

    // The swallowing is real: Escape on one of the dialog's controls goes nowhere.
    PostAndPump(dialog.GetDlgItem(IDC_WIDTH), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog.swallowed, 1);

    dialog.background.SendMessage(BM_CLICK);
    PumpMessages();
    CColourPalette* popup = FindOpenPalette();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup->m_hWnd, GW_OWNER), dialog.m_hWnd);
    EXPECT_EQ(GetParent(popup->m_hWnd), dialog.m_hWnd) << "the message walk climbs from the popup to the dialog";

    PostAndPump(popup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(FindOpenPalette(), nullptr);
    EXPECT_EQ(dialog.swallowed, 1);
    EXPECT_EQ(dialog.cancels, 0);
    const std::vector<Notification> expected = {
        Notification{PICK_OPENED, kBlue, IDC_CLRBG, kBlue},
        Notification{PICK_CLOSED, kBlue, IDC_CLRBG, kBlue},
        Notification{PICK_CANCELLED, kBlue, IDC_CLRBG, kBlue},
    };
    EXPECT_EQ(dialog.received, expected);
    dialog.DestroyWindow();
    PumpMessages();
}

}  // namespace
