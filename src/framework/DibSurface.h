// DibSurface: a memory device context with a top-down 32-bpp DIB section selected into it,
// every pixel transparent black at the start, as one owner: one thing to draw on and read
// back. It ends in the one safe order: the DC's own bitmap put back, the DC deleted, the DIB
// last. A Graphics drawing on it must go before it.
#pragma once

#include <windows.h>

#include <cstdint>

class DibSurface {
public:
    // A surface compatible with `reference` (null: the screen). False, with nothing held, when
    // the size is not positive or the system cannot make the DC or the bitmap.
    DibSurface(HDC reference, int width, int height);
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    explicit operator bool() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Width() * Height() pixels; null when the surface is false. Call GdiFlush before reading
    // what GDI drew.
    uint32_t* Bits() const { return m_bits; }

private:
    void Release();

    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};
