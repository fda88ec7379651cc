// The palette's table, layout, hit testing and keyboard movement, without a window.
#include <gtest/gtest.h>

#include "GeometryComparison.h"
#include "PickerTestWindows.h"

#include <set>
#include <string>

#include "colourpicker/PaletteLayout.h"
#include "colourpicker/PaletteNavigation.h"
#include "colourpicker/PaletteTable.h"

namespace {

// The popup at the usual margin of 2 with a caption of 60 x 16 pixels.
PaletteLayout UsualLayout(SIZE caption = SIZE{60, 16}) {
    return ComputePaletteLayout(kPaletteEntryCount, PaletteBoxSize(2), 2, caption);
}

TEST(PaletteTable, KeepsItsFourRegionsInOrder) {
    const PaletteEntries& table = PaletteTableAtStart();
    std::set<std::string> names;
    for (int i = 0; i < kPaletteEntryCount; ++i) {
        const PaletteEntry& entry = table[static_cast<size_t>(i)];
        SCOPED_TRACE(i);
        ASSERT_NE(entry.name, nullptr);
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate name " << entry.name;
        if (i < kFirstSystemEntry) {
            EXPECT_EQ(entry.sysIndex, -1);
            EXPECT_EQ(entry.colour & 0xFF000000u, 0u) << "a COLORREF has no top byte";
        } else if (i < 72) {
            EXPECT_GE(entry.sysIndex, 0);
        } else if (i < kFirstCustomEntry) {
            EXPECT_EQ(entry.sysIndex, -1);
            EXPECT_EQ(entry.colour, 0x00C0C0C0u);
            EXPECT_EQ(std::string(entry.name), std::to_string(i - 71));
        } else {
            EXPECT_EQ(entry.sysIndex, -1);
            EXPECT_EQ(entry.colour, 0xFFFFFFFFu);
            EXPECT_EQ(std::string(entry.name), "Custom color " + std::to_string(i - 87));
        }
    }
}

TEST(PaletteTable, ScanFindsTheFirstEqualEntry) {
    PaletteEntries table = PaletteTableAtStart();
    // System entries as a usual desktop has them: BtnFace silver, Window white.
    table[64].colour = 0x00C0C0C0;
    table[56].colour = 0x00FFFFFF;
    EXPECT_EQ(FindPaletteEntry(table, 0x00C0C0C0), 51);  // "Silver", not a placeholder
    EXPECT_EQ(FindPaletteEntry(table, 0x00FFFFFF), 55);  // "White"
    EXPECT_EQ(FindPaletteEntry(table, RGB(1, 2, 3)), -1);
    // An unset custom entry (0xFFFFFFFF) is not white: the whole 32 bits are compared.
    for (int i = 0; i < kFirstCustomEntry; ++i)
        if (table[static_cast<size_t>(i)].colour == 0x00FFFFFF) table[static_cast<size_t>(i)].colour = 0x00FEFEFE;
    EXPECT_EQ(FindPaletteEntry(table, 0x00FFFFFF), -1);
    table[95].colour = RGB(1, 2, 3);
    EXPECT_EQ(FindPaletteEntry(table, RGB(1, 2, 3)), 95);
}

TEST(PaletteLayout, BoxSizeLeavesRoomForTheSwatch) {
    EXPECT_EQ(PaletteBoxSize(2), 18);
    EXPECT_EQ(PaletteBoxSize(5), 18);
    EXPECT_EQ(PaletteBoxSize(6), 19);
}

TEST(PaletteLayout, WindowIs148By238AtMarginTwo) {
    const PaletteLayout layout = UsualLayout();
    EXPECT_EQ(layout.columns, 8);
    EXPECT_EQ(layout.rows, 13);
    EXPECT_EQ(layout.window.cx, 148);
    EXPECT_EQ(layout.window.cy, 238);
    EXPECT_EQ(layout.customRect, (RECT{2, 182, 146, 202}));
    EXPECT_EQ(layout.separatorRect, (RECT{2, 164, 146, 182}));
}

TEST(PaletteLayout, ACaptionWiderThanEightCellsWidensOnlyTheWindowAndItsBands) {
    const PaletteLayout layout = UsualLayout(SIZE{200, 16});
    EXPECT_EQ(layout.window.cx, 204);
    EXPECT_EQ(layout.window.cy, 238);
    EXPECT_EQ(layout.customRect.right, 202);
    EXPECT_EQ(layout.separatorRect.right, 202);
    // The grid and its groove stay eight cells wide.
    RECT last{};
    EXPECT_TRUE(PaletteCellRect(layout, 0, 7, last));
    EXPECT_EQ(last.right, 146);
    EXPECT_EQ(PaletteGrooveRect(layout, 0).right, 146);
    EXPECT_EQ(PaletteHitTest(layout, POINT{180, 10}), kNoPaletteItem);
    EXPECT_EQ(PaletteHitTest(layout, POINT{180, 190}), (PaletteItem{10, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{180, 170}), (PaletteItem{9, 0}));
}

TEST(PaletteLayout, ATallFontLetsTheButtonReachIntoTheNextRow) {
    const PaletteLayout layout = UsualLayout(SIZE{60, 24});
    EXPECT_EQ(layout.customRect.bottom, 182 + 28);
    EXPECT_EQ(layout.window.cy, 238);
    EXPECT_EQ(PaletteHitTest(layout, POINT{20, 205}), (PaletteItem{10, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{20, 212}), (PaletteItem{11, 1}));
}

TEST(PaletteLayout, CellRectangles) {
    const PaletteLayout layout = UsualLayout();
    RECT rect{};
    EXPECT_TRUE(PaletteCellRect(layout, 0, 0, rect));
    EXPECT_EQ(rect, (RECT{2, 2, 20, 20}));
    EXPECT_TRUE(PaletteCellRect(layout, 12, 7, rect));
    EXPECT_EQ(rect, (RECT{128, 218, 146, 236}));

    // The separator row has a rectangle but no cell.
    EXPECT_FALSE(PaletteCellRect(layout, 9, 3, rect));
    EXPECT_EQ(rect, (RECT{56, 164, 74, 182}));

    const RECT untouched{1, 2, 3, 4};
    for (const PaletteItem outside : {PaletteItem{13, 0}, PaletteItem{-1, 0}, PaletteItem{0, 8}, PaletteItem{0, -1}}) {
        rect = untouched;
        EXPECT_FALSE(PaletteCellRect(layout, outside.row, outside.column, rect));
        EXPECT_EQ(rect, untouched);
    }
}

TEST(PaletteLayout, GrooveIsFourPixelsCentredAndRunsToTheGridEnd) {
    const PaletteLayout layout = UsualLayout();
    EXPECT_EQ(PaletteGrooveRect(layout, 0), (RECT{2, 171, 146, 175}));
    EXPECT_EQ(PaletteGrooveRect(layout, 7), (RECT{128, 171, 146, 175}));
}

TEST(PaletteHitTest, MarginsSeparatorAndButton) {
    const PaletteLayout layout = UsualLayout();
    // The strips left of and above the grid count as column 0 and row 0.
    EXPECT_EQ(PaletteHitTest(layout, POINT{0, 0}), (PaletteItem{0, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{1, 40}), (PaletteItem{2, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{145, 1}), (PaletteItem{0, 7}));
    // Right and bottom margins are outside the grid.
    EXPECT_EQ(PaletteHitTest(layout, POINT{146, 10}), kNoPaletteItem);
    EXPECT_EQ(PaletteHitTest(layout, POINT{10, 236}), kNoPaletteItem);
    EXPECT_EQ(PaletteHitTest(layout, POINT{-1, 10}), kNoPaletteItem);
    EXPECT_EQ(PaletteHitTest(layout, POINT{10, -1}), kNoPaletteItem);
    EXPECT_EQ(PaletteHitTest(layout, POINT{5000, 5000}), kNoPaletteItem);
    // Cell boundaries.
    EXPECT_EQ(PaletteHitTest(layout, POINT{19, 19}), (PaletteItem{0, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{20, 20}), (PaletteItem{1, 1}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{60, 163}), (PaletteItem{8, 3}));
    // The separator and the button whatever the column.
    EXPECT_EQ(PaletteHitTest(layout, POINT{100, 164}), (PaletteItem{9, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{100, 181}), (PaletteItem{9, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{100, 182}), (PaletteItem{10, 0}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{100, 201}), (PaletteItem{10, 0}));
    // Below a short button the rest of row 10 still stands for it, by its column.
    const PaletteLayout shortButton = UsualLayout(SIZE{60, 8});
    EXPECT_EQ(PaletteHitTest(shortButton, POINT{100, 197}), (PaletteItem{10, 5}));
    EXPECT_EQ(PaletteHitTest(layout, POINT{100, 202}), (PaletteItem{11, 5}));
}

struct Move {
    UINT key;
    PaletteItem from;
    PaletteItem to;
};

TEST(PaletteNavigation, ArrowKeysWrapAndStepOverTheSeparator) {
    const Move moves[] = {
        {VK_RIGHT, {3, 7}, {3, 0}},   {VK_RIGHT, {3, 2}, {3, 3}},   {VK_LEFT, {3, 0}, {3, 7}},
        {VK_LEFT, {3, 5}, {3, 4}},    {VK_DOWN, {12, 4}, {0, 4}},   {VK_DOWN, {2, 4}, {3, 4}},
        {VK_UP, {0, 4}, {12, 4}},     {VK_UP, {5, 4}, {4, 4}},      {VK_DOWN, {8, 6}, {10, 6}},
        {VK_UP, {10, 6}, {8, 6}},     {VK_DOWN, {10, 6}, {11, 6}},  {VK_UP, {11, 6}, {10, 6}},
        // Row 10 is one button: left and right move along it all the same.
        {VK_RIGHT, {10, 7}, {10, 0}},
    };
    for (const Move& move : moves) {
        PaletteItem next{};
        ASSERT_TRUE(NavigatePalette(move.key, move.from, 13, 8, next));
        EXPECT_EQ(next, move.to) << "key " << move.key << " from (" << move.from.row << ", " << move.from.column << ")";
    }
}

TEST(PaletteNavigation, WithoutACurrentItem) {
    PaletteItem next{};
    ASSERT_TRUE(NavigatePalette(VK_RIGHT, kNoPaletteItem, 13, 8, next));
    EXPECT_EQ(next, (PaletteItem{0, 0}));
    ASSERT_TRUE(NavigatePalette(VK_DOWN, kNoPaletteItem, 13, 8, next));
    EXPECT_EQ(next, (PaletteItem{0, 0}));
    ASSERT_TRUE(NavigatePalette(VK_LEFT, kNoPaletteItem, 13, 8, next));
    EXPECT_EQ(next, (PaletteItem{12, 7}));
    // Up keeps the missing column, so it hovers nothing.
    ASSERT_TRUE(NavigatePalette(VK_UP, kNoPaletteItem, 13, 8, next));
    EXPECT_EQ(next, (PaletteItem{12, -1}));
}

TEST(PaletteNavigation, OtherKeysAreNotMoves) {
    PaletteItem next{4, 4};
    EXPECT_FALSE(NavigatePalette(VK_HOME, PaletteItem{3, 3}, 13, 8, next));
    EXPECT_FALSE(NavigatePalette(VK_RETURN, PaletteItem{3, 3}, 13, 8, next));
    EXPECT_EQ(next, (PaletteItem{4, 4}));
}

TEST(PaletteNavigation, StartsFromTheHoverOrElseTheSelection) {
    EXPECT_EQ(CurrentPaletteItem(PaletteItem{2, 3}, PaletteItem{6, 3}), (PaletteItem{2, 3}));
    EXPECT_EQ(CurrentPaletteItem(kNoPaletteItem, PaletteItem{6, 3}), (PaletteItem{6, 3}));
    EXPECT_EQ(CurrentPaletteItem(PaletteItem{2, -1}, PaletteItem{6, 3}), (PaletteItem{6, 3}));
    EXPECT_EQ(CurrentPaletteItem(kNoPaletteItem, kNoPaletteItem), kNoPaletteItem);
}

}  // namespace
