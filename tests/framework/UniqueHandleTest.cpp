#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "base/UniqueHandle.h"
#include "framework/ClientDC.h"
#include "framework/DibSurface.h"
#include "framework/ScopedSelectObject.h"
#include "support/TempFolder.h"

// A selection or a window's DC comes only from its factory, whose result must be kept: a
// temporary that is undone at once does not compile.
static_assert(!std::is_constructible_v<ScopedSelectObject, HDC, HGDIOBJ>);
static_assert(!std::is_constructible_v<ClientDC, HWND>);

namespace {

// A GDI object that has been deleted is no longer a valid object of any type.
bool IsLive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(UniqueHandleTest, DeletesOnScopeExitAndOnResetButNotAfterRelease) {
    HBRUSH scoped = CreateSolidBrush(RGB(1, 2, 3));
    { UniqueBrush owner(scoped); EXPECT_TRUE(IsLive(scoped)); }
    EXPECT_FALSE(IsLive(scoped));

    HBRUSH first = CreateSolidBrush(RGB(4, 5, 6));
    HBRUSH second = CreateSolidBrush(RGB(7, 8, 9));
    UniqueBrush owner(first);
    owner.reset(second);
    EXPECT_FALSE(IsLive(first));
    EXPECT_TRUE(IsLive(second));
    HBRUSH released = owner.release();
    EXPECT_EQ(released, second);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(IsLive(released));
    DeleteObject(released);
}

TEST(UniqueHandleTest, MoveTransfersOwnershipOnce) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    UniquePen a(pen);
    UniquePen b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), pen);
    UniquePen c;
    c = std::move(b);
    EXPECT_EQ(c.get(), pen);
    c.reset();
    EXPECT_FALSE(IsLive(pen));
}

// A file's owner takes INVALID_HANDLE_VALUE, what a failed open gives, for no file at all.
TEST(UniqueHandleTest, AFileOwnerClosesAnOpenFileAndNeverAFailedOpen) {
    TempFolder folder;
    const std::string path = folder.file("held.txt");
    const auto openAlone = [&] {
        return UniqueFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    };
    {
        const UniqueFile file = openAlone();
        ASSERT_TRUE(file);
        const UniqueFile second = openAlone();
        EXPECT_FALSE(second) << "the file is not shared";
        EXPECT_EQ(second.get(), INVALID_HANDLE_VALUE);
    }
    EXPECT_TRUE(openAlone()) << "closed when its owner went";
    EXPECT_FALSE(UniqueFile());
}

TEST(ScopedSelectObjectTest, PutsThePreviousObjectBackSoTheSelectedOneCanBeDeleted) {
    const DibSurface surface(nullptr, 1, 1);
    HGDIOBJ original = GetCurrentObject(surface.Dc(), OBJ_BRUSH);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    {
        const ScopedSelectObject selected = SelectInto(surface.Dc(), brush);
        EXPECT_TRUE(selected);
        EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_BRUSH), brush);
    }
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_BRUSH), original);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(ScopedSelectObjectTest, NothingToRestoreWithoutADeviceContext) {
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    {
        const ScopedSelectObject selected = SelectInto(nullptr, brush);
        EXPECT_FALSE(selected);
    }
    EXPECT_TRUE(DeleteObject(brush));
}

}  // namespace
