// CToolTipCtrl: the common controls' tooltip window. Tools are rectangles of a window of
// ours; the owner relays its mouse messages (RelayEvent) so the control sees them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    // A tooltip window owned by `parent`, with the given TTS_* styles.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // One tool over `rect` of `wnd`'s client area, with the program's text. The control keeps its
    // own copy of it.
    BOOL AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR toolId);
    void RelayEvent(MSG* msg) const;
};
