// The palette popup with real windows: a top-level window of the test's own holds a child
// that stands in for the picker, and the recorder logs what the popup sends it. What the popup
// shows is read from its own painting.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PickerTestWindows.h"
#include "colourpicker/PaletteTable.h"
#include "support/MessagePump.h"
#include "support/ModalBoxAnswerer.h"

namespace {

constexpr COLORREF kSilver = 0x00C0C0C0;
constexpr COLORREF kUnknown = RGB(1, 2, 3);
constexpr COLORREF kGreen = RGB(0, 0x80, 0);

class ColourPaletteTest : public testing::Test {
protected:
    void SetUp() override {
        PaletteTable = PaletteTableAtStart();
        ASSERT_EQ(GetSystemMetrics(SM_CXEDGE), 2) << "the sizes below assume the usual edge";
        // Far from every popup, so that no stray mouse move hovers a cell.
        SetCursorPos(5, 5);
        ASSERT_TRUE(top.Create(300, 200, 300, 100));
        ASSERT_TRUE(picker.Create(10, 10, 120, 24, top.m_hWnd, kPickerId));
    }
    void TearDown() override {
        DestroyOpenPalettes();
        PumpMessages();
        top.DestroyWindow();  // and the picker's window with it, before their objects go
        PaletteTable = PaletteTableAtStart();
    }

    // Opens a popup at (400, 300) and returns it.
    CColourPalette* Open(COLORREF colour, COLORREF* custom = nullptr, const char* text = nullptr) {
        if (!CColourPalette::Drop(&picker, 400, 300, colour, custom, -1, -1, text)) return nullptr;
        PumpMessages();
        return FindOpenPalette();
    }

    POINT CellCentre(CColourPalette* popup, int row, int column) {
        return PaletteMap(popup->m_hWnd).CellCentre(row, column);
    }
    POINT CustomButtonCentre(CColourPalette* popup) { return CentreOf(PaletteMap(popup->m_hWnd).CustomButton()); }

    PickRecorder recorder;  // outlives the windows it hears from
    RecordingWindow top{recorder, kToParent};
    RecordingWindow picker{recorder, kToPicker};
};

TEST_F(ColourPaletteTest, OpensWhereAskedLaidOutCapturedAndSilent) {
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetCapture(), popup->m_hWnd);
    EXPECT_TRUE(IsWindowVisible(popup->m_hWnd));
    const RECT window = popup->GetWindowRect();
    EXPECT_EQ(window.left, 400);
    EXPECT_EQ(window.top, 300);
    EXPECT_EQ(window.right - window.left, 148);
    EXPECT_EQ(window.bottom - window.top, 238);
    // Given the picker as parent, the popup is owned by the picker's top-level window.
    EXPECT_EQ(GetWindow(popup->m_hWnd, GW_OWNER), top.m_hWnd);
    const PopupPicture shown(popup->m_hWnd);
    EXPECT_EQ(shown.Sunken(), (PaletteItem{6, 3}));  // "Silver"
    EXPECT_EQ(shown.Raised(), kNoPaletteItem);
    EXPECT_TRUE(IsSequence(recorder.log, "opening"));
}

TEST_F(ColourPaletteTest, RefreshesTheSystemEntriesAtEachOpening) {
    PaletteTable[64].colour = kUnknown;
    ASSERT_NE(Open(kSilver), nullptr);
    EXPECT_EQ(PaletteTable[64].colour, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PaletteTable[71].colour, GetSysColor(COLOR_BACKGROUND));
}

TEST_F(ColourPaletteTest, NamesEachCellAndTheButtonInATooltip) {
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    const PaletteMap map(popup->m_hWnd);
    EXPECT_TRUE(map.complete()) << "one tool per colour cell, each named, and one for the button";
    EXPECT_EQ(map.CustomButtonTip(), "Selects a custom color");
    const POINT lightMaroon = map.CellCentre(0, 0);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).at(lightMaroon.x, lightMaroon.y), 0x00400080u)
        << "the tool named Light Maroon lies over that colour";
}

// Hovering reports each colour once; the separator reports nothing and the custom-colour
// button the initial colour, which leaves the colour to accept as the last cell set it.
const PickMessage kHover[] = {
    {PICK_CHANGED, kToPicker, kGreen, 0, 0},
    {PICK_CHANGED, kToPicker, kSilver, 0, 0},
    {PICK_ACCEPTED, kToPicker, kGreen, kNoCell, 0},
};

