#include "framework/WindowClass.h"

#include <cwchar>
#include <set>
#include <string>

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    // The name encodes the arguments, so equal requests share one class.
    wchar_t name[128];
    std::swprintf(name, sizeof(name) / sizeof(name[0]), L"Placard:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW existing{};
    if (!::GetClassInfoW(instance, name, &existing)) {
        WNDCLASSW wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name;
        if (::RegisterClassW(&wc) == 0) return nullptr;
    }
    // Set nodes never move: the returned text lives as long as the process.
    static std::set<std::wstring> names;
    return names.insert(name).first->c_str();
}
