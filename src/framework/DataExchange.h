// CDataExchange and DDX_Control: the one piece of the framework's data exchange we use,
// binding a control object to a control of the dialog.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Subclasses the dialog's control `id` with `control`, the first time only.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