TEST_F(ColourPaletteTest, HoverReportsColoursButNotTheSeparator) {
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;

    MoveMouse(hwnd, CellCentre(popup, 2, 2));  // "Green"
    MoveMouse(hwnd, CellCentre(popup, 2, 2));  // the same cell: nothing new
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{2, 2}));
    MoveMouse(hwnd, CentreOf(PaletteMap(hwnd).Separator()));
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), kNoPaletteItem);
    MoveMouse(hwnd, CustomButtonCentre(popup));
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{kCustomButtonRow, 0}));
    MoveMouse(hwnd, POINT{-5, 40});
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), kNoPaletteItem);
    PressInPopup(hwnd, VK_RETURN);
    EXPECT_TRUE(IsSequence(recorder.log, kHover, "hover"));
}

TEST_F(ColourPaletteTest, ArrowKeysMoveFromTheSelectionAndReportEachColour) {
    CColourPalette* popup = Open(kSilver);  // selected (6, 3)
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    PressInPopup(hwnd, VK_RIGHT);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{6, 4}));
    PressInPopup(hwnd, VK_DOWN);
    PressInPopup(hwnd, VK_DOWN);
    PressInPopup(hwnd, VK_DOWN);  // over the separator to the button
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{kCustomButtonRow, 0}));
    PressInPopup(hwnd, VK_UP);  // back up the same column
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{8, 4}));

    const COLORREF activeCaption = GetSysColor(COLOR_ACTIVECAPTION) & 0x00FFFFFF;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT) & 0x00FFFFFF;
    // System colours: the sequence is made at run time.
    const PickMessage expected[] = {
        {PICK_CHANGED, kToPicker, 0x00D3D3D3, 0, 0},    // (6, 4) "Light Gray"
        {PICK_CHANGED, kToPicker, activeCaption, 0, 0},  // (7, 4)
        {PICK_CHANGED, kToPicker, highlight, 0, 0},      // (8, 4)
        {PICK_CHANGED, kToPicker, kSilver, 0, 0},        // the button reports the initial colour
        {PICK_CHANGED, kToPicker, highlight, 0, 0},
    };
    EXPECT_TRUE(IsSequence(recorder.log, expected, "arrow keys"));

    // After the pointer leaves, the keys start again from the selected cell.
    MoveMouse(hwnd, POINT{-5, -5});
    PressInPopup(hwnd, VK_LEFT);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{6, 2}));
}

TEST_F(ColourPaletteTest, ArrowKeysWithoutASelection) {
    CColourPalette* popup = Open(kUnknown);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Sunken(), kNoPaletteItem) << "a colour of no entry selects nothing";
    const HWND hwnd = popup->m_hWnd;
    PressInPopup(hwnd, VK_UP);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), kNoPaletteItem);
    EXPECT_TRUE(IsSequence(recorder.log, "up without a selection"));
    PressInPopup(hwnd, VK_LEFT);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{12, 7}));
    // An unset custom colour reports as white.
    const PickMessage unsetCustom[] = {{PICK_CHANGED, kToPicker, 0x00FFFFFF, 0, 0}};
    EXPECT_TRUE(IsSequence(recorder.log, unsetCustom, "left without a selection"));
    MoveMouse(hwnd, POINT{-5, -5});
    PressInPopup(hwnd, VK_DOWN);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Raised(), (PaletteItem{0, 0}));
}

// How a popup opened on silver ends, each after what the user did in it.
struct EndingCase {
    const char* name;
    void (*act)(HWND popup, const PaletteMap& map);
    std::vector<PickMessage> expected;
    bool staysOpen;
};
void PrintTo(const EndingCase& c, std::ostream* out) { *out << c.name; }

class PaletteEndingTest : public ColourPaletteTest, public testing::WithParamInterface<EndingCase> {};

