// The About box: product name, version, and what Placard does.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent);
    BOOL OnInitDialog() override;
};
