// A JPEG that will be shrunk anyway, decoded at a reduced scale where the platform's decoder can
// do it (Windows' decodes an eighth, a quarter or half of the size, skipping the detail it would
// throw away); Wine's cannot, and the caller then decodes the whole picture as before.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

// The picture in the stream at the smallest scale the decoder offers that is at least `atLeast`
// in both directions and smaller than the whole, as opaque 24-bpp pixels in the file's stored
// orientation; null where there is none or the decoder fails. The stream's position is left
// where the decoder left it.
std::unique_ptr<Gdiplus::Bitmap> DecodeJpegReduced(IStream* stream, SIZE atLeast);
