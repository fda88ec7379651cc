// The palette popup's geometry, apart from its window: grid size, the rectangles of the
// cells, the separator and the custom-colour button, and hit testing. All rectangles are in
// client coordinates.
#pragma once

#include <windows.h>

// One item of the palette: a cell, or row 9 (the separator) or row 10 (the custom-colour
// button, whatever the column). (-1, -1) is no item.
struct PaletteItem {
    int row;
    int column;
    bool operator==(const PaletteItem& other) const { return row == other.row && column == other.column; }
    bool operator!=(const PaletteItem& other) const { return !(*this == other); }
};
constexpr PaletteItem kNoPaletteItem{-1, -1};

// The side of one cell: 18, raised so that the swatch inside the edges keeps some pixels.
int PaletteBoxSize(int margin);

struct PaletteLayout {
    int columns = 0;
    int rows = 0;
    int boxSize = 0;
    int margin = 0;
    SIZE window{};         // the popup window's size
    RECT customRect{};     // the custom-colour button
    RECT separatorRect{};  // row 9, the whole inner width
};

// `caption` is the extent of the custom-colour button's text in the popup's font.
PaletteLayout ComputePaletteLayout(int entryCount, int boxSize, int margin, SIZE caption);

// The rectangle of one cell. False, with `rect` untouched, outside the grid; false, with
// `rect` set, for the separator row.
bool PaletteCellRect(const PaletteLayout& layout, int row, int column, RECT& rect);

// The sunken groove's piece in one separator cell: from that cell to the grid's right end,
// 4 pixels high at box size 18, centred in the row.
RECT PaletteGrooveRect(const PaletteLayout& layout, int column);

// The item under a client point; the margin strips left of and above the grid count as the
// first column and row.
PaletteItem PaletteHitTest(const PaletteLayout& layout, POINT point);
