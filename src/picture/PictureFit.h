// How a picture fills the output: the store's "fit". Without it, or with a value not known here,
// a picture is drawn at its own size from the top-left corner.
#pragma once

#include <windows.h>

#include <string>

enum class PictureFit {
    None,     // its own size, top-left
    Contain,  // the whole picture, as large as the area allows, centred
    Cover,    // the area filled, centred, the overflow cut
    Stretch,  // the area filled, proportions ignored
};

// "none", "contain", "cover" or "stretch" in any letter case; anything else is None.
PictureFit ParsePictureFit(const std::string& text);

// The store's name of a mode: "none", "contain", "cover" or "stretch".
const char* PictureFitName(PictureFit fit);

// Where a picture of `picture` size goes in an area of `area` size whose top-left is (0, 0).
// Contain and Cover keep the proportions and enlarge small pictures too; a side is at least 1.
RECT FitPicture(SIZE picture, SIZE area, PictureFit fit);
