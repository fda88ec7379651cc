#include "framework/DibSurface.h"

#include "framework/DibSection.h"

DibSurface::DibSurface(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) return;
    m_dc = ::CreateCompatibleDC(reference);
    if (m_dc == nullptr) return;

    void* pixels = nullptr;
    m_bitmap = CreateTopDownDibSection(m_dc, width, height, &pixels);
    if (m_bitmap != nullptr) m_previous = ::SelectObject(m_dc, m_bitmap);
    if (m_previous == nullptr || m_previous == HGDI_ERROR) {
        m_previous = nullptr;
        release();
        return;
    }
    m_bits = static_cast<uint32_t*>(pixels);
    m_width = width;
    m_height = height;
}

DibSurface::~DibSurface() { release(); }

void DibSurface::release() {
    if (m_previous != nullptr) ::SelectObject(m_dc, m_previous);
    if (m_dc != nullptr) ::DeleteDC(m_dc);
    if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    m_previous = nullptr;
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_bits = nullptr;
}
