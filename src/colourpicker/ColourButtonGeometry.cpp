#include "colourpicker/ColourButtonGeometry.h"

#include <algorithm>

int ColourButtonArrowSize(int cxHThumb, int cyVThumb) {
    return std::max(cxHThumb / 3 + 2, cyVThumb / 3 + 2);
}

ColourButtonGeometry ComputeColourButtonGeometry(RECT face, bool pressed, int cxEdge, int cyEdge,
                                                 int arrowSize) {
    ColourButtonGeometry g;
    RECT r = face;
    // A pressed button shows its contents one pixel right and down.
    if (pressed) OffsetRect(&r, 1, 1);
    g.focusRect = RECT{r.left, r.top, r.right - 1, r.bottom};
    InflateRect(&r, -cxEdge, -cyEdge);

    g.arrowX = r.right - 2 * cxEdge - 6;
    g.arrowY = (r.top + r.bottom) / 2 - 2;
    for (int i = 0; arrowSize - 2 * i > 0; ++i)
        g.arrowRows.push_back(ArrowRow{g.arrowY + i, g.arrowX + i, g.arrowX + arrowSize - i});

    r.right -= 2 * cxEdge + 7 + cxEdge / 2;
    g.separatorRect = r;
    r.right -= 2 * cxEdge + 1;
    g.swatchRect = r;
    return g;
}
