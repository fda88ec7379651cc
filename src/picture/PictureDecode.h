// A probed picture file decoded and turned upright, as every photo viewer shows a phone's
// portrait picture: whole, or for a JPEG shrunk to half or less, smaller where the decoder can.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "picture/PictureFile.h"

// The picture of a drawable `file`, upright; null where the decoder refuses it, decodes another
// size than its header says or would draw only part of it. `needed` is the size it will be
// drawn at, in the stored orientation; `mayReduce` lets a JPEG needed at half its size or less
// be decoded at a smaller scale (its pixels are then averaged down from fewer). The picture may
// read from the file's memory: it must not outlive `file`.
std::unique_ptr<Gdiplus::Bitmap> DecodeUpright(const PictureFile& file, SIZE needed, bool mayReduce);
