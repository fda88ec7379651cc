#include "colourpicker/PaletteNavigation.h"

#include "colourpicker/PaletteTable.h"

PaletteItem CurrentPaletteItem(PaletteItem hover, PaletteItem selected) {
    return hover.row != -1 && hover.column != -1 ? hover : selected;
}

bool NavigatePalette(UINT key, PaletteItem current, int rows, int columns, PaletteItem& next) {
    const int r = current.row;
    const int c = current.column;
    switch (key) {
    case VK_DOWN:
        if (r < 0) {
            next = PaletteItem{0, 0};
        } else {
            int row = r + 1;
            if (row == kSeparatorRow) row = kCustomButtonRow;
            if (row >= rows) row = 0;
            next = PaletteItem{row, c};
        }
        return true;
    case VK_UP: {
        int row = r - 1;
        if (row < 0) row = rows - 1;
        if (row == kSeparatorRow) row = kSeparatorRow - 1;
        next = PaletteItem{row, c};
        return true;
    }
    case VK_RIGHT:
        if (c < 0) next = PaletteItem{0, 0};
        else if (c >= columns - 1) next = PaletteItem{r, 0};
        else next = PaletteItem{r, c + 1};
        return true;
    case VK_LEFT:
        if (c < 0) next = PaletteItem{rows - 1, columns - 1};
        else if (c == 0) next = PaletteItem{r, columns - 1};
        else next = PaletteItem{r, c - 1};
        return true;
    default:
        return false;
    }
}
