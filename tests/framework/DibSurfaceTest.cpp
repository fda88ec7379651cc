#include <gtest/gtest.h>

#include "framework/DibSurface.h"

namespace {

TEST(DibSurfaceTest, DrawsTopDownFromTransparentAndFreesItsBitmapAndItsDC) {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    {
        DibSurface surface(nullptr, 3, 2);
        ASSERT_TRUE(surface);
        dc = surface.Dc();
        bitmap = surface.Bitmap();
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(surface.Bits()[i], 0u) << i;
        SetPixel(dc, 2, 0, RGB(1, 2, 3));
        GdiFlush();
        EXPECT_EQ(surface.Bits()[2] & 0x00FFFFFF, 0x010203u) << "the first row is the top one";
    }
    // A bitmap still selected could not have been deleted.
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(DibSurfaceTest, NoSurfaceOfNoSize) {
    const DibSurface empty(nullptr, 0, 5);
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.Dc(), nullptr);
    EXPECT_EQ(empty.Bits(), nullptr);
    EXPECT_FALSE(DibSurface(nullptr, 5, -1));
}

}  // namespace
