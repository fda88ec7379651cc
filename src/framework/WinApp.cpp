#include "framework/WinApp.h"

#include "base/ProgramText.h"
#include "framework/Wnd.h"

namespace {
CWinApp* theApp = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName != nullptr ? appName : "") {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

bool CWinApp::OnCommand(UINT id) {
    const AppCommandMap* map = GetCommandMap();
    for (std::size_t i = 0; map != nullptr && i < map->count; ++i) {
        if (map->entries[i].id == id) {
            (this->*(map->entries[i].handler))();
            return true;
        }
    }
    return false;
}

const AppCommandMap* CWinApp::GetCommandMap() const {
    static const AppCommandMap none{nullptr, 0};
    return &none;
}

CWinApp* AfxGetApp() { return theApp; }

HINSTANCE AfxGetResourceHandle() {
    if (theApp != nullptr && theApp->m_hInstance != nullptr) return theApp->m_hInstance;
    return ::GetModuleHandleW(nullptr);
}

void AfxEnableControlContainer() {}

int AfxMessageBox(const char* text, UINT type) {
    const char* caption = theApp != nullptr ? theApp->m_pszAppName : "";
    HWND owner = theApp != nullptr ? SafeHwnd(theApp->m_pMainWnd) : nullptr;
    return ::MessageBoxW(owner, WideFromProgramText(text).c_str(), WideFromProgramText(caption).c_str(), type);
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    app->m_hInstance = instance;
    app->InitInstance();
    return app->ExitInstance();
}