TEST_P(PaletteEndingTest, EndsAsTheUserSaid) {
    const EndingCase& c = GetParam();
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    const PaletteMap map(hwnd);
    ASSERT_TRUE(map.complete());
    c.act(hwnd, map);
    EXPECT_TRUE(IsSequence(recorder.log, c.expected.data(), c.expected.size(), c.name));
    EXPECT_EQ(IsWindow(hwnd) != FALSE, c.staysOpen);
    EXPECT_EQ(GetCapture(), c.staysOpen ? hwnd : nullptr);
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDeepViolet = 0x00800040;

INSTANTIATE_TEST_SUITE_P(
    Endings, PaletteEndingTest,
    testing::Values(
        // Escape cancels with the colour of the opening and the cell hovered last.
        EndingCase{"EscapeCancels",
                   [](HWND popup, const PaletteMap& map) {
                       MoveMouse(popup, map.CellCentre(0, 2));
                       PressInPopup(popup, VK_ESCAPE);
                   },
                   {{PICK_CHANGED, kToPicker, kRed, 0, 0}, {PICK_CANCELLED, kToPicker, kSilver, CellParam(0, 2), 0}},
                   false},
        EndingCase{"EnterWithNothingHoveredAcceptsTheOpeningColour",
                   [](HWND popup, const PaletteMap&) { PressInPopup(popup, VK_RETURN); },
                   {{PICK_ACCEPTED, kToPicker, kSilver, kNoCell, 0}},
                   false},
        // Just past the bottom-right corner: outside, whatever was hovered on the way.
        EndingCase{"AReleaseOutsideCancels",
                   [](HWND popup, const PaletteMap& map) {
                       MoveMouse(popup, map.CellCentre(0, 2));
                       RECT client{};
                       GetClientRect(popup, &client);
                       POINT past{client.right, client.bottom};
                       MoveMouse(popup, past);
                       ClientToScreen(popup, &past);
                       ReleaseMouseAt(popup, past);
                   },
                   {{PICK_CHANGED, kToPicker, kRed, 0, 0}, {PICK_CANCELLED, kToPicker, kSilver, kNoCell, 0}},
                   false},
        // The bottom frame, where no item is, is inside: the colour the last cell set.
        EndingCase{"AReleaseOnTheFrameAcceptsTheCurrentColour",
                   [](HWND popup, const PaletteMap& map) {
                       MoveMouse(popup, map.CellCentre(4, 0));
                       MoveMouse(popup, POINT{70, 237});
                       ReleaseMouseAt(popup, POINT{400 + 70, 300 + 237});
                   },
                   {{PICK_CHANGED, kToPicker, kDeepViolet, 0, 0}, {PICK_ACCEPTED, kToPicker, kDeepViolet, kNoCell, 0}},
                   false},
        EndingCase{"AReleaseOverTheSeparatorChangesNothing",
                   [](HWND popup, const PaletteMap& map) {
                       POINT separator = CentreOf(map.Separator());
                       MoveMouse(popup, separator);
                       ClientToScreen(popup, &separator);
                       ReleaseMouseAt(popup, separator);
                   },
                   {},
                   true}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST_F(ColourPaletteTest, CustomColoursComeFromAndGoBackToThePickersArray) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = RGB(i, 100, 200);
    CColourPalette* popup = Open(RGB(3, 100, 200), custom);
    ASSERT_NE(popup, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PaletteTable[static_cast<size_t>(88 + i)].colour, custom[i]) << i;
    // The scan ran before the array came in: the colour is not selected yet.
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Sunken(), kNoPaletteItem);

    PaletteTable[90].colour = RGB(9, 9, 9);  // as if a colour dialog had changed it
    PressInPopup(popup->m_hWnd, VK_ESCAPE);
    EXPECT_EQ(custom[2], RGB(9, 9, 9));
    EXPECT_EQ(custom[3], RGB(3, 100, 200));

    // The next opening with the same colour finds it among the custom entries.
    popup = Open(RGB(3, 100, 200));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).Sunken(), (PaletteItem{11, 3}));
}

// The custom-colour button, by Enter or by a click, runs the colour dialog over the popup,
// which stays open with the capture; what the dialog leaves is sent only by a later acceptance.
struct ColourDialogCase {
    const char* name;
    int answer;  // IDOK or IDCANCEL
    bool byClick;
};
void PrintTo(const ColourDialogCase& c, std::ostream* out) { *out << c.name; }

class ColourDialogTest : public ColourPaletteTest, public testing::WithParamInterface<ColourDialogCase> {};

