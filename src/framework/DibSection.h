// A 32-bpp top-down DIB section: rows run from the top, each pixel 0xAARRGGBB, and GDI+
// writes real alpha into it (a device-dependent bitmap may keep alpha 0 under opaque fills).
#pragma once

#include <windows.h>

// The bitmap with all its bytes zero (fully transparent), and its pixels in *bits; nullptr
// (and *bits nullptr) when the size is not positive or the system cannot make it.
HBITMAP CreateTopDownDibSection(HDC dc, int width, int height, void** bits);
