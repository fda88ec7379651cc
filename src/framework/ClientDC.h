// The device context of a window's client area, released with ReleaseDC. Only GetClientDC
// makes one, and its result must be kept: a DC released at once would draw nothing.
//
//     const ClientDC dc = GetClientDC(hwnd);
#pragma once

#include <windows.h>

#include <utility>

class ClientDC;
[[nodiscard]] inline ClientDC GetClientDC(HWND hwnd);

class [[nodiscard]] ClientDC {
public:
    ~ClientDC() {
        if (m_dc != nullptr) ::ReleaseDC(m_hwnd, m_dc);
    }
    ClientDC(ClientDC&& other) noexcept : m_hwnd(other.m_hwnd), m_dc(std::exchange(other.m_dc, nullptr)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ClientDC& operator=(ClientDC&&) = delete;

    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    friend ClientDC GetClientDC(HWND hwnd);
    ClientDC(HWND hwnd, HDC dc) : m_hwnd(hwnd), m_dc(dc) {}

    HWND m_hwnd;
    HDC m_dc;
};

inline ClientDC GetClientDC(HWND hwnd) { return ClientDC(hwnd, ::GetDC(hwnd)); }
