// The device context of one WM_PAINT (BeginPaint), ended with EndPaint.
#pragma once

#include <windows.h>

class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : m_hwnd(hwnd), m_paint{}, m_dc(::BeginPaint(hwnd, &m_paint)) {}
    ~PaintDC() { ::EndPaint(m_hwnd, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return m_dc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint;
    HDC m_dc;
};
