#include "framework/Wnd.h"

#include <commctrl.h>

#include <cassert>
#include <vector>

#include "base/ProgramText.h"
#include "framework/WindowCreationHook.h"

namespace {
const wchar_t* const kObjectProperty = L"Placard.CWnd";
// The framework's one subclass of a window: one object per window.
constexpr UINT_PTR kSubclassId = 1;
WindowOutlivedHandler windowOutlivedHandler = nullptr;
}  // namespace

WindowOutlivedHandler SetWindowOutlivedHandler(WindowOutlivedHandler handler) {
    const WindowOutlivedHandler previous = windowOutlivedHandler;
    windowOutlivedHandler = handler;
    return previous;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        if (windowOutlivedHandler != nullptr) windowOutlivedHandler(m_hWnd);
        else assert(!"a window object was destroyed before its window");
        // Nothing stays on the screen, and nothing calls into the object once it is gone.
        ::DestroyWindow(m_hWnd);
    }
    // A window that survived (another thread's, say) must not call into a dead object.
    if (m_hWnd != nullptr) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    return static_cast<CWnd*>(::GetPropW(hwnd, kObjectProperty));
}

bool CWnd::Attach(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr) return false;
    if (!::SetPropW(hwnd, kObjectProperty, this)) return false;
    m_hWnd = hwnd;
    return true;
}

bool CWnd::Subclass() {
    if (::SetWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return true;
    ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    return false;
}

void CWnd::Detach() {
    if (m_hWnd == nullptr) return;
    ::RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
    ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

void CWnd::AttachAtCreation(HWND hwnd) {
    if (Attach(hwnd)) Subclass();
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    return Subclass() ? TRUE : FALSE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr || parent->m_hWnd == nullptr) return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    if (m_hWnd != nullptr) return FALSE;
    HWND hwnd;
    {
        WindowCreationHook hook(this);
        const std::wstring wideTitle = title != nullptr ? WideFromProgramText(title) : std::wstring();
        hwnd = ::CreateWindowExW(exStyle, className, title != nullptr ? wideTitle.c_str() : nullptr, style, x, y, width,
                                 height, parent, menuOrId, ::GetModuleHandleW(nullptr), param);
    }
    if (hwnd == nullptr && m_hWnd != nullptr) Detach();
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR object) {
    // The window property is what binds: the platform takes a subclass out only on the
    // window's own thread, and an object let go from another one leaves its entry behind.
    auto* wnd = reinterpret_cast<CWnd*>(object);
    if (FromHandlePermanent(hwnd) != wnd) return ::DefSubclassProc(hwnd, message, wParam, lParam);

    const CurrentMessage saved = wnd->m_current;
    wnd->m_current = CurrentMessage{message, wParam, lParam};
    ++wnd->m_messageDepth;
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    --wnd->m_messageDepth;
    wnd->m_current = saved;

    if (message == WM_NCDESTROY) {
        // The window is gone: nothing reaches the object through it any more.
        wnd->Detach();
        wnd->m_finalMessagePending = true;
    }
    // Handlers of the window's outer messages may still be running on the object: it is let go
    // only when the outermost has returned.
    if (wnd->m_finalMessagePending && wnd->m_messageDepth == 0) {
        wnd->m_finalMessagePending = false;
        wnd->PostNcDestroy();  // may delete the object
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Reflection: a child object sees its own notifications before its parent does.
    HWND child = nullptr;
    if (message == WM_COMMAND && lParam != 0) {
        child = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_DRAWITEM && lParam != 0) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) child = item->hwndItem;
    }
    if (child != nullptr && child != m_hWnd) {
        CWnd* childWnd = FromHandlePermanent(child);
        if (childWnd != nullptr && childWnd->OnChildNotify(message, wParam, lParam, &result)) return true;
    }

    const MessageEntry* entry = GetMessageMap()->Find(message, wParam);
    return entry != nullptr && entry->invoke(this, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

bool CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_COMMAND) return false;
    const UINT reflected = ReflectedMessageBase + WM_COMMAND;
    const MessageEntry* entry = GetMessageMap()->Find(reflected, wParam);
    if (entry == nullptr) return false;
    LRESULT ignored = 0;
    return entry->invoke(this, wParam, lParam, result != nullptr ? *result : ignored);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // An outer handler of a window that has gone meanwhile: there is nothing left to do.
    if (m_hWnd == nullptr) return 0;
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

bool CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg)) return true;
        if (hwnd == stop) break;
    }
    return false;
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
}

BOOL CWnd::MoveWindow(const RECT& rect, BOOL repaint) const {
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        repaint);
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }

BOOL CWnd::KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

HWND CWnd::GetParent() const { return ::GetParent(m_hWnd); }

HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

namespace {
std::wstring TextOf(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}
}  // namespace

std::string CWnd::GetDlgItemText(int id) const { return ProgramTextFromWide(GetDlgItemWideText(id)); }

void CWnd::SetDlgItemText(int id, const std::string& text) const { SetDlgItemWideText(id, WideFromProgramText(text)); }

std::wstring CWnd::GetDlgItemWideText(int id) const { return TextOf(GetDlgItem(id)); }

void CWnd::SetDlgItemWideText(int id, const std::wstring& text) const { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

void CWnd::Invalidate(BOOL erase) const { ::InvalidateRect(m_hWnd, nullptr, erase); }

BOOL CWnd::RedrawWindow(const RECT* update, HRGN region, UINT flags) const {
    return ::RedrawWindow(m_hWnd, update, region, flags);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }

void CWnd::ModifyStyle(DWORD remove, DWORD add) const {
    const DWORD style = (GetStyle() & ~remove) | add;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
}

void CWnd::CenterWindow() const {
    RECT area{};
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    const RECT self = GetWindowRect();
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
