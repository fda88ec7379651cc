// CButton: a push button, check box or owner-drawn button.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }

    // Paints an owner-drawn button; called with the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
