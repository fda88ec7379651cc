#include "framework/WindowClass.h"

#include <cstdio>
#include <set>
#include <string>

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    // The name encodes the arguments, so equal requests share one class.
    char name[128];
    std::snprintf(name, sizeof(name), "Placard:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));

    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (!::GetClassInfoA(instance, name, &existing)) {
        WNDCLASSA wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name;
        if (::RegisterClassA(&wc) == 0) return nullptr;
    }
    // Set nodes never move: the returned text lives as long as the process.
    static std::set<std::string> names;
    return names.insert(name).first->c_str();
}
