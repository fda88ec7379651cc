#include "app/SignageApp.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <utility>

#include "app/SingleInstance.h"
#include "core/Core.h"
#include "runlog/RunLog.h"
#include "runlog/RunLogLines.h"
#include "settings/SettingsDlg.h"
#include "settings/SettingsRecord.h"
#include "version.h"

namespace {

// With log=1, the log of the folder says that a second start was sent back to the first.
void NoteSentBack(const std::string& folder) {
    CCore core(folder);
    core.autoFileConfig();
    if (SettingsRecord::Read(core).runLog) RunLog(core.getAppPath()).Write(SentBackEvent());
}

}  // namespace

CSignageApp::CSignageApp(std::string folder) : CWinApp(PLACARD_PRODUCT_NAME), m_folder(std::move(folder)) {}

const AppCommandMap* CSignageApp::GetCommandMap() const {
    static const AppCommandEntry entries[] = {
        {ID_HELP, &CWinApp::OnHelp},
    };
    static const AppCommandMap map{entries, std::size(entries)};
    return &map;
}

BOOL CSignageApp::InitInstance() {
    // A second start from this folder hands over to the first and ends, saving nothing.
    const SingleInstance instance(CCore(m_folder).appPathForDisplay());
    if (!instance.First()) {
        instance.BringFirstToFront();
        NoteSentBack(m_folder);
        return FALSE;
    }

    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);

    AfxEnableControlContainer();
    Enable3dControls();

    {
        CSettingsDlg dialog(nullptr, m_folder);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    // The dialog has closed: no message loop follows, straight to ExitInstance.
    return FALSE;
}

int CSignageApp::ExitInstance() {
    if (m_gdiplusToken != 0) Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    return CWinApp::ExitInstance();
}
