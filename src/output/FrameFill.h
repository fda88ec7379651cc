// The whole frame's background filled straight into its pixels. GDI+'s antialiased fill of an
// axis-aligned rectangle on whole pixels covers each pixel wholly, so it is a plain fill: each
// pixel the colour laid over what was there, premultiplied as the frame's DIB holds it, with the
// bytes GDI+'s own fill gives.
#pragma once

#include <windows.h>

#include <cstdint>

#include "picture/PictureBlit.h"

// `argb` over the pixels of [0, width) x [0, height) that lie on the target.
void FillFrame(const PixelTarget& target, int width, int height, uint32_t argb);
