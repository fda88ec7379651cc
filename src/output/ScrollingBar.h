// The scrolling bar drawn straight into a frame's pixels. Its text is drawn once, on the band's
// colour, into a strip of its own (again only when the text or a colour changes); each update
// then fills the band and copies the strip to where the copies stand, with no text drawn anew.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

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

class ScrollingBar {
public:
    // The text stands at the still bar's place from now.
    void Restart() { m_start = ::GetTickCount64(); }
    ULONGLONG Elapsed() const { return ::GetTickCount64() - m_start; }

    // The band of `bar` in `frame`, `textSize` the text's measure, the copies where they stand
    // after `Elapsed()` at `speed` pixels per second in an output `width` wide. False, with
    // nothing drawn, when the strip cannot be made: the caller then draws the text itself.
    bool Draw(const CCore& core, const BarLook& look, const PixelTarget& frame, const InfoBarLayout& bar,
              SIZE textSize, int speed, int width);

private:
    const DibSurface* Strip(const CCore& core, const BarLook& look, const InfoBarLayout& bar, SIZE textSize);

    ULONGLONG m_start = ::GetTickCount64();
    std::unique_ptr<DibSurface> m_strip;
    BarLook m_stripLook{};
    int m_stripPad = 0;  // the strip's columns before the text starts
};
