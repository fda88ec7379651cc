// CWinApp: the one application object. The entry point runs InitInstance, in which the main
// window runs its own modal loop, then ExitInstance, whose result is the exit code.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;
class CWinApp;

// The framework's standard Help command.
constexpr UINT ID_HELP = 0xE146;

// One command of an application's command map.
struct AppCommandEntry {
    UINT id;
    void (CWinApp::*handler)();
};

struct AppCommandMap {
    const AppCommandEntry* entries;
    std::size_t count;
};

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // A command that reached no window; true when the command map handled it.
    bool OnCommand(UINT id);
    virtual const AppCommandMap* GetCommandMap() const;
    // The standard Help command: this product has no help file, so there is nothing to open.
    void OnHelp() {}

    // Kept for the framework's start-up switches; the platform needs neither.
    void Enable3dControls() {}

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
void AfxEnableControlContainer();
// The framework's standard message box: the application's name as caption.
int AfxMessageBox(const char* text, UINT type = MB_OK | MB_ICONEXCLAMATION);
// What the entry point runs.
int AfxWinMain(HINSTANCE instance);
