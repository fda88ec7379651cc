// The scrolling bar's band drawn straight into a frame's pixels. Its text is drawn on the band's
// colour into a strip of its own (again only when the text or a colour changes); each update then
// fills the band and copies the strip to where the copies stand, with no text drawn anew. Where
// they stand is the caller's to say (ScrollPositions).
// A text whose strip would be too large holds only what the band can show: a strip or two twice
// the band's width, each the part of the text that a copy shows now, drawn from the pieces of the
// text that fall in it, and drawn again when the copy has moved on by about the band's width. A
// text of any length then costs what a short one costs.
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
    // A strip: the text's columns from `from` on (the text's own x, 0 where a copy's left stands).
    struct Window {
        std::unique_ptr<DibSurface> strip;
        long long from = 0;
        bool used = false;
    };
    // Where the text is cut into pieces, and where each piece stands in the whole text.
    struct Piece {
        std::string text;
        long long left;
    };

    // Forgets the strips and pieces of another look, text size or band.
    void Follow(const BarLook& look, const InfoBarLayout& bar, SIZE textSize, int right);
    // The strip of the text's columns [need, needEnd), made where none holds them in the place
    // of one that no copy has used in this update; -1 when none can be made.
    int Cover(const CCore& core, long long need, long long needEnd);
    std::unique_ptr<DibSurface> NewStrip(long long width) const;
    void CutIntoPieces(const CCore& core);

    BarLook m_look{};
    int m_rows = 0;
    int m_margin = 0;
    SIZE m_textSize{0, 0};
    int m_pad = 0;          // the columns on either side of the text for what a glyph draws beyond it
    long long m_span = 0;   // a strip's width when it holds a part of the text; 0: the whole text
    std::vector<Window> m_windows;
    std::vector<Piece> m_pieces;
};
