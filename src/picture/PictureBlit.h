// Opaque pictures put into a frame's pixels without GDI+'s resampling: at their own size a plain
// copy of the decoded rows (the pixels DrawImage gives), and shrunk to fit, each pixel the
// average of the area of the picture it covers (a box filter: as close to the picture as GDI+'s
// bicubic interpolation of the full picture, and far cheaper for a camera's photo on a screen).
// Pictures with transparency or a palette, and enlarged ones, are left to GDI+.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>

// A frame's pixels: 32-bpp, top-down, width x height.
struct PixelTarget {
    uint32_t* bits;
    int width;
    int height;
};

// What GDI+ and then GDI have drawn so far is in the surface's pixels: before they are read or
// written directly.
void FlushToPixels(Gdiplus::Graphics& graphics);

// Whether the picture has neither transparency nor a palette.
bool IsOpaquePicture(Gdiplus::Bitmap& picture);

// The picture into `place` on the target (clipped to it), copied when `place` is its own size,
// else shrunk; false, with nothing drawn, when `place` is larger in a direction or the pixels
// cannot be read.
bool BlitOpaque(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place);
