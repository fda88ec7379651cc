// Binds a window to its CWnd object at the moment the platform creates it, before its
// first message (WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE ...), through a CBT hook that
// lives only for the duration of one creation call.
#pragma once

#include <windows.h>

class CWnd;

class WindowCreationHook {
public:
    explicit WindowCreationHook(CWnd* wnd);
    ~WindowCreationHook();
    WindowCreationHook(const WindowCreationHook&) = delete;
    WindowCreationHook& operator=(const WindowCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    CWnd* m_previousPending;
};
