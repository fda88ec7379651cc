#include "PickerTestWindows.h"

#include <colordlg.h>
#include <commctrl.h>

#include <ostream>

#include "base/ProgramText.h"
#include "colourpicker/PaletteTable.h"
#include "framework/WindowClass.h"
#include "support/Input.h"
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
    return a.message == b.message && a.to == b.to && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.colourNow == b.colourNow;
}

constexpr UINT_PTR kRecorderSubclass = 1;

LRESULT CALLBACK RecordArrival(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR recorder) {
    if (message >= PICK_CHANGED && message <= PICK_CANCELLED)
        reinterpret_cast<PickRecorder*>(recorder)->Record(message, kToPicker, wParam, lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const PickMessage& m) {
    out << MessageName(m.message) << (m.to == kToPicker ? " to the picker" : " to the parent");
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
        if (m.to == to) picked.push_back(m);
    return picked;
}

void PickRecorder::Record(UINT message, unsigned to, WPARAM wParam, LPARAM lParam) {
    log.push_back(PickMessage{message, to, wParam, lParam, m_watched != nullptr ? m_watched->GetColour() : 0});
}

testing::AssertionResult IsSequence(const std::vector<PickMessage>& log, const PickMessage* expected,
                                    size_t count, const char* name) {
    for (size_t i = 0; i < count; ++i) {
        if (i < log.size() && SameMessage(log[i], expected[i])) continue;
        testing::AssertionResult failure = testing::AssertionFailure();
        failure << name << ": message " << i << " should be " << expected[i] << ", ";
        if (i < log.size()) return failure << "but is " << log[i];
        return failure << "but the sequence ends there";
    }
    if (count < log.size())
        return testing::AssertionFailure() << name << ": message " << count << " should not be there: " << log[count];
    return testing::AssertionSuccess();
}

namespace {

SIZE ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return SIZE{client.right, client.bottom};
}

// The tooltip control the popup owns.
HWND TipsOf(HWND popup) {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        if (GetWindow(w, GW_OWNER) == popup && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) return w;
    }
    return nullptr;
}

}  // namespace

PaletteMap::PaletteMap(HWND popup) {
    const HWND tips = TipsOf(popup);
    const int count = tips != nullptr ? static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    for (int index = 0; index < count; ++index) {
        wchar_t wide[80] = {};
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.lpszText = wide;
        if (!SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) continue;
        const std::string text = ProgramTextFromWide(wide);
        int entry = -1;
        for (int i = 0; i < kPaletteEntryCount && entry < 0; ++i)
            if (text == PaletteTable[static_cast<size_t>(i)].name) entry = i;
        if (entry >= 0) {
            m_items.emplace_back(PaletteItem{entry / kPaletteColumns, entry % kPaletteColumns}, info.rect);
        } else {
            m_customButton = info.rect;
            m_customButtonTip = text;
            m_items.emplace_back(PaletteItem{kCustomButtonRow, 0}, info.rect);
        }
    }
}

bool PaletteMap::complete() const {
    return m_items.size() == static_cast<size_t>(kPaletteEntryCount - 2 * kPaletteColumns + 1);
}

RECT PaletteMap::Cell(int row, int column) const {
    for (const auto& [item, rect] : m_items)
        if (item == PaletteItem{row, column} && row != kCustomButtonRow) return rect;
    ADD_FAILURE() << "no cell " << row << ", " << column << " among the popup's tooltips";
    return RECT{};
}

POINT PaletteMap::CellCentre(int row, int column) const { return CentreOf(Cell(row, column)); }

RECT PaletteMap::Separator() const {
    const RECT first = Cell(kSeparatorRow - 1, 0);
    const RECT last = Cell(kSeparatorRow - 1, kPaletteColumns - 1);
    return RECT{first.left, first.bottom, last.right, m_customButton.top};
}

PopupPicture::PopupPicture(HWND popup) : m_map(popup), m_dib(ClientSize(popup).cx, ClientSize(popup).cy) {
    m_dib.fill(0xFF123456);
    SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(m_dib.dc()), PRF_ERASEBKGND | PRF_CLIENT);
    GdiFlush();
}

COLORREF PopupPicture::at(int x, int y) const {
    const uint32_t rgb = m_dib.rgb(x, y);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

PaletteItem PopupPicture::Raised() const { return WithInnerCorner(GetSysColor(COLOR_BTNHIGHLIGHT)); }

PaletteItem PopupPicture::Sunken() const { return WithInnerCorner(GetSysColor(COLOR_3DDKSHADOW)); }

PaletteItem PopupPicture::WithInnerCorner(COLORREF colour) const {
    for (const auto& [item, rect] : m_map.Items())
        if (at(rect.left + 1, rect.top + 1) == colour) return item;
    return kNoPaletteItem;
}

bool RecordingWindow::Create(int x, int y, int width, int height, HWND parent, int id) {
    LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
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

const PaletteEntries& PaletteTableAtStart() {
    static const PaletteEntries atStart = PaletteTable;
    return atStart;
}

CColourPalette* FindOpenPalette() {
    const std::vector<HWND> windows = PaletteWindows();
    return windows.empty() ? nullptr : dynamic_cast<CColourPalette*>(CWnd::FromHandlePermanent(windows.front()));
}

void DestroyOpenPalettes() {
    for (HWND hwnd : PaletteWindows()) DestroyWindow(hwnd);
}

void PostAndDispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageW(hwnd, message, wParam, lParam);
    MSG msg;
    for (;;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (msg.hwnd == hwnd && msg.message == message && msg.wParam == wParam) return;
    }
}

void PressInPopup(HWND popup, UINT key) {
    PostKey(popup, key);
    PumpMessages();
}

void MoveMouse(HWND popup, POINT client) {
    PostMouseMove(popup, client);
    PumpMessages();
}

void ReleaseMouseAt(HWND popup, POINT screen) {
    POINT client = screen;
    ScreenToClient(popup, &client);
    PostButtonUp(popup, client);
    PumpMessages();
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
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, COLOR_ADD)));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}
