// Windows of the colour-picker tests' own: a window that records every picker notification
// it receives (with the watched button's colour at that moment), and helpers to find, drive
// and clean up the palette popups of this thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "colourpicker/ColourButton.h"
#include "colourpicker/ColourPalette.h"
#include "colourpicker/PickNotifications.h"
#include "framework/WindowImpl.h"

struct Notification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    COLORREF colourNow;  // GetColour() of the watched button while the message was handled
    bool operator==(const Notification& other) const {
        return message == other.message && wParam == other.wParam && lParam == other.lParam &&
               colourNow == other.colourNow;
    }
};
std::ostream& operator<<(std::ostream& out, const Notification& n);

// Test controls use these ids; a BN_CLICKED from any of them is recorded as WM_COMMAND.
constexpr int kBackgroundButtonId = 1018;
constexpr int kTextButtonId = 1021;
constexpr int kPickerId = 7;

class RecordingWindow : public WindowImpl<RecordingWindow, CWnd> {
public:
    // A visible top-level window, or a child of `parent`.
    bool Create(int x, int y, int width, int height, HWND parent = nullptr, int id = 0);

    std::vector<Notification> received;
    const CColourButton* watched = nullptr;

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

};

// The open palette popup of this thread, or null.
CColourPalette* FindOpenPalette();
// Destroys every palette popup of this thread (each deletes itself).
void DestroyOpenPalettes();

// Posts a message and runs the queue through the program's PreTranslateMessage walk.
void PostAndPump(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Posts a message and dispatches the queue up to and including it, and nothing after: what
// the handler left is then still there to be seen. (Without a window manager, Wine delivers
// X focus events late; the one for a closed colour dialog cancels the popup's new capture.)
void PostAndDispatch(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A mouse move to a client point of the popup, posted with the cursor really there, so that
// the message's position and the cursor agree.
void MoveMouse(HWND popup, POINT client);
// A left-button release with the cursor at a screen point.
void ReleaseMouseAt(HWND popup, POINT screen);
// The centre of a client rectangle.
POINT CentreOf(const RECT& rect);
// Row and column as the popup's closing messages carry them.
LPARAM CellParam(int row, int column);

// What a colour-dialog answer saw and did.
struct ColourDialogVisit {
    HWND owner = nullptr;
    COLORREF shownAtStart = 0;  // read from the dialog's red, green and blue fields
};
// Answers the standard colour dialog: types `colour` into its fields, optionally adds it to
// the custom colours, then presses `button`.
void AnswerColourDialog(HWND box, COLORREF colour, bool addToCustom, int button, ColourDialogVisit& visit);
