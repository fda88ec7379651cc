#include "framework/ColorDialog.h"

#include "framework/DisableWhileModal.h"
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
    // The platform disables only the owner it is given. When that owner is a popup of
    // another window (a colour palette over the settings dialog), the top-level window
    // under it is disabled too while the dialog is open, as under any modal box.
    HWND top = m_cc.hwndOwner != nullptr ? ::GetAncestor(m_cc.hwndOwner, GA_ROOTOWNER) : nullptr;
    if (top == m_cc.hwndOwner) top = nullptr;
    const auto topEnabledAgain = DisableWhileModal(top);
    return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}
