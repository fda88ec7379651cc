// Where the information bar of a frame goes, given the measured height of its text.
#pragma once

#include <windows.h>

struct InfoBarLayout {
    // The band in the background colour: along the bottom edge, 2 pixels beyond the left
    // and the right edge, e = c + 2d high. Kept in floats, as GDI+ takes them, so that
    // settings from the store at the ends of the int range cannot overflow.
    float bandX;
    float bandY;
    float bandWidth;
    float bandHeight;
    // Where the text goes: d in from the left, d below the band's top.
    POINT textPoint;
    int margin;      // d = c * 0.2f, truncated
    int bandRows;    // e = c + 2d
};

InfoBarLayout LayoutInfoBar(int textHeight, int width, int height);
