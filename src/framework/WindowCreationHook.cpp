#include "framework/WindowCreationHook.h"

#include "framework/Wnd.h"

namespace {
// The object waiting for the next window this thread creates.
thread_local CWnd* pendingWnd = nullptr;
}  // namespace

WindowCreationHook::WindowCreationHook(CWnd* wnd)
    : m_hook(SetWindowsHookExW(WH_CBT, &WindowCreationHook::CbtProc, nullptr, GetCurrentThreadId())),
      m_previousPending(pendingWnd) {
    pendingWnd = wnd;
}

WindowCreationHook::~WindowCreationHook() {
    pendingWnd = m_previousPending;
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK WindowCreationHook::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && pendingWnd != nullptr) {
        CWnd* wnd = pendingWnd;
        pendingWnd = nullptr;  // only the first window created belongs to the object
        wnd->AttachAtCreation(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