TEST_P(ColourDialogTest, RunsOverThePopupAndLeavesTheAcceptanceToTheUser) {
    const ColourDialogCase& c = GetParam();
    COLORREF custom[16];
    for (COLORREF& colour : custom) colour = RGB(255, 255, 255);
    const COLORREF opening = RGB(0x11, 0x22, 0x33), chosen = RGB(10, 20, 30);
    CColourPalette* popup = Open(opening, custom);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    const POINT button = CustomButtonCentre(popup);
    MoveMouse(hwnd, button);
    recorder.log.clear();
    ColourDialogVisit visit;
    {
        ModalBoxAnswerer answerer([&](HWND box) { AnswerColourDialog(box, chosen, true, c.answer, visit); });
        if (c.byClick)
            PostAndDispatch(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
        else
            PostAndDispatch(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_EQ(answerer.boxes().size(), 1u);
    }
    EXPECT_EQ(GetCapture(), hwnd);
    EXPECT_EQ(visit.owner, hwnd);
    EXPECT_EQ(visit.shownAtStart, opening);
    EXPECT_TRUE(IsSequence(recorder.log, "the colour dialog"));

    MoveMouse(hwnd, POINT{-5, -5});
    PressInPopup(hwnd, VK_RETURN);
    const PickMessage accepted[] = {{PICK_ACCEPTED, kToPicker, c.answer == IDOK ? chosen : opening, kNoCell, 0}};
    EXPECT_TRUE(IsSequence(recorder.log, accepted, "accepted after the colour dialog"));
    EXPECT_EQ(std::count(custom, custom + 16, chosen), c.answer == IDOK ? 1 : 0)
        << "the custom colours the picker gets back";
}

INSTANTIATE_TEST_SUITE_P(Answers, ColourDialogTest,
                         testing::Values(ColourDialogCase{"OkAfterEnter", IDOK, false},
                                         ColourDialogCase{"CancelAfterAClick", IDCANCEL, true}),
                         [](const testing::TestParamInfo<ColourDialogCase>& info) { return std::string(info.param.name); });

TEST_F(ColourPaletteTest, DestroyedWithItsOwnerItSendsNothing) {
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    top.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(FindOpenPalette(), nullptr);
    EXPECT_TRUE(IsSequence(recorder.log, "destroyed with its owner"));
}

// The owner goes while the popup's colour dialog runs inside one of the popup's own messages:
// the popup outlives its window until that message returns, and sends nothing.
TEST_F(ColourPaletteTest, DestroyedWithItsOwnerDuringTheColourDialogItSendsNothing) {
    CColourPalette* popup = Open(kSilver);
    ASSERT_NE(popup, nullptr);
    const HWND hwnd = popup->m_hWnd;
    MoveMouse(hwnd, CustomButtonCentre(popup));
    recorder.log.clear();
    {
        ModalBoxAnswerer answerer([&](HWND) { top.DestroyWindow(); });
        PostAndDispatch(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_EQ(answerer.boxes().size(), 1u);
    }
    PumpMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(FindOpenPalette(), nullptr);
    EXPECT_TRUE(IsSequence(recorder.log, "destroyed during the colour dialog"));
}

TEST_F(ColourPaletteTest, PaintsSwatchesEdgesAndTheCustomButton) {
    CColourPalette* popup = Open(RGB(255, 0, 0));  // "Red" (0, 2) is selected
    ASSERT_NE(popup, nullptr);
    const PopupPicture pixels(popup->m_hWnd);
    // Swatch of (0, 0): cell {2,2,20,20} shrunk by 3, a shadow-coloured frame around the colour.
    EXPECT_EQ(pixels.at(5, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixels.at(10, 10), 0x00400080u);
    EXPECT_EQ(pixels.at(3, 10), GetSysColor(COLOR_BTNFACE));
    // The selected cell has a sunken edge: its top-left is the shadow colour.
    EXPECT_EQ(pixels.at(38, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixels.at(44, 10), RGB(255, 0, 0));
    // Unset custom colours show white.
    EXPECT_EQ(pixels.at(10, 2 + 11 * 18 + 8), RGB(255, 255, 255));
    // Hovering raises the cell: the top-left becomes the light edge colour.
    MoveMouse(popup->m_hWnd, CellCentre(popup, 0, 0));
    EXPECT_EQ(PopupPicture(popup->m_hWnd).at(3, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
    MoveMouse(popup->m_hWnd, CellCentre(popup, 0, 1));
    EXPECT_EQ(PopupPicture(popup->m_hWnd).at(3, 3), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ColourPaletteTest, AWideCaptionWidensThePopupAndLeavesGreyRightOfTheGrid) {
    const std::string text = "A custom colour caption far wider than eight cells";
    CColourPalette* popup = Open(kSilver, nullptr, text.c_str());
    ASSERT_NE(popup, nullptr);
    const RECT window = popup->GetWindowRect();
    EXPECT_GT(window.right - window.left, 148);
    EXPECT_EQ(window.bottom - window.top, 238);
    EXPECT_EQ(PopupPicture(popup->m_hWnd).at(150, 10), RGB(0xC0, 0xC0, 0xC0));  // the class's light-grey background
}

}  // namespace
