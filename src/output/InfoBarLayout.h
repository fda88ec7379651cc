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

// A clock `clockWidth` wide at the band's right end: its left edge, d in from the output's right
// edge. The band from d before it to the band's end is the clock's: the bar's text never shows
// there.
int ClockLeft(const InfoBarLayout& bar, int width, int clockWidth);

// The bar's text size in pixels ("barsize=" in the store): 12 to 400; 0, the usual 30.
constexpr int kUsualBarTextSize = 30;
bool BarTextSizeAccepted(int size);
int BarTextPixels(int barSize);
