// CWnd: a C++ object bound to one HWND.
//
// A window created through the framework (CreateEx, the dialogs) or subclassed
// (SubclassWindow, SubclassDlgItem, DDX_Control) maps back to its object through a window
// property, and its messages reach the object through the platform's subclassing
// (SetWindowSubclass): they first go through the class's message map, and what the map does
// not handle goes on down the window's chain (DefSubclassProc) to the procedure it had
// before: its class's own, for a control or a dialog. Unbinding takes the object out of
// the chain, whatever was subclassed over it since; a window unbound from another thread
// passes its messages straight on.
//
// Lifetime: the window goes first, then the object. WM_NCDESTROY unbinds the window; the
// object's final hook (PostNcDestroy) runs once the outermost of the window's messages then
// being handled has returned, so a handler whose window is destroyed under it still has its
// whole object until it returns. An object destroyed while its window still exists is a
// programming error, reported (see SetWindowOutlivedHandler).
#pragma once

#include <windows.h>

#include <string>

#include "framework/MessageMap.h"

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }

    // The object bound to a window, or null for a window of no object of ours.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Creates a window bound to this object from its very first message on.
    // The title is the program's text; the class a Unicode one.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, const char* title, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    BOOL DestroyWindow();

    // Binds an existing window: PreSubclassWindow first, then the object in front of the
    // procedure it had.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    virtual void PreSubclassWindow() {}
    // Non-zero when the message was consumed and must be neither translated nor dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // A parent offers WM_COMMAND and WM_DRAWITEM from this child here first; true stops it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window is gone and none of its messages is being handled any more; an object that
    // owns itself deletes itself here.
    virtual void PostNcDestroy() {}

    // Offers msg to each window from msg->hwnd up its parent (or owner) chain, stopping
    // after `stop`; true when one of them consumed it.
    static bool WalkPreTranslateTree(HWND stop, MSG* msg);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Thin wrappers over the platform calls, for readability at the call sites.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL ShowWindow(int command) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const;
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE) const;
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const;
    BOOL KillTimer(UINT_PTR id) const;
    HWND GetParent() const;
    HWND GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    // The control's text in the program's code page: a character it lacks comes out as '?'.
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text) const;
    // The control's text as the platform keeps it, every character whole.
    std::wstring GetDlgItemWideText(int id) const;
    void SetDlgItemWideText(int id, const std::wstring& text) const;
    BOOL IsWindowVisible() const;
    void Invalidate(BOOL erase = TRUE) const;
    BOOL RedrawWindow(const RECT* update, HRGN region, UINT flags) const;
    DWORD GetStyle() const;
    void ModifyStyle(DWORD remove, DWORD add) const;
    // Centres the window over its owner, or over the primary monitor's work area.
    void CenterWindow() const;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Routes through reflection and the message map; false when nothing handled it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message now being handled.
    LRESULT Default();
    // Offers a reflected notification to this window's own map.
    bool ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    friend class WindowCreationHook;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR object);
    // Maps the window to this object; Subclass then puts the object in its chain.
    bool Attach(HWND hwnd);
    bool Subclass();
    void Detach();
    // Binds a window the creation hook has just seen being created.
    void AttachAtCreation(HWND hwnd);

    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
    // How many of the window's messages are being handled now, one inside another.
    int m_messageDepth = 0;
    // The window has gone while some of its messages were still being handled.
    bool m_finalMessagePending = false;
};

// Told when a CWnd object is destroyed while its window still exists: the window is then
// destroyed by what is left of the object, so the derived class's handlers (OnDestroy, ...)
// never see its end. Without a handler a debug build asserts. Returns the previous handler.
using WindowOutlivedHandler = void (*)(HWND window);
WindowOutlivedHandler SetWindowOutlivedHandler(WindowOutlivedHandler handler);

// The window of an object that may be absent.
inline HWND SafeHwnd(const CWnd* wnd) { return wnd != nullptr ? wnd->m_hWnd : nullptr; }
