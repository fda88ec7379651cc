// The colour button's contract with its palette is messages: what the palette sends it
// (PICK_ACCEPTED, PICK_CANCELLED, PICK_CHANGED) and what it passes on to its parent. One
// recorder hears both, each with the button's colour at that moment, and each scenario is
// compared with its named sequence: sent straight to the button, and twice end to end with
// the real palette.
#include <gtest/gtest.h>

#include <vector>

#include "PickerTestWindows.h"
#include "base/ScopeExit.h"
#include "colourpicker/ColourButtonGeometry.h"
#include "colourpicker/PaletteTable.h"
#include "framework/ClientDC.h"
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
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

constexpr WPARAM kId = kBackgroundButtonId;

class ColourButtonTest : public testing::Test {
protected:
    void SetUp() override {
        PaletteTable = PaletteTableAtStart();
        SetCursorPos(5, 5);
        ASSERT_TRUE(parent.Create(100, 100, 400, 200));
        ASSERT_TRUE(button.SubclassWindow(MakePushButton(parent.m_hWnd, kBackgroundButtonId, 10, 10)));
        recorder.Watch(button);
    }
    void TearDown() override {
        DestroyOpenPalettes();
        PumpMessages();
        parent.DestroyWindow();  // and the buttons' windows with it, before their objects go
        PaletteTable = PaletteTableAtStart();
    }

    CColourPalette* Click(CColourButton& which) {
        which.SendMessage(BM_CLICK);
        PumpMessages();
        return FindOpenPalette();
    }

    // A release over a cell after a move onto it, as a user's click there sends them.
    void ReleaseOverCell(CColourPalette* popup, int row, int column) {
        POINT point = PaletteMap(popup->m_hWnd).CellCentre(row, column);
        MoveMouse(popup->m_hWnd, point);
        ClientToScreen(popup->m_hWnd, &point);
        ReleaseMouseAt(popup->m_hWnd, point);
    }

    // The swatch's middle pixel as the button's window shows it.
    // The screen, not a printed copy: what is checked is that the button repainted itself.
    COLORREF SwatchOnScreen() { return GetPixel(GetClientDC(button.m_hWnd).get(), 50, 11); }

    PickRecorder recorder;  // outlives the windows it hears from
    RecordingWindow parent{recorder, kToParent};
    CColourButton button;
};

TEST_F(ColourButtonTest, AttachingMakesTheButtonOwnerDrawnAndKeepsItsOtherStyles) {
    const DWORD style = button.GetStyle();
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
}

// One message from the palette to a button showing `before`, and what follows.
struct ContractCase {
    const char* name;
    COLORREF before;
    PickMessage sent;
    std::vector<PickMessage> expected;  // the message sent first, as it arrived
    COLORREF after;
};
void PrintTo(const ContractCase& c, std::ostream* out) { *out << c.name; }

class ColourButtonContractTest : public ColourButtonTest, public testing::WithParamInterface<ContractCase> {};

TEST_P(ColourButtonContractTest, PassesOnWhatThePaletteSends) {
    const ContractCase& c = GetParam();
    button.SetColour(c.before);
    button.SendMessage(c.sent.message, c.sent.wParam, c.sent.lParam);
    EXPECT_TRUE(IsSequence(recorder.log, c.expected.data(), c.expected.size(), c.name));
    EXPECT_EQ(button.GetColour(), c.after);
    EXPECT_EQ(SwatchOnScreen(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ColourButtonContractTest,
    testing::Values(
        ContractCase{"AcceptingTheColourItShowsChangesNothing",
                     kWhite,
                     {PICK_ACCEPTED, kToPicker, kWhite, kNoCell, 0},
                     {{PICK_ACCEPTED, kToPicker, kWhite, kNoCell, kWhite},
                      {PICK_CLOSED, kToParent, kWhite, kId, kWhite},
                      {PICK_ACCEPTED, kToParent, kWhite, kId, kWhite}},
                     kWhite},
        // A cancellation brings back the colour of the click, even over a SetColour meanwhile.
        ContractCase{"CancellingBringsBackTheColourOfTheClick",
                     kBlue,
                     {PICK_CANCELLED, kToPicker, kWhite, CellParam(0, 2), 0},
                     {{PICK_CANCELLED, kToPicker, kWhite, CellParam(0, 2), kBlue},
                      {PICK_CLOSED, kToParent, kWhite, kId, kWhite},
                      {PICK_CANCELLED, kToParent, kWhite, kId, kWhite}},
                     kWhite},
        // No preview: a hovered colour reaches neither the swatch nor the parent.
        ContractCase{"AHoveredColourIsNoPreview",
                     kBlue,
                     {PICK_CHANGED, kToPicker, kRed, 0, 0},
                     {{PICK_CHANGED, kToPicker, kRed, 0, kBlue}},
                     kBlue}),
    [](const testing::TestParamInfo<ContractCase>& info) { return std::string(info.param.name); });

// A click: the popup opens below and the parent hears of it; no BN_CLICKED reaches the parent.
const PickMessage kClickOpens[] = {
    {PICK_OPENED, kToParent, kWhite, kId, kWhite},
};

TEST_F(ColourButtonTest, AClickOpensThePopupBelowAndSendsOnlyOpened) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    const RECT own = button.GetWindowRect();
    const RECT dropped = popup->GetWindowRect();
    EXPECT_EQ(dropped.left, own.left);
    EXPECT_EQ(dropped.top, own.bottom);
    EXPECT_EQ(GetCapture(), popup->m_hWnd);
    EXPECT_EQ(GetWindow(popup->m_hWnd, GW_OWNER), parent.m_hWnd);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Sunken(), (PaletteItem{6, 7}));  // "White"
    EXPECT_TRUE(IsSequence(recorder.log, kClickOpens, "a click opens"));
}

