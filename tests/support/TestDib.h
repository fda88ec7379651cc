// The program's drawing surface (a 32-bpp top-down DIB section selected into a memory DC) as a
// test's own to draw on and read back pixel by pixel (0xAARRGGBB).
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/DibSurface.h"

class TestDib {
public:
    TestDib(int width, int height) : m_surface(nullptr, width, height) {}

    HDC dc() const { return m_surface.Dc(); }
    int width() const { return m_surface.Width(); }
    int height() const { return m_surface.Height(); }
    uint32_t* bits() const { return m_surface.Bits(); }
    uint32_t pixel(int x, int y) const { return m_surface.Bits()[static_cast<size_t>(y) * width() + x]; }
    // The colour without alpha, as 0x00RRGGBB.
    uint32_t rgb(int x, int y) const { return pixel(x, y) & 0x00FFFFFF; }
    void fill(uint32_t argb);
    // How many pixels of the rectangle have exactly this RGB.
    int countRgb(int left, int top, int right, int bottom, uint32_t rgb) const;

private:
    DibSurface m_surface;
};

// Has `parent` draw its owner-drawn button `item` onto the whole of `dib` in `state`, as the
// platform asks it (WM_DRAWITEM); the parent's answer.
LRESULT DrawItemOnto(TestDib& dib, HWND parent, HWND item, UINT state = 0);

// Copies what the screen shows from (left, top) onto the whole of `dib`.
void CaptureScreen(TestDib& dib, int left, int top);

// Two 0x00RRGGBB colours whose channels differ by at most `tolerance` steps: a frame pushed
// with constant alpha 253 lands a little off its own colour over whatever lies below.
bool RgbClose(uint32_t a, uint32_t b, int tolerance = 4);
