#include "support/TestDib.h"

#include "framework/ClientDC.h"

void TestDib::fill(uint32_t argb) {
    GdiFlush();
    uint32_t* bits = m_surface.Bits();
    for (int i = 0; i < width() * height(); ++i) bits[i] = argb;
}

int TestDib::countRgb(int left, int top, int right, int bottom, uint32_t rgbValue) const {
    GdiFlush();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (rgb(x, y) == rgbValue) ++count;
    return count;
}

void CaptureScreen(TestDib& dib, int left, int top) {
    const ClientDC screen = GetClientDC(nullptr);
    BitBlt(dib.dc(), 0, 0, dib.width(), dib.height(), screen.get(), left, top, SRCCOPY);
    GdiFlush();
}

bool RgbClose(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

LRESULT DrawItemOnto(TestDib& dib, HWND parent, HWND item, UINT state) {
    DRAWITEMSTRUCT request{};
    request.CtlType = ODT_BUTTON;
    request.CtlID = static_cast<UINT>(GetDlgCtrlID(item));
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = state;
    request.hwndItem = item;
    request.hDC = dib.dc();
    request.rcItem = RECT{0, 0, dib.width(), dib.height()};
    const LRESULT answer = SendMessageW(parent, WM_DRAWITEM, request.CtlID, reinterpret_cast<LPARAM>(&request));
    GdiFlush();
    return answer;
}
