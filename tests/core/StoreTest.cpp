// The settings store as the program uses it: saved by one run, read by the next, in a
// folder of the test's own.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>

#include "core/Core.h"
#include "store/StoreDocument.h"
#include "support/HeldFile.h"
#include "support/TempFolder.h"

namespace {

class StoreTest : public ::testing::Test {
protected:
    // A run of the program from the test's folder, or from `where`: opens the store, as the
    // settings dialog does first.
    std::unique_ptr<CCore> Run() const { return Run(folder.path()); }
    static std::unique_ptr<CCore> Run(const std::string& where) {
        auto core = std::make_unique<CCore>(where);
        core->autoFileConfig();
        return core;
    }
    std::string StoreText() const { return folder.read("Placard.ini"); }
    std::string StoredValue(const std::string& key) const {
        const StoreDocument document(StoreText());
        const std::string* value = document.find(key);
        return value != nullptr ? *value : "<none>";
    }

    TempFolder folder;
};

const std::map<std::string, std::string>& HardStrings() {
    static const std::map<std::string, std::string> strings = {
        {"blanks", "  leading and trailing  "},
        {"only blanks", "   "},
        {"empty", ""},
        {"quotes", "\"quoted\" and 'single'"},
        {"syntax", "a=b; c [d] #e = f"},
        {"starts like a comment", ";not a comment"},
        {"line breaks", "one\r\ntwo\nthree\rfour\r\n"},
        {"backslashes", "C:\\data\\x41\\n\\\\"},
        {"nul", std::string("before\0after", 12)},
        {"controls", "\x01\x1B\x7F\t"},
        {"chinese", "欢迎光临 数字标牌"},
        {"not cp936", "\x80\xFF\xA1\x20\xFE"},
        {"looks like a colour", "0xFF000000"},
    };
    return strings;
}

TEST_F(StoreTest, EveryKindOfValueRoundTripsExactly) {
    const std::vector<int> ints = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    const std::vector<Gdiplus::ARGB> colours = {0x00000000, 0xFFFFFFFF, 0x00FFFFFF, 0xFF000000, 0x80ABCDEF, 0x01020304};
    {
        auto core = Run();
        for (size_t i = 0; i < ints.size(); ++i) core->saveConfigInt("int" + std::to_string(i), ints[i]);
        for (size_t i = 0; i < colours.size(); ++i) core->saveConfigClr("clr" + std::to_string(i), colours[i]);
        core->saveConfigB("yes", true);
        core->saveConfigB("no", false);
        for (const auto& [key, value] : HardStrings()) core->saveConfigStr(key, value);
        // The run that saved reads its own values back too.
        EXPECT_EQ(core->getConfigStr("nul"), HardStrings().at("nul"));
        EXPECT_EQ(core->getConfigInt("int0"), INT_MIN);
    }
    auto next = Run();
    for (size_t i = 0; i < ints.size(); ++i) EXPECT_EQ(next->getConfigInt("int" + std::to_string(i)), ints[i]);
    for (size_t i = 0; i < colours.size(); ++i)
        EXPECT_EQ(next->getConfigClr("clr" + std::to_string(i)), colours[i]) << i;
    EXPECT_TRUE(next->getConfigB("yes"));
    EXPECT_FALSE(next->getConfigB("no"));
    for (const auto& [key, value] : HardStrings()) EXPECT_EQ(next->getConfigStr(key), value) << key;
}

TEST_F(StoreTest, OddKeysStayApartFromTheOthers) {
    const std::vector<std::string> keys = {"a=b", ";semi", "#hash", "[section]", "line\r\nbreak", " spaced ",
                                           "键", "width\r\nheight=1"};
    {
        auto core = Run();
        core->saveConfigInt("height", 321);
        for (size_t i = 0; i < keys.size(); ++i) core->saveConfigInt(keys[i], static_cast<int>(i) + 1);
    }
    auto next = Run();
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(next->getConfigInt(keys[i]), static_cast<int>(i) + 1) << keys[i];
    EXPECT_EQ(next->getConfigInt("height"), 321);
    EXPECT_EQ(next->getConfigInt("a"), 0);
}

TEST_F(StoreTest, TheFirstRunStartsFromTheEmbeddedDefaults) {
    ASSERT_FALSE(folder.exists("Placard.ini"));
    auto core = Run();
    EXPECT_TRUE(core->getConfigB("on"));
    EXPECT_EQ(core->getConfigInt("width"), 800);
    EXPECT_EQ(core->getConfigInt("height"), 600);
    EXPECT_EQ(core->getConfigClr("clrbg"), 0xFF000000u);
    EXPECT_EQ(core->getConfigClr("clrfont"), 0xFFFFFFFFu);
    EXPECT_EQ(core->getConfigInt("interval"), 5);
    // The welcome line is kept as UTF-8 in the resources and read as ANSI text.
    EXPECT_NE(core->getConfigStr("dispbtm").find("欢迎"), std::string::npos) << core->getConfigStr("dispbtm");
    EXPECT_FALSE(folder.exists("Placard.ini")) << "reading writes nothing";

    core->saveConfigInt("width", 1024);
    EXPECT_EQ(StoredValue("width"), "1024");
    EXPECT_EQ(StoredValue("height"), "600") << "the first save keeps the defaults with it";
    EXPECT_EQ(StoredValue("clrfont"), "0xFFFFFFFF");
}

TEST_F(StoreTest, AKeyInNeitherTheStoreNorTheDefaultsReadsAsZero) {
    folder.write("Placard.ini", "width=1\r\n");
    auto core = Run();
    EXPECT_EQ(core->getConfigInt("width"), 1);
    EXPECT_EQ(core->getConfigInt("height"), 600) << "missing from the file: the default";
    EXPECT_EQ(core->getConfigInt("nothing"), 0);
    EXPECT_FALSE(core->getConfigB("nothing"));
    EXPECT_EQ(core->getConfigStr("nothing"), "");
    EXPECT_EQ(core->getConfigClr("nothing"), 0xFF000000u);
}

TEST_F(StoreTest, SavesChangeOnlyTheirOwnLinesAndKeepEveryByteOfTheOthers) {
    const std::string handWritten = "\xEF\xBB\xBF; written by hand\nfuture=keep me \\q\nwidth = 5\n"
                                    "garbled\x01line\r\n\r\nwidth\\=broken\nheight=1";
    folder.write("Placard.ini", handWritten);
    {
        auto core = Run();
        EXPECT_EQ(core->getConfigInt("width"), 5);
        EXPECT_EQ(core->getConfigInt("height"), 1) << "a last line needs no break";
        core->saveConfigInt("height", 777);
    }
    EXPECT_EQ(StoreText(), "\xEF\xBB\xBF; written by hand\nfuture=keep me \\q\nwidth = 5\n"
                           "garbled\x01line\r\n\r\nwidth\\=broken\nheight=777");
    Run()->saveConfigInt("new", 1);
    EXPECT_EQ(StoreText().substr(handWritten.size() + 2), "\r\nnew=1\r\n") << "added after a break of its own";

    auto running = Run();
    const std::string editedMeanwhile = StoreText() + "restoreplace=1\r\n";  // in Notepad, while it runs
    folder.write("Placard.ini", editedMeanwhile);
    running->saveConfigInt("new", 2);
    EXPECT_EQ(StoreText(), editedMeanwhile.substr(0, editedMeanwhile.find("new=1")) + "new=2\r\nrestoreplace=1\r\n");
}

// A crash between writing the new store and putting it in place leaves a whole old store and
// the new one beside it, half written if the crash came sooner: the next run reads the old one,
// and its first save puts a whole store in place over what was left.
TEST_F(StoreTest, WhatACrashLeftBesideTheStoreIsNeitherReadNorLeftBehind) {
    {
        auto core = Run();
        core->saveConfigInt("width", 1111);
        core->saveConfigStr("dispbtm", "old line");
    }
    folder.write("Placard.ini.tmp", "width=2222\r\ndispb");

    EXPECT_EQ(Run()->getConfigInt("width"), 1111);
    Run()->saveConfigInt("width", 3333);
    EXPECT_EQ(Run()->getConfigInt("width"), 3333);
    EXPECT_EQ(Run()->getConfigStr("dispbtm"), "old line");
    EXPECT_FALSE(folder.exists("Placard.ini.tmp"));
}

TEST_F(StoreTest, RandomBytesReadAsNeverSavedAndASaveRepairsTheFile) {
    std::string noise;
    uint32_t state = 12345;
    for (int i = 0; i < 8192; ++i) {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>(state >> 24);
    }
    folder.write("Placard.ini", noise);
    {
        auto core = Run();
        EXPECT_EQ(core->getConfigInt("width"), 800);
        EXPECT_EQ(core->getConfigClr("clrfont"), 0xFFFFFFFFu);
        EXPECT_EQ(core->getConfigInt("nothing"), 0);
        core->saveConfigInt("interval", 9);
    }
    auto next = Run();
    EXPECT_EQ(next->getConfigInt("interval"), 9);
    EXPECT_EQ(next->getConfigInt("height"), 600);
}

TEST_F(StoreTest, ValuesThatDoNotParseCountAsNeverSaved) {
    folder.write("Placard.ini",
                 "width=2147483648\r\nheight=-2147483649\r\ninterval= 5\r\non=2\r\nclrbg=0xFF12345\r\n"
                 "clrfont=FFFFFFFF\r\ndispbtm=broken \\escape\r\nlow=-2147483648\r\n");
    auto core = Run();
    EXPECT_EQ(core->getConfigInt("width"), 800);
    EXPECT_EQ(core->getConfigInt("height"), 600);
    EXPECT_EQ(core->getConfigInt("interval"), 5);
    EXPECT_TRUE(core->getConfigB("on"));
    EXPECT_EQ(core->getConfigClr("clrbg"), 0xFF000000u);
    EXPECT_EQ(core->getConfigClr("clrfont"), 0xFFFFFFFFu);
    EXPECT_NE(core->getConfigStr("dispbtm").find("欢迎"), std::string::npos);
    EXPECT_EQ(core->getConfigInt("low"), INT_MIN);
    EXPECT_EQ(core->getConfigInt("dispbtm"), 0) << "a string is not an int";
}

TEST_F(StoreTest, TruncatedLongAndRepeatedLinesReadSafely) {
    const std::string longValue(200000, 'x');
    folder.write("Placard.ini", std::string(1 << 20, '#') + "\r\n" + std::string(300000, 'j') + "\r\nwidth=1\r\n" +
                                    "width=2\nlong=" + longValue + "\r\nheight=77");
    auto core = Run();
    EXPECT_EQ(core->getConfigInt("width"), 2) << "the last of two lines wins";
    EXPECT_EQ(core->getConfigStr("long"), longValue);
    EXPECT_EQ(core->getConfigInt("height"), 77) << "a last line without its break, as Notepad leaves it";
}

TEST_F(StoreTest, AStoreThatCannotBeWrittenIsLeftAlone) {
    // A folder that is not there: nothing is made, nothing fails.
    {
        auto core = Run(folder.path() + "missing");
        core->saveConfigInt("width", 4321);
        EXPECT_EQ(core->getConfigInt("width"), 4321) << "the run goes on with what it saved";
    }
    EXPECT_FALSE(folder.exists("missing"));

    // A folder where the store file should be.
    folder.makeFolder("Placard.ini");
    Run()->saveConfigInt("width", 4321);
    EXPECT_TRUE(GetFileAttributesA(folder.file("Placard.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(Run()->getConfigInt("width"), 800);
    EXPECT_FALSE(folder.exists("Placard.ini.tmp"));
}

TEST_F(StoreTest, AppPathIsTheFolderGivenEndingInASeparatorElseTheProgramsOwn) {
    const CCore given("C:\\somewhere");
    EXPECT_EQ(given.getAppPath(), "C:\\somewhere\\");
    EXPECT_EQ(given.appPathForDisplay(), L"C:\\somewhere\\") << "shown as given";
    EXPECT_TRUE(given.appPathUsable());
    EXPECT_EQ(CCore("C:\\elsewhere\\").getAppPath(), "C:\\elsewhere\\");

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string own = CCore().getAppPath();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '\\');
    EXPECT_EQ(std::string(module).rfind(own, 0), 0u) << module;
    EXPECT_EQ(std::string(module).find('\\', own.size()), std::string::npos) << "the module's own folder";
}

TEST_F(StoreTest, AStoreHeldOpenByAnotherProgramIsWaitedForThenNeverReplacedUnread) {
    const std::string handWritten = "; mine\r\nwidth=1234\r\ninterval=9\r\n";
    folder.write("Placard.ini", handWritten);
    {
        HeldFile briefly(folder.file("Placard.ini"));
        ASSERT_TRUE(briefly.held());
        briefly.releaseAfter(300);
        EXPECT_EQ(Run()->getConfigInt("width"), 1234) << "held for a moment: read once it is free";
    }

    HeldFile throughout(folder.file("Placard.ini"));
    auto core = Run();
    EXPECT_EQ(core->getConfigInt("width"), 800) << "never read: the defaults for this run";
    throughout.release();
    // Meanwhile the operator's other tool wrote the file.
    const std::string rewritten = "; mine\r\nwidth=4321\r\ninterval=9\r\nheight=500";
    folder.write("Placard.ini", rewritten);
    {
        const CCore::SaveBatch oneWrite(*core);
        core->saveConfigInt("width", 800);  // what this run read: no change of the operator's
        core->saveConfigInt("height", 600);
    }
    EXPECT_EQ(StoreText(), rewritten) << "unchanged values never replace what was not read";
    {
        const CCore::SaveBatch oneWrite(*core);
        core->saveConfigInt("width", 800);
        core->saveConfigInt("interval", 3);
    }
    EXPECT_EQ(StoreText(), "; mine\r\nwidth=4321\r\ninterval=3\r\nheight=500") << "the change, into the file as it is";
}

TEST_F(StoreTest, TheSavesOfABatchReachTheFileTogetherAtItsEnd) {
    auto core = Run();
    core->saveConfigInt("width", 999);
    const std::string before = StoreText();
    {
        const CCore::SaveBatch oneWrite(*core);
        core->saveConfigInt("width", 1000);
        core->saveConfigInt("height", 1001);
        EXPECT_EQ(StoreText(), before) << "nothing written while the batch lasts";
        core->saveConfigStr("dispbtm", "batch");
    }
    auto next = Run();
    EXPECT_EQ(next->getConfigInt("width"), 1000);
    EXPECT_EQ(next->getConfigInt("height"), 1001);
    EXPECT_EQ(next->getConfigStr("dispbtm"), "batch");
}

}  // namespace
