#include "colourpicker/PaletteLayout.h"

#include "colourpicker/PaletteTable.h"

int PaletteBoxSize(int margin) {
    const int minimum = 2 * margin + 7;
    return 18 < minimum ? minimum : 18;
}

PaletteLayout ComputePaletteLayout(int entryCount, int boxSize, int margin, SIZE caption) {
    PaletteLayout layout;
    layout.boxSize = boxSize;
    layout.margin = margin;
    layout.columns = kPaletteColumns;
    layout.rows = entryCount / kPaletteColumns + (entryCount % kPaletteColumns != 0 ? 1 : 0);

    int width = layout.columns * boxSize + 2 * margin;
    if (caption.cx + 2 * margin > width) width = caption.cx + 2 * margin;
    // The button's height does not count: a tall font lets it reach into the next row.
    layout.window = SIZE{width, layout.rows * boxSize + 2 * margin};

    const int inner = width - 2 * margin;
    const int buttonHeight = caption.cy + 2 * margin;
    const int buttonTop = margin + kCustomButtonRow * boxSize;
    layout.customRect = RECT{margin, buttonTop, margin + inner, buttonTop + buttonHeight};
    layout.separatorRect = RECT{margin, margin + kSeparatorRow * boxSize, margin + inner, buttonTop};
    return layout;
}

bool PaletteCellRect(const PaletteLayout& layout, int row, int column, RECT& rect) {
    if (row < 0 || row >= layout.rows || column < 0 || column >= layout.columns) return false;
    rect.left = layout.margin + column * layout.boxSize;
    rect.top = layout.margin + row * layout.boxSize;
    rect.right = rect.left + layout.boxSize;
    rect.bottom = rect.top + layout.boxSize;
    return row != kSeparatorRow;
}

RECT PaletteGrooveRect(const PaletteLayout& layout, int column) {
    RECT cell{};
    PaletteCellRect(layout, kSeparatorRow, column, cell);
    RECT last{};
    PaletteCellRect(layout, kSeparatorRow, layout.columns - 1, last);
    const int half = layout.boxSize / 2;
    return RECT{cell.left, cell.top + half - 2, last.right, cell.bottom - half + 2};
}

PaletteItem PaletteHitTest(const PaletteLayout& layout, POINT point) {
    if (point.x < 0 || point.y < 0) return kNoPaletteItem;
    if (PtInRect(&layout.customRect, point)) return PaletteItem{kCustomButtonRow, 0};
    if (PtInRect(&layout.separatorRect, point)) return PaletteItem{kSeparatorRow, 0};
    if (layout.boxSize <= 0) return kNoPaletteItem;
    // Truncating division: the margin strip before the grid falls into row or column 0.
    const int row = (point.y - layout.margin) / layout.boxSize;
    const int column = (point.x - layout.margin) / layout.boxSize;
    if (row < 0 || row >= layout.rows || row == kSeparatorRow || column < 0 || column >= layout.columns)
        return kNoPaletteItem;
    return PaletteItem{row, column};
}
