#include "colourpicker/PaletteTable.h"

namespace {

constexpr PaletteEntry Named(COLORREF colour, const char* name) { return {colour, name, -1}; }
constexpr PaletteEntry System(const char* name, int index) { return {0, name, index}; }
constexpr PaletteEntry Placeholder(const char* name) { return {0x00C0C0C0, name, -1}; }
constexpr PaletteEntry Custom(const char* name) { return {kUnsetCustomColour, name, -1}; }

constexpr PaletteEntries kInitial = {{
    Named(0x00400080, "Light Maroon"),
    Named(0x0000008B, "Dark Red"),
    Named(0x000000FF, "Red"),
    Named(0x008000FF, "Deep Pink"),
    Named(0x00FF00FF, "Magenta"),
    Named(0x00C080FF, "Pink"),
    Named(0x00FF80FF, "Light Pink"),
    Named(0x00E8D0FF, "Very Light Pink"),

    Named(0x00008CFF, "Dark Orange"),
    Named(0x0000A5FF, "Orange"),
    Named(0x008080FF, "Light Salmon"),
    Named(0x00A0E0FF, "Light Orange"),
    Named(0x0000D7FF, "Gold"),
    Named(0x0000FFFF, "Yellow"),
    Named(0x0080FFFF, "Desert Yellow"),
    Named(0x00B8FFFF, "Pale Yellow"),

    Named(0x00004000, "Dark Green"),
    Named(0x00404000, "Medium Green"),
    Named(0x00008000, "Green"),
    Named(0x00408000, "Dark Teal"),
    Named(0x00008080, "Olive"),
    Named(0x00808000, "Teal"),
    Named(0x00808040, "Turquoise"),
    Named(0x0040FF00, "Medium Spring Green"),

    Named(0x0000FF80, "Mint Green"),
    Named(0x0000FF00, "Lime"),
    Named(0x0080FF00, "Spring Green"),
    Named(0x0098FB98, "Pale Green"),
    Named(0x00D4FF7F, "Aquamarine"),
    Named(0x00C0DCC0, "Very Pale Green"),
    Named(0x00400040, "Deep Purple"),
    Named(0x00800080, "Purple"),

    Named(0x00800040, "Deep Violet"),
    Named(0x00400000, "Midnight Blue"),
    Named(0x00A00000, "Dark Blue"),
    Named(0x00800000, "Navy"),
    Named(0x00FF0080, "Violet"),
    Named(0x00FF0000, "Blue"),
    Named(0x00804000, "Medium Blue"),
    Named(0x00FF8000, "Light Sky Blue"),

    Named(0x00ED9564, "Cornflower Blue"),
    Named(0x00C08080, "Sky Blue"),
    Named(0x00C08000, "Dark Cyan"),
    Named(0x00FF8080, "Medium Slate Blue"),
    Named(0x00FFFF80, "Light Blue"),
    Named(0x00FFFF00, "Cyan"),
    Named(0x00E6E0B0, "Powder Blue"),
    Named(0x00FFFFE0, "Light Cyan"),

    Named(0x00000000, "Black"),
    Named(0x00808080, "Gray"),
    Named(0x00989898, "Gray 40%"),
    Named(0x00C0C0C0, "Silver"),
    Named(0x00D3D3D3, "Light Gray"),
    Named(0x00DCF5F5, "Beige"),
    Named(0x00F0FBFF, "Floral White"),
    Named(0x00FFFFFF, "White"),

    System("Window", COLOR_WINDOW),
    System("WindowText", COLOR_WINDOWTEXT),
    System("InfoBk", COLOR_INFOBK),
    System("InfoText", COLOR_INFOTEXT),
    System("ActiveCaption", COLOR_ACTIVECAPTION),
    System("CaptionText", COLOR_CAPTIONTEXT),
    System("InactiveCaption", COLOR_INACTIVECAPTION),
    System("InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT),

    System("BtnFace", COLOR_BTNFACE),
    System("BtnText", COLOR_BTNTEXT),
    System("BtnShadow", COLOR_BTNSHADOW),
    System("BtnHighlight", COLOR_BTNHIGHLIGHT),
    System("Highlight", COLOR_HIGHLIGHT),
    System("HighlightText", COLOR_HIGHLIGHTTEXT),
    System("3DLight", COLOR_3DLIGHT),
    System("Desktop", COLOR_BACKGROUND),

    Placeholder("1"), Placeholder("2"), Placeholder("3"), Placeholder("4"),
    Placeholder("5"), Placeholder("6"), Placeholder("7"), Placeholder("8"),
    Placeholder("9"), Placeholder("10"), Placeholder("11"), Placeholder("12"),
    Placeholder("13"), Placeholder("14"), Placeholder("15"), Placeholder("16"),

    Custom("Custom color 1"), Custom("Custom color 2"), Custom("Custom color 3"),
    Custom("Custom color 4"), Custom("Custom color 5"), Custom("Custom color 6"),
    Custom("Custom color 7"), Custom("Custom color 8"), Custom("Custom color 9"),
    Custom("Custom color 10"), Custom("Custom color 11"), Custom("Custom color 12"),
    Custom("Custom color 13"), Custom("Custom color 14"), Custom("Custom color 15"),
    Custom("Custom color 16"),
}};

}  // namespace

PaletteEntries PaletteTable = kInitial;

int FindPaletteEntry(const PaletteEntries& table, COLORREF colour) {
    for (int i = 0; i < kPaletteEntryCount; ++i) {
        if (table[static_cast<size_t>(i)].colour == colour) return i;
    }
    return -1;
}
