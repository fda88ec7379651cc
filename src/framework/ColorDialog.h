// CColorDialog: the standard colour dialog (ChooseColor), run modally over its owner and
// over the top-level window that owner belongs to.
#pragma once

#include <windows.h>
#include <commdlg.h>

class CWnd;

class CColorDialog {
public:
    // Starts at `initial`; `flags` are CC_* flags added to CC_RGBINIT.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // IDOK when the user chose a colour, IDCANCEL otherwise.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    // The caller may point lpCustColors at its own 16 colours before DoModal.
    CHOOSECOLORW m_cc;

private:
    CWnd* m_parent;
    COLORREF m_customColours[16];
};
