// What the output tests share: SharedState as it is before the settings dialog runs, a
// core instance, a playlist table and a program folder of the test's own with its
// picture folder, and pictures written as BMP files of a known size and colour.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/Core.h"
#include "output/Playlist.h"
#include "state/SharedState.h"
#include "support/TempFolder.h"

class COutputDlg;
class TestDib;

class OutputFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture in the picture folder.
    void Picture(const std::string& name, int width, int height, uint32_t rgb) const;
    // The table as LoadPlaylist would leave it, without a list.
    void Listed(std::initializer_list<const char*> names) const;

    // One frame of `output` onto a DIB of the test's own, as Render() composes it (or, without its
    // pixels, all through GDI+).
    static void ComposeOnto(COutputDlg& output, TestDib& dib, bool withPixels = true);
    // The bar's text, "黑体" at 30, measures c = 35 high with the fonts the tests run with. As a
    // text 40 high has its margin d = 8 and a band of e = 40 + 2 * 8 = 56 rows (from y 1024 on
    // 1920 x 1080), 35 has d = 7 (a fifth, truncated) and e = 35 + 2 * 7 = 49.
    static constexpr int kBarTextHeight = 35;
    static constexpr int kBarMargin = 7;
    static constexpr int kBarRows = 49;

    TempFolder folder;
    std::unique_ptr<CCore> core;
    std::unique_ptr<Playlist> playlist;
};
