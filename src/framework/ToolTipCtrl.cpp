#include "framework/ToolTipCtrl.h"

#include <string>

#include "base/ProgramText.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, SafeHwnd(parent), nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR toolId) {
    if (m_hWnd == nullptr || wnd == nullptr) return FALSE;
    // The version-2 size is understood by every common-controls version.
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = wnd->m_hWnd;
    info.uId = toolId;
    if (rect != nullptr) info.rect = *rect;
    std::wstring wide = text != nullptr ? WideFromProgramText(text) : std::wstring();
    info.lpszText = text != nullptr ? &wide[0] : nullptr;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::RelayEvent(MSG* msg) const {
    if (m_hWnd != nullptr) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
