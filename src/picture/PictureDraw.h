// A decoded, upright picture put on the surface: straight into the frame's pixels where it is
// enlarged, or opaque (copied or averaged); drawn by GDI+ otherwise.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "picture/PictureBlit.h"

// The picture into `place` through `graphics`. `frame`, when given, is the pixels the graphics
// draws on (with no transform and no clip).
void DrawPicture(Gdiplus::Graphics& graphics, Gdiplus::Bitmap& picture, const RECT& place,
                 const PixelTarget* frame);