// A user's release over a cell: the palette accepts it with its cell, and the button passes
// the acceptance and the change on.
const PickMessage kReleaseInside[] = {
    {PICK_OPENED, kToParent, kWhite, kId, kWhite},
    {PICK_CHANGED, kToPicker, kYellow, 0, kWhite},
    {PICK_ACCEPTED, kToPicker, kYellow, CellParam(1, 5), kWhite},
    {PICK_CLOSED, kToParent, kYellow, kId, kWhite},
    {PICK_ACCEPTED, kToParent, kYellow, kId, kWhite},
    {PICK_CHANGED, kToParent, kYellow, kId, kYellow},
};

TEST_F(ColourButtonTest, AReleaseOverACellAcceptsIt) {
    CColourPalette* popup = Click(button);
    ASSERT_NE(popup, nullptr);
    ReleaseOverCell(popup, 1, 5);  // "Yellow"
    EXPECT_TRUE(IsSequence(recorder.log, kReleaseInside, "release inside"));
    EXPECT_EQ(SwatchOnScreen(), kYellow);
    EXPECT_EQ(FindOpenPalette(), nullptr);
}

// Opens `which`, makes `colour` a custom colour in the colour dialog, then cancels the popup.
void AddCustomColour(CColourPalette* popup, COLORREF colour) {
    ASSERT_NE(popup, nullptr);
    MoveMouse(popup->m_hWnd, CentreOf(PaletteMap(popup->m_hWnd).CustomButton()));
    ColourDialogVisit visit;
    ModalBoxAnswerer answerer([&](HWND box) { AnswerColourDialog(box, colour, true, IDOK, visit); });
    PressInPopup(popup->m_hWnd, VK_RETURN);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    PressInPopup(popup->m_hWnd, VK_ESCAPE);
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
    CColourButton fresh;
    const auto beforeTheirObjects = ScopeExit([&] {
        DestroyOpenPalettes();
        other.DestroyWindow();
        fresh.DestroyWindow();
    });
    ASSERT_TRUE(other.SubclassWindow(MakePushButton(parent.m_hWnd, kTextButtonId, 10, 60)));
    const COLORREF made = RGB(10, 20, 30);

    AddCustomColour(Click(button), made);
    EXPECT_EQ(button.GetColour(), kWhite);  // cancelled: the colour dialog's pick is not taken

    ASSERT_NE(Click(other), nullptr);
    EXPECT_TRUE(CustomEntriesAllWhite()) << "the other button's popup shows its own custom colours";
    PressInPopup(FindOpenPalette()->m_hWnd, VK_ESCAPE);

    ASSERT_NE(Click(button), nullptr);
    EXPECT_TRUE(CustomEntriesHold(made)) << "custom colours survive a cancellation and come back";
    PressInPopup(FindOpenPalette()->m_hWnd, VK_ESCAPE);

    // A new process: a fresh table and fresh buttons.
    PaletteTable = PaletteTableAtStart();
    ASSERT_TRUE(fresh.SubclassWindow(MakePushButton(parent.m_hWnd, kTextButtonId + 1, 10, 110)));
    ASSERT_NE(Click(fresh), nullptr);
    EXPECT_TRUE(CustomEntriesAllWhite());
}

TEST_F(ColourButtonTest, DisablingShowsGreyAndEnablingBringsTheColourBack) {
    button.SetColour(kRed);
    ::EnableWindow(button.m_hWnd, FALSE);
    EXPECT_EQ(button.GetColour(), 0x00C0C0C0u);
    ::EnableWindow(button.m_hWnd, TRUE);
    EXPECT_EQ(button.GetColour(), kRed);

    ::EnableWindow(button.m_hWnd, FALSE);
    button.SetColour(kBlue);  // while disabled: shown once enabled again
    ::EnableWindow(button.m_hWnd, TRUE);
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
        const int arrow = ColourButtonArrowSize(GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB));
        if (GetSystemMetrics(SM_CXEDGE) != 2 || GetSystemMetrics(SM_CYEDGE) != 2 || arrow != 7 || face.left != 2 ||
            face.right != 121)
            GTEST_SKIP() << "the platform's metrics differ from the worked example";
    }

    void Draw(UINT state) {
        dib.fill(0xFFFFFFFF);
        EXPECT_EQ(DrawItemOnto(dib, parent.m_hWnd, button.m_hWnd, state), TRUE);
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
    Draw(0);
    EXPECT_EQ(dib.countRgb(5, 5, 101, 18, Rgb(GetSysColor(COLOR_APPWORKSPACE))), 96 * 13);
}

}  // namespace
