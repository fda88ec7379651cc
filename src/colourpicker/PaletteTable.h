// The colour palette shared by every palette popup: 13 rows of 8 entries.
//   rows 0-6    56 named colours
//   rows 7-8    16 system colours, refreshed from GetSysColor at each popup's construction
//   rows 9-10   placeholders: row 9 is drawn as the separator, row 10 is under the
//               custom-colour button
//   rows 11-12  16 custom colours, 0xFFFFFFFF until first set
#pragma once

#include <windows.h>

#include <array>

struct PaletteEntry {
    COLORREF colour;
    const char* name;   // the cell's tooltip
    int sysIndex;       // GetSysColor index, or -1 for an entry with its own colour
};

constexpr int kPaletteEntryCount = 104;
constexpr int kPaletteColumns = 8;
constexpr int kFirstSystemEntry = 56;
constexpr int kFirstCustomEntry = 88;
constexpr int kCustomColourCount = 16;
constexpr int kSeparatorRow = 9;
constexpr int kCustomButtonRow = 10;
// A custom entry that was never set.
constexpr COLORREF kUnsetCustomColour = 0xFFFFFFFF;

using PaletteEntries = std::array<PaletteEntry, kPaletteEntryCount>;

// The process-wide working copy, shared by all popups.
extern PaletteEntries PaletteTable;

// Index of the first entry whose whole 32-bit colour equals `colour`, or -1.
int FindPaletteEntry(const PaletteEntries& table, COLORREF colour);
