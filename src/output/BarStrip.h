// The scrolling bar's band drawn straight into a frame's pixels. Its text is drawn once, on the
// band's colour, into a strip of its own (again only when the text or a colour changes); each
// update then fills the band and copies the strip to where the copies stand, with no text drawn
// anew. Where they stand is the caller's to say (ScrollPositions).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/DibSurface.h"
#include "output/InfoBarLayout.h"
#include "picture/PictureBlit.h"

class CCore;

// What the bar shows and how.
struct BarLook {
    std::string text;
    const char* font;
    int size;
    Gdiplus::ARGB background;
    Gdiplus::ARGB colour;
    bool operator==(const BarLook& other) const;
};

class BarStrip {
public:
    // The band of `bar` in `frame`, in an output `width` wide, with the text (`textSize` its
    // measure) copied to each of `lefts`. False, with nothing drawn, when the strip cannot be
    // made: the caller then draws the text itself.
    bool Draw(const CCore& core, const BarLook& look, const PixelTarget& frame, const InfoBarLayout& bar,
              SIZE textSize, const std::vector<int>& lefts, int width);

private:
    const DibSurface* Strip(const CCore& core, const BarLook& look, const InfoBarLayout& bar, SIZE textSize);

    std::unique_ptr<DibSurface> m_strip;
    BarLook m_stripLook{};
    int m_stripPad = 0;  // the strip's columns before the text starts
};
