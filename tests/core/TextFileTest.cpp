// Text files as exact bytes, file existence, the colour forms and the warning box.
#include <gtest/gtest.h>

#include <climits>

#include "core/Core.h"
#include "store/AtomicFile.h"
#include "support/HeldFile.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TempFolder.h"

namespace {

class TextFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    CCore core;
};

TEST_F(TextFileTest, BytesGoOutAndComeBackUnchanged) {
    const std::string text = std::string("CR LF\r\nlone LF\nlone CR\r") + std::string("\0nul\0", 5) +
                             "\x80\xFF 中文\r\n\r\n";
    core.outTxtFile(text, folder.file("_items.txt"));
    EXPECT_EQ(folder.read("_items.txt"), text) << "no line-break translation on the way out";
    folder.write("other.txt", text);
    EXPECT_EQ(core.readTxtFile(folder.file("other.txt")), text) << "nor on the way in";

    core.outTxtFile("short", folder.file("_items.txt"));
    EXPECT_EQ(core.readTxtFile(folder.file("_items.txt")), "short") << "nothing left of the longer text";
    core.outTxtFile("", folder.file("_items.txt"));
    EXPECT_TRUE(folder.exists("_items.txt"));
    EXPECT_EQ(core.readTxtFile(folder.file("_items.txt")), "");
    EXPECT_FALSE(folder.exists("_items.txt.tmp"));
}

TEST_F(TextFileTest, WhatCannotBeReadIsEmptyText) {
    EXPECT_EQ(core.readTxtFile(folder.file("missing.txt")), "");
    EXPECT_EQ(core.readTxtFile(folder.path()), "");
    EXPECT_EQ(core.readTxtFile(""), "");
    folder.write("other.txt", "text");
    EXPECT_EQ(core.readTxtFile(folder.file("other.txt") + std::string("\0.bak", 5)), "")
        << "a path with a NUL names no file, not the one before the NUL";
}

// Read-only and held targets are told at the dialog's saves; these are the core's own cases.
TEST_F(TextFileTest, AWriteThatCannotBeDoneSaysWhyAndLeavesWhatWasThere) {
    const std::string path = folder.file("_items.txt");
    folder.write("_items.txt", "old\r\n");
    folder.makeFolder("sub");
    EXPECT_EQ(core.outTxtFile("new", folder.file("sub")), FileWrite::Denied) << "a folder in its place";
    EXPECT_TRUE(GetFileAttributesA(folder.file("sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(core.outTxtFile("new", path + std::string("\0.bak", 5)), FileWrite::Failed) << "a path with a NUL";
    EXPECT_FALSE(folder.exists("sub.tmp"));
    folder.makeFolder("_items.txt.tmp");  // no new file beside it, as in a folder the user may not write
    EXPECT_EQ(core.outTxtFile("new", path), FileWrite::Denied);
    EXPECT_EQ(folder.read("_items.txt"), "old\r\n");

    RemoveDirectoryA(folder.file("_items.txt.tmp").c_str());
    HeldFile briefly(path);
    briefly.releaseAfter(300);
    EXPECT_EQ(core.outTxtFile("new", path), FileWrite::Written) << "held for a moment: written once it is free";
    EXPECT_EQ(folder.read("_items.txt"), "new");
}

TEST_F(TextFileTest, OnlyAnExistingRegularFileExists) {
    folder.write("picture.png", "x");
    folder.write("empty.png", "");
    folder.makeFolder("data");
    EXPECT_TRUE(core.isFileExist(folder.file("picture.png")));
    EXPECT_TRUE(core.isFileExist(folder.file("empty.png")));
    EXPECT_FALSE(core.isFileExist(folder.file("missing.png")));
    EXPECT_FALSE(core.isFileExist(folder.file("data")));
    EXPECT_FALSE(core.isFileExist(folder.file("data\\")) ) << "an empty playlist line joins to the folder";
    EXPECT_FALSE(core.isFileExist(""));
    EXPECT_FALSE(core.isFileExist(folder.file("picture.png") + std::string("\0.txt", 5)));
}

TEST(ColourFormsTest, ConversionsKeepRedGreenAndBlue) {
    EXPECT_EQ(CCore::getColor(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(CCore::getColor(RGB(0, 0, 0)), 0xFF000000u);
    EXPECT_EQ(CCore::getColor(RGB(0xFF, 0xFF, 0xFF)), 0xFFFFFFFFu);
    EXPECT_EQ(CCore::getColor(0x02112233), 0xFF332211u) << "the COLORREF's top byte is not alpha";
    EXPECT_EQ(CCore::getClrRef(0x80123456), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(CCore::getClrRef(0x00FFFFFF), RGB(0xFF, 0xFF, 0xFF));
    for (COLORREF each : {RGB(1, 2, 3), RGB(0xFE, 0x80, 0x01), RGB(0, 0xFF, 0)})
        EXPECT_EQ(CCore::getClrRef(CCore::getColor(each)), each);
}

TEST(DecimalTextTest, CoversTheWholeIntRange) {
    EXPECT_EQ(CCore::getStrInt(0), "0");
    EXPECT_EQ(CCore::getStrInt(-7), "-7");
    EXPECT_EQ(CCore::getStrInt(INT_MAX), "2147483647");
    EXPECT_EQ(CCore::getStrInt(INT_MIN), "-2147483648");
}

TEST(WarningBoxTest, IsOwnedByTheWindowGivenAndCarriesTheText) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ModalBoxAnswerer answerer;
    CCore().msgboxWarning(owner, "宽度必须在 100 到 8000 之间");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].caption, "Placard");
    EXPECT_EQ(answerer.boxes()[0].text, "宽度必须在 100 到 8000 之间");
    EXPECT_EQ(answerer.boxes()[0].owner, owner);
    DestroyWindow(owner);
}

}  // namespace
