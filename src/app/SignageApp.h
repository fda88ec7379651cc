// CSignageApp: the application object. It starts GDI+, runs the settings dialog modally as
// the main window, and shuts GDI+ down when the dialog has closed.
#pragma once

#include <string>

#include "framework/WinApp.h"

class CSignageApp : public CWinApp {
public:
    // The program's files are kept in `folder`; left empty, in the program's own folder.
    explicit CSignageApp(std::string folder = {});
    BOOL InitInstance() override;
    int ExitInstance() override;
    const AppCommandMap* GetCommandMap() const override;

private:
    ULONG_PTR m_gdiplusToken = 0;
    std::string m_folder;
};
