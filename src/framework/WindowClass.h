// AfxRegisterWndClass: a window class for framework windows that need only a style, a
// cursor, a background and an icon. Windows created with it are bound to their CWnd at
// creation, so the class's own procedure is just the platform's default one.
#pragma once

#include <windows.h>

// Registers a Unicode class (once per distinct set of arguments) and returns its name; the text
// stays valid for the whole process. Null when the class cannot be registered.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);
