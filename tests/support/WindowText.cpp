#include "support/WindowText.h"

#include <vector>

#include "base/ProgramText.h"

// WM_GETTEXT rather than GetWindowText, which gives another process's controls no text.
std::string WindowText(HWND hwnd) {
    const auto length = hwnd != nullptr ? static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(buffer.data())));
    return ProgramTextFromWide(std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

void SetWindowTextOf(HWND hwnd, const std::string& text) {
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromProgramText(text).c_str()));
}
