// Keyboard movement through the palette, apart from its window. Left and right wrap within
// a row, up and down within a column and step over the separator row; on the custom-colour
// button's row any column stands for the button.
#pragma once

#include <windows.h>

#include "colourpicker/PaletteLayout.h"

// Where the arrow keys start from: the hovered item, or the selected cell when nothing is
// hovered.
PaletteItem CurrentPaletteItem(PaletteItem hover, PaletteItem selected);

// The item an arrow key moves to from `current`; false for any other key. The result may
// hold -1 in one coordinate, which hovers nothing.
bool NavigatePalette(UINT key, PaletteItem current, int rows, int columns, PaletteItem& next);
