// The colour button's drawing geometry, without a window.
#include <gtest/gtest.h>

#include "GeometryComparison.h"

#include "colourpicker/ColourButtonGeometry.h"

namespace {

TEST(ColourButtonGeometry, ArrowSizeFromTheThumbMetrics) {
    EXPECT_EQ(ColourButtonArrowSize(17, 17), 7);
    EXPECT_EQ(ColourButtonArrowSize(12, 12), 6);
    EXPECT_EQ(ColourButtonArrowSize(9, 15), 7);   // the larger of the two
    EXPECT_EQ(ColourButtonArrowSize(21, 15), 9);
}

TEST(ColourButtonGeometry, WorkedExample) {
    const ColourButtonGeometry g = ComputeColourButtonGeometry(RECT{2, 2, 121, 21}, false, 2, 2, 7);
    EXPECT_EQ(g.focusRect, (RECT{2, 2, 120, 21}));
    EXPECT_EQ(g.arrowX, 109);
    EXPECT_EQ(g.arrowY, 9);
    const std::vector<ArrowRow> rows = {{9, 109, 116}, {10, 110, 115}, {11, 111, 114}, {12, 112, 113}};
    EXPECT_EQ(g.arrowRows, rows);
    EXPECT_EQ(g.separatorRect, (RECT{4, 4, 107, 19}));
    EXPECT_EQ(g.swatchRect, (RECT{4, 4, 102, 19}));
}

TEST(ColourButtonGeometry, PressedMovesEverythingOnePixelRightAndDown) {
    const ColourButtonGeometry g = ComputeColourButtonGeometry(RECT{2, 2, 121, 21}, true, 2, 2, 7);
    EXPECT_EQ(g.focusRect, (RECT{3, 3, 121, 22}));
    EXPECT_EQ(g.arrowX, 110);
    EXPECT_EQ(g.arrowY, 10);
    EXPECT_EQ(g.separatorRect, (RECT{5, 5, 108, 20}));
    EXPECT_EQ(g.swatchRect, (RECT{5, 5, 103, 20}));
}

TEST(ColourButtonGeometry, EvenArrowEndsInTwoPixelsOddInOne) {
    const ColourButtonGeometry even = ComputeColourButtonGeometry(RECT{2, 2, 121, 21}, false, 2, 2, 6);
    ASSERT_EQ(even.arrowRows.size(), 3u);
    EXPECT_EQ(even.arrowRows.front().right - even.arrowRows.front().left, 6);
    EXPECT_EQ(even.arrowRows.back().right - even.arrowRows.back().left, 2);

    const ColourButtonGeometry odd = ComputeColourButtonGeometry(RECT{2, 2, 121, 21}, false, 2, 2, 9);
    ASSERT_EQ(odd.arrowRows.size(), 5u);
    EXPECT_EQ(odd.arrowRows.back().right - odd.arrowRows.back().left, 1);
    // Each row is centred under the one above: one pixel in from each side.
    for (size_t i = 1; i < odd.arrowRows.size(); ++i) {
        EXPECT_EQ(odd.arrowRows[i].left, odd.arrowRows[i - 1].left + 1);
        EXPECT_EQ(odd.arrowRows[i].right, odd.arrowRows[i - 1].right - 1);
        EXPECT_EQ(odd.arrowRows[i].y, odd.arrowRows[i - 1].y + 1);
    }
}

}  // namespace
