// What the colour-picker tests share: the recorder of picker notifications and the windows
// that feed it, and helpers to find, drive and clean up the palette popups of this thread.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "colourpicker/ColourButton.h"
#include "colourpicker/ColourPalette.h"
#include "colourpicker/PaletteTable.h"
#include "colourpicker/PickNotifications.h"
#include "framework/WindowImpl.h"
#include "support/TestDib.h"

// Picker notifications as Wine's message tests have them: one recorder logs every notification
// where it arrives, in order, and a test compares the log with a named static table of what
// should arrive. A table entry says where the message goes.
enum PickFlags : unsigned {
    kToPicker = 1u << 0,  // from the palette to its picker: the button, or a stand-in for it
    kToParent = 1u << 1,  // from the button to its parent
};

struct PickMessage {
    UINT message;
    unsigned to;
    WPARAM wParam;
    LPARAM lParam;
    COLORREF colourNow;  // the watched button's GetColour() as the message arrived; 0 with none
};
std::ostream& operator<<(std::ostream& out, const PickMessage& m);

// Test controls use these ids; a BN_CLICKED from any of them is recorded as WM_COMMAND.
constexpr int kBackgroundButtonId = 1018;
constexpr int kTextButtonId = 1021;
constexpr int kPickerId = 7;

// Row and column as the popup's closing messages carry them; kNoCell when nothing was hovered.
constexpr LPARAM CellParam(int row, int column) {
    return static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(column)) << 16) | static_cast<WORD>(row));
}
constexpr LPARAM kNoCell = CellParam(-1, -1);

class PickRecorder {
public:
    PickRecorder() = default;
    ~PickRecorder();
    PickRecorder(const PickRecorder&) = delete;
    PickRecorder& operator=(const PickRecorder&) = delete;

    // Logs what the palette sends to `button`, before the button handles it, and the button's
    // colour in every entry.
    void Watch(CColourButton& button);
    void Record(UINT message, unsigned to, WPARAM wParam, LPARAM lParam);
    // The entries that went `to` one place.
    std::vector<PickMessage> To(unsigned to) const;

    std::vector<PickMessage> log;

private:
    const CColourButton* m_watched = nullptr;
    HWND m_watchedWindow = nullptr;
};

// Whether `log` holds exactly the `expected` sequence; otherwise the first difference, under
// the sequence's name.
testing::AssertionResult IsSequence(const std::vector<PickMessage>& log, const PickMessage* expected,
                                    size_t count, const char* name);
template <size_t N>
testing::AssertionResult IsSequence(const std::vector<PickMessage>& log, const PickMessage (&expected)[N],
                                    const char* name) {
    return IsSequence(log, expected, N, name);
}
inline testing::AssertionResult IsSequence(const std::vector<PickMessage>& log, const char* name) {
    return IsSequence(log, nullptr, 0, name);
}

// A window of the test's own that logs the picker notifications it handles: as a picker
// stand-in (kToPicker) or as a button's parent (kToParent), where a BN_CLICKED that the
// button did not keep for itself is logged as WM_COMMAND.
class RecordingWindow : public WindowImpl<RecordingWindow, CWnd> {
public:
    RecordingWindow(PickRecorder& recorder, unsigned role) : m_recorder(recorder), m_role(role) {}
    // A visible top-level window, or a child of `parent`.
    bool Create(int x, int y, int width, int height, HWND parent = nullptr, int id = 0);

    static MessageEntryList MessageEntries();

private:
    LRESULT Record(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnChanged(WPARAM w, LPARAM l) { return Record(PICK_CHANGED, w, l); }
    LRESULT OnOpened(WPARAM w, LPARAM l) { return Record(PICK_OPENED, w, l); }
    LRESULT OnClosed(WPARAM w, LPARAM l) { return Record(PICK_CLOSED, w, l); }
    LRESULT OnAccepted(WPARAM w, LPARAM l) { return Record(PICK_ACCEPTED, w, l); }
    LRESULT OnCancelled(WPARAM w, LPARAM l) { return Record(PICK_CANCELLED, w, l); }
    void OnBackgroundClicked() { Record(WM_COMMAND, kBackgroundButtonId, 0); }
    void OnTextClicked() { Record(WM_COMMAND, kTextButtonId, 0); }

    PickRecorder& m_recorder;
    unsigned m_role;
};

// Where the popup's items lie, as its tooltips tell a user: each cell's tool has the cell's
// name, and the custom-colour button's a text of its own. The separator is what lies between
// the last row of colours above it and the button.
class PaletteMap {
public:
    explicit PaletteMap(HWND popup);
    // Every cell and the button were found.
    bool complete() const;
    RECT Cell(int row, int column) const;
    POINT CellCentre(int row, int column) const;
    RECT CustomButton() const { return m_customButton; }
    const std::string& CustomButtonTip() const { return m_customButtonTip; }
    RECT Separator() const;
    // The items with their rectangles; the custom-colour button is {10, 0}.
    const std::vector<std::pair<PaletteItem, RECT>>& Items() const { return m_items; }

private:
    std::vector<std::pair<PaletteItem, RECT>> m_items;
    RECT m_customButton{};
    std::string m_customButtonTip;
};

// The popup as it paints itself, background and all, onto a surface of the test's own: its
// pixels, and the items it shows raised (the hovered one) and sunken (the selected cell).
class PopupPicture {
public:
    explicit PopupPicture(HWND popup);
    COLORREF at(int x, int y) const;
    PaletteItem Raised() const;  // the custom-colour button is {10, 0}
    PaletteItem Sunken() const;

private:
    // The item whose edge's inner top-left pixel has this colour, or kNoPaletteItem.
    PaletteItem WithInnerCorner(COLORREF colour) const;

    PaletteMap m_map;
    TestDib m_dib;
};

// The shared palette table as this process started with it: taken at the first call, which
// every test that changes the table makes before it does.
const PaletteEntries& PaletteTableAtStart();

// The open palette popup of this thread, or null.
CColourPalette* FindOpenPalette();
// Destroys every palette popup of this thread (each deletes itself).
void DestroyOpenPalettes();

// Posts a message and dispatches the queue up to and including it, and nothing after: what
// the handler left is then still there to be seen. (Without a window manager, Wine delivers
// X focus events late; the one for a closed colour dialog cancels the popup's new capture.)
void PostAndDispatch(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A key pressed in the popup, and the queue run.
void PressInPopup(HWND popup, UINT key);
// A mouse move to a client point of the popup, and the queue run.
void MoveMouse(HWND popup, POINT client);
// A left-button release with the cursor at a screen point, and the queue run.
void ReleaseMouseAt(HWND popup, POINT screen);
// The centre of a client rectangle.
POINT CentreOf(const RECT& rect);

// What a colour-dialog answer saw and did.
struct ColourDialogVisit {
    HWND owner = nullptr;
    COLORREF shownAtStart = 0;  // read from the dialog's red, green and blue fields
};
// Answers the standard colour dialog: types `colour` into its fields, optionally adds it to
// the custom colours, then presses `button`.
void AnswerColourDialog(HWND box, COLORREF colour, bool addToCustom, int button, ColourDialogVisit& visit);
