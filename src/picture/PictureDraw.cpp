#include "picture/PictureDraw.h"

void DrawPicture(Gdiplus::Graphics& graphics, Gdiplus::Bitmap& picture, const RECT& place,
                 const PixelTarget* frame) {
    if (frame != nullptr && IsEnlarged(picture, place)) {
        FlushToPixels(graphics);
        if (BlitEnlarged(picture, *frame, place)) return;
    } else if (frame != nullptr && IsOpaquePicture(picture)) {
        FlushToPixels(graphics);
        if (BlitOpaque(picture, *frame, place)) return;
    }
    // Flipped tiling keeps the edge pixels from blending with nothing under the graphics'
    // interpolation.
    const auto width = static_cast<INT>(picture.GetWidth());
    const auto height = static_cast<INT>(picture.GetHeight());
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(&picture, Gdiplus::Rect(place.left, place.top, place.right - place.left, place.bottom - place.top),
                       0, 0, width, height, Gdiplus::UnitPixel, &attributes);
}
