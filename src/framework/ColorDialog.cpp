#include "framework/ColorDialog.h"

#include "framework/Wnd.h"

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : m_cc{}, m_parent(parent) {
    // ChooseColor refuses to run without a custom-colour array: white ones unless given.
    for (COLORREF& colour : m_customColours) colour = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = initial;
    m_cc.Flags = CC_RGBINIT | flags;
    m_cc.lpCustColors = m_customColours;
}

INT_PTR CColorDialog::DoModal() {
    m_cc.hwndOwner = SafeHwnd(m_parent);
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
