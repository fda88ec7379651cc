// The colour button's drawing geometry, apart from its window: where the focus rectangle,
// the drop-down arrow, the etched separator and the swatch go inside the button's face.
#pragma once

#include <windows.h>

#include <vector>

// The arrow's size from the scroll-thumb metrics.
int ColourButtonArrowSize(int cxHThumb, int cyVThumb);

struct ArrowRow {
    int y;
    int left;   // first pixel
    int right;  // one past the last pixel
};

struct ColourButtonGeometry {
    RECT focusRect{};
    int arrowX = 0;
    int arrowY = 0;
    std::vector<ArrowRow> arrowRows;  // top to bottom, S pixels wide, each two narrower
    RECT separatorRect{};             // the etched line runs along its right side
    RECT swatchRect{};
};

// `face` is the button's rectangle after the push-button frame took its edges.
ColourButtonGeometry ComputeColourButtonGeometry(RECT face, bool pressed, int cxEdge, int cyEdge,
                                                 int arrowSize);
