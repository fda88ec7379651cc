#include "PickerTestWindows.h"

#include <colordlg.h>
#include <commctrl.h>

#include <ostream>

#include "colourpicker/PaletteTable.h"
#include "framework/WindowClass.h"
#include "support/MessagePump.h"

namespace {

const char* MessageName(UINT message) {
    switch (message) {
        case PICK_CHANGED: return "PICK_CHANGED";
        case PICK_OPENED: return "PICK_OPENED";
        case PICK_CLOSED: return "PICK_CLOSED";
        case PICK_ACCEPTED: return "PICK_ACCEPTED";
        case PICK_CANCELLED: return "PICK_CANCELLED";
        case WM_COMMAND: return "WM_COMMAND";
        default: return "another message";
    }
}

bool SameMessage(const PickMessage& a, const PickMessage& b) {
    constexpr unsigned kWhere = kToPicker | kToParent;
    return a.message == b.message && (a.flags & kWhere) == (b.flags & kWhere) && a.wParam == b.wParam &&
           a.lParam == b.lParam && a.colourNow == b.colourNow;
}

constexpr UINT_PTR kRecorderSubclass = 1;

LRESULT CALLBACK RecordArrival(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR recorder) {
    if (message >= PICK_CHANGED && message <= PICK_CANCELLED)
        reinterpret_cast<PickRecorder*>(recorder)->Record(message, kToPicker, wParam, lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const PickMessage& m) {
    out << MessageName(m.message) << ((m.flags & kToPicker) != 0 ? " to the picker" : " to the parent");
    if ((m.flags & kOptional) != 0) out << " (optional)";
    return out << ", wParam 0x" << std::hex << m.wParam << ", lParam 0x" << m.lParam << ", colour 0x" << m.colourNow
               << std::dec;
}

PickRecorder::~PickRecorder() {
    if (IsWindow(m_watchedWindow)) RemoveWindowSubclass(m_watchedWindow, &RecordArrival, kRecorderSubclass);
}

void PickRecorder::Watch(CColourButton& button) {
    m_watched = &button;
    m_watchedWindow = button.m_hWnd;
    SetWindowSubclass(m_watchedWindow, &RecordArrival, kRecorderSubclass, reinterpret_cast<DWORD_PTR>(this));
}

std::vector<PickMessage> PickRecorder::To(unsigned to) const {
    std::vector<PickMessage> picked;
    for (const PickMessage& m : log)
        if ((m.flags & to) != 0) picked.push_back(m);
    return picked;
}

void PickRecorder::Record(UINT message, unsigned to, WPARAM wParam, LPARAM lParam) {
    log.push_back(PickMessage{message, to, wParam, lParam, m_watched != nullptr ? m_watched->GetColour() : 0});
}

testing::AssertionResult IsSequence(const std::vector<PickMessage>& log, const PickMessage* expected,
                                    size_t count, const char* name) {
    size_t got = 0;
    for (size_t want = 0; want < count; ++want) {
        if (got < log.size() && SameMessage(log[got], expected[want])) {
            ++got;
            continue;
        }
        if ((expected[want].flags & kOptional) != 0) continue;
        testing::AssertionResult failure = testing::AssertionFailure();
        failure << name << ": message " << got << " should be " << expected[want] << ", ";
        if (got < log.size()) return failure << "but is " << log[got];
        return failure << "but the sequence ends there";
    }
    if (got < log.size())
        return testing::AssertionFailure() << name << ": message " << got << " should not be there: " << log[got];
    return testing::AssertionSuccess();
}

namespace {
SIZE ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return SIZE{client.right, client.bottom};
}
}  // namespace

PopupPicture::PopupPicture(const CColourPalette& popup)
    : m_layout(popup.Geometry()), m_dib(ClientSize(popup.m_hWnd).cx, ClientSize(popup.m_hWnd).cy) {
    m_dib.fill(0xFF123456);
    SendMessageA(popup.m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(m_dib.dc()), PRF_ERASEBKGND | PRF_CLIENT);
    GdiFlush();
}

COLORREF PopupPicture::at(int x, int y) const {
    const uint32_t rgb = m_dib.rgb(x, y);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

PaletteItem PopupPicture::Raised() const { return WithInnerCorner(GetSysColor(COLOR_BTNHIGHLIGHT)); }

PaletteItem PopupPicture::Sunken() const { return WithInnerCorner(GetSysColor(COLOR_3DDKSHADOW)); }

PaletteItem PopupPicture::WithInnerCorner(COLORREF colour) const {
    if (at(m_layout.customRect.left + 1, m_layout.customRect.top + 1) == colour)
        return PaletteItem{kCustomButtonRow, 0};
    for (int row = 0; row < m_layout.rows; ++row) {
        for (int column = 0; column < m_layout.columns; ++column) {
            RECT cell{};
            if (PaletteCellRect(m_layout, row, column, cell) && at(cell.left + 1, cell.top + 1) == colour)
                return PaletteItem{row, column};
        }
    }
    return kNoPaletteItem;
}

bool RecordingWindow::Create(int x, int y, int width, int height, HWND parent, int id) {
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CreateEx(0, cls, "picker test", style, x, y, width, height, parent,
                    parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr);
}

LRESULT RecordingWindow::Record(UINT message, WPARAM wParam, LPARAM lParam) {
    m_recorder.Record(message, m_role, wParam, lParam);
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
