#include "support/TestDib.h"

#include "framework/DibSection.h"

TestDib::TestDib(int width, int height) : m_width(width), m_height(height), m_bits(nullptr) {
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateTopDownDibSection(m_dc, width, height, &bits);
    m_bits = static_cast<uint32_t*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
}

TestDib::~TestDib() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void TestDib::fill(uint32_t argb) {
    GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = argb;
}

int TestDib::countRgb(int left, int top, int right, int bottom, uint32_t rgbValue) const {
    GdiFlush();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (rgb(x, y) == rgbValue) ++count;
    return count;
}
