// Test programs start GDI+ once for the whole run, as the application does, and fail the test
// in which a window object is destroyed while its window still exists: a release build, as
// the tests are, would otherwise let that programming error pass in silence.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "framework/Wnd.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    SetWindowOutlivedHandler([](HWND window) {
        ADD_FAILURE() << "a window object was destroyed before its window " << window;
    });
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    const int result = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
