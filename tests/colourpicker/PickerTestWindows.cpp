#include "PickerTestWindows.h"

#include <colordlg.h>

#include <ostream>

#include "framework/WindowClass.h"
#include "support/MessagePump.h"

std::ostream& operator<<(std::ostream& out, const Notification& n) {
    return out << "{message " << n.message << ", wParam 0x" << std::hex << n.wParam << ", lParam 0x" << n.lParam
               << ", colour 0x" << n.colourNow << std::dec << "}";
}

bool RecordingWindow::Create(int x, int y, int width, int height, HWND parent, int id) {
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CreateEx(0, cls, "picker test", style, x, y, width, height, parent,
                    parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr);
}

LRESULT RecordingWindow::Record(UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back(Notification{message, wParam, lParam, watched != nullptr ? watched->GetColour() : 0});
    return 0;
}

MessageEntryList RecordingWindow::MessageEntries() {
    static const MessageEntry entries[] = {
        OnMessageEntry<&RecordingWindow::OnChanged>(PICK_CHANGED),
        OnMessageEntry<&RecordingWindow::OnOpened>(PICK_OPENED),
        OnMessageEntry<&RecordingWindow::OnClosed>(PICK_CLOSED),
        OnMessageEntry<&RecordingWindow::OnAccepted>(PICK_ACCEPTED),
        OnMessageEntry<&RecordingWindow::OnCancelled>(PICK_CANCELLED),
        OnCommandEntry<&RecordingWindow::OnBackgroundClicked>(BN_CLICKED, kBackgroundButtonId),
        OnCommandEntry<&RecordingWindow::OnTextClicked>(BN_CLICKED, kTextButtonId),
    };
    return entries;
}

namespace {
BOOL CALLBACK CollectPalette(HWND hwnd, LPARAM found) {
    if (dynamic_cast<CColourPalette*>(CWnd::FromHandlePermanent(hwnd)) != nullptr)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> PaletteWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectPalette, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

CColourPalette* FindOpenPalette() {
    const std::vector<HWND> windows = PaletteWindows();
    return windows.empty() ? nullptr : dynamic_cast<CColourPalette*>(CWnd::FromHandlePermanent(windows.front()));
}

void DestroyOpenPalettes() {
    for (HWND hwnd : PaletteWindows()) DestroyWindow(hwnd);
}

void PostAndPump(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, message, wParam, lParam);
    PumpMessages();
}

void PostAndDispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, message, wParam, lParam);
    MSG msg;
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (msg.hwnd == hwnd && msg.message == message && msg.wParam == wParam) return;
    }
}

void MoveMouse(HWND popup, POINT client) {
    POINT screen = client;
    ClientToScreen(popup, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
    PostAndPump(popup, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

void ReleaseMouseAt(HWND popup, POINT screen) {
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
    POINT client = screen;
    ScreenToClient(popup, &client);
    PostAndPump(popup, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

LPARAM CellParam(int row, int column) { return MAKELPARAM(static_cast<WORD>(row), static_cast<WORD>(column)); }

void AnswerColourDialog(HWND box, COLORREF colour, bool addToCustom, int button, ColourDialogVisit& visit) {
    visit.owner = GetWindow(box, GW_OWNER);
    visit.shownAtStart = RGB(GetDlgItemInt(box, COLOR_RED, nullptr, FALSE),
                             GetDlgItemInt(box, COLOR_GREEN, nullptr, FALSE),
                             GetDlgItemInt(box, COLOR_BLUE, nullptr, FALSE));
    SetDlgItemInt(box, COLOR_RED, GetRValue(colour), FALSE);
    SetDlgItemInt(box, COLOR_GREEN, GetGValue(colour), FALSE);
    SetDlgItemInt(box, COLOR_BLUE, GetBValue(colour), FALSE);
    if (addToCustom)
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, COLOR_ADD)));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}
