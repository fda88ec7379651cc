#include "settings/AboutDlg.h"

#include "resource.h"
#include "version.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_VERSION, std::string("版本 ") + PLACARD_VERSION_STRING);
    return TRUE;
}
