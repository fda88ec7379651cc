#include "framework/DataExchange.h"

#include "framework/Wnd.h"

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (exchange == nullptr || control.m_hWnd != nullptr) return;
    control.SubclassDlgItem(static_cast<UINT>(id), exchange->m_pDlgWnd);
}
