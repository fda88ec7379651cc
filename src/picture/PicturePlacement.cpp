#include "picture/PicturePlacement.h"

#include "base/SaturatedInt.h"

PicturePlacement PlacePicture(const PictureProbe& probe, POINT origin, SIZE area, PictureFit fit) {
    const bool turned = probe.orientation >= 5 && probe.orientation <= 8;  // a quarter turn
    const SIZE stored{static_cast<LONG>(probe.width), static_cast<LONG>(probe.height)};
    const SIZE upright = turned ? SIZE{stored.cy, stored.cx} : stored;
    const RECT fitted = FitPicture(upright, area, fit);
    PicturePlacement placement{};
    placement.place = RECT{SaturatedInt(LONGLONG{origin.x} + fitted.left), SaturatedInt(LONGLONG{origin.y} + fitted.top),
                           SaturatedInt(LONGLONG{origin.x} + fitted.right),
                           SaturatedInt(LONGLONG{origin.y} + fitted.bottom)};
    placement.needed = turned ? SIZE{fitted.bottom - fitted.top, fitted.right - fitted.left}
                              : SIZE{fitted.right - fitted.left, fitted.bottom - fitted.top};
    return placement;
}
