// Where a probed picture goes and how large the decoder must make it: upright (a photo stored a
// quarter turn off is placed as it will be shown), at its natural pixel size whatever resolution
// the file claims, or fitted into the area.
#pragma once

#include <windows.h>

#include "picture/PictureFit.h"
#include "picture/PictureProbe.h"

struct PicturePlacement {
    RECT place;   // on the surface, upright; an edge beyond the coordinates' range stops at it
    SIZE needed;  // the size it is drawn at, in the file's stored orientation
};

// The picture of `probe` in the area of `area` size whose top-left is `origin`, as `fit` says.
PicturePlacement PlacePicture(const PictureProbe& probe, POINT origin, SIZE area, PictureFit fit);
