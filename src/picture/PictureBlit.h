// Opaque pictures put into a frame's pixels without GDI+'s resampling: at their own size a plain
// copy of the decoded rows (the pixels DrawImage gives), and shrunk to fit, each pixel the
// average of the area of the picture it covers (a box filter: as close to the picture as GDI+'s
// bicubic interpolation of the full picture, and far cheaper for a camera's photo on a screen).
// Enlarged, any picture is interpolated linearly between its pixels (smooth, and a small picture
// on a large screen costs what the screen's pixels need). Pictures with transparency or a
// palette that are not enlarged are left to GDI+.
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

// Whether `place` is wider or taller than the picture.
bool IsEnlarged(Gdiplus::Bitmap& picture, const RECT& place);

// The picture resampled into `place` on the target (clipped to it): linearly interpolated along
// an axis it is enlarged on, averaged along one it is shrunk on. A picture with transparency or
// a palette is laid over what the target holds (premultiplied, as a layered window's frame is).
// False, with nothing drawn, when the pixels cannot be read.
bool BlitEnlarged(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place);
