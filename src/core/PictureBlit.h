// An opaque picture at its own size put into a frame's pixels as a plain copy of its decoded
// rows: the pixels GDI+'s DrawImage gives, without its resampling. Pictures with transparency or
// a palette, and scaled ones, are left to GDI+.
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

// Whether the picture has neither transparency nor a palette.
bool IsOpaquePicture(Gdiplus::Bitmap& picture);

// The picture copied into `place` on the target (clipped to it); false, with nothing drawn, when
// `place` is not the picture's own size or its pixels cannot be read.
bool BlitOpaque(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place);
