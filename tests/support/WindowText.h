// A window's text as the program's own narrow text (code page 936 on every system), read and
// written through the Unicode interfaces, as the platform keeps it.
#pragma once

#include <windows.h>

#include <string>

std::string WindowText(HWND hwnd);
void SetWindowTextOf(HWND hwnd, const std::string& text);
