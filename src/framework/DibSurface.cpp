#include "framework/DibSurface.h"

namespace {

// A 32-bpp top-down DIB section: rows run from the top, each pixel 0xAARRGGBB, and GDI+
// writes real alpha into it (a device-dependent bitmap may keep alpha 0 under opaque fills).
// Its memory comes fresh from the system, all bytes zero (fully transparent): clearing it
// again would cost a pass over the largest frame, every interval.
HBITMAP CreateTopDownDibSection(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (bitmap != nullptr && *bits == nullptr) {
        ::DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}

}  // namespace

DibSurface::DibSurface(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) return;
    m_dc = ::CreateCompatibleDC(reference);
    if (m_dc == nullptr) return;

    void* pixels = nullptr;
    m_bitmap = CreateTopDownDibSection(m_dc, width, height, &pixels);
    if (m_bitmap != nullptr) m_previous = ::SelectObject(m_dc, m_bitmap);
    if (m_previous == nullptr || m_previous == HGDI_ERROR) {
        m_previous = nullptr;
        Release();
        return;
    }
    m_bits = static_cast<uint32_t*>(pixels);
    m_width = width;
    m_height = height;
}

DibSurface::~DibSurface() { Release(); }

void DibSurface::Release() {
    if (m_previous != nullptr) ::SelectObject(m_dc, m_previous);
    if (m_dc != nullptr) ::DeleteDC(m_dc);
    if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    m_previous = nullptr;
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_bits = nullptr;
}
