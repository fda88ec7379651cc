// The store's text form on its own: escaping, the strict number readers, the line rules and
// what a hand edit in Notepad leaves.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "store/StoreDocument.h"
#include "store/StoreFormat.h"

namespace {

std::string EveryByte() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes + bytes;  // each byte also after each other byte once
}

TEST(StoreFormatTest, StringsOfEveryByteRoundTripOnOneLine) {
    const std::string text = EveryByte();
    const std::string encoded = EncodeStoreString(text);
    EXPECT_EQ(encoded.find('\r'), std::string::npos);
    EXPECT_EQ(encoded.find('\n'), std::string::npos);
    EXPECT_EQ(encoded.find('\0'), std::string::npos);
    std::string decoded;
    ASSERT_TRUE(DecodeStoreString(encoded, decoded));
    EXPECT_EQ(decoded, text);
}

TEST(StoreFormatTest, KeysOfEveryByteRoundTripThroughALine) {
    for (const std::string& key : {EveryByte(), std::string(";k"), std::string("#k"), std::string("[k]"),
                                  std::string("a=b"), std::string(" k ")}) {
        StoreDocument written;
        written.set(key, "v");
        const StoreDocument read(written.text());
        ASSERT_NE(read.find(key), nullptr) << key;
        EXPECT_EQ(*read.find(key), "v");
    }
}

TEST(StoreFormatTest, BrokenEscapesDoNotDecode) {
    std::string out = "untouched";
    for (const char* bad : {"\\", "a\\", "\\q", "\\x", "\\x4", "\\xG0", "\\x0G", "\\R"}) {
        EXPECT_FALSE(DecodeStoreString(bad, out)) << bad;
    }
    EXPECT_EQ(out, "untouched");
}

TEST(StoreFormatTest, IntsParseOnlyWhenWholeAndInRange) {
    int value = 0;
    ASSERT_TRUE(ParseStoreInt(FormatStoreInt(INT_MIN), value));
    EXPECT_EQ(value, INT_MIN);
    ASSERT_TRUE(ParseStoreInt(FormatStoreInt(INT_MAX), value));
    EXPECT_EQ(value, INT_MAX);
    ASSERT_TRUE(ParseStoreInt("-0", value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(ParseStoreInt(" \t-42 ", value)) << "blanks around a number are a hand edit's";
    EXPECT_EQ(value, -42);
    for (const char* bad : {"", " ", "-", "+5", "- 5", "5 5", "5x", "0x10", "2147483648", "-2147483649",
                            "99999999999999999999", "1e3"}) {
        EXPECT_FALSE(ParseStoreInt(bad, value)) << bad;
    }
}

TEST(StoreFormatTest, FlagsAndColoursParseOnlyInTheirOwnForm) {
    bool flag = false;
    EXPECT_TRUE(ParseStoreFlag(FormatStoreFlag(true), flag) && flag);
    EXPECT_TRUE(ParseStoreFlag(FormatStoreFlag(false), flag) && !flag);
    EXPECT_TRUE(ParseStoreFlag(" 1 ", flag) && flag);
    for (const char* bad : {"", "2", "-1", "true", "01", "1 0"}) EXPECT_FALSE(ParseStoreFlag(bad, flag)) << bad;

    Gdiplus::ARGB colour = 0;
    for (Gdiplus::ARGB each : {0x00000000u, 0xFFFFFFFFu, 0x80ABCDEFu, 0x0102A3B4u}) {
        ASSERT_TRUE(ParseStoreColour(FormatStoreColour(each), colour));
        EXPECT_EQ(colour, each);
    }
    ASSERT_TRUE(ParseStoreColour("0xff00aa11", colour));
    EXPECT_EQ(colour, 0xFF00AA11u);
    for (const char* bad : {"", "0x", "0xFF00000", "0xFF0000000", "FFFFFFFF", "0xGG000000", "4278190080"}) {
        EXPECT_FALSE(ParseStoreColour(bad, colour)) << bad;
    }
}

struct HandEdit {
    const char* what;
    std::string text;
    std::vector<std::pair<std::string, const char*>> values;  // null: no entry
};

TEST(StoreFormatTest, HandEditsReadAsTheOperatorMeantAndGarbledLinesAsNothing) {
    const HandEdit edits[] = {
        {"last line without a break", "a=1\r\nwidth=77", {{"a", "1"}, {"width", "77"}}},
        {"blanks around the equals sign", "width = 800\r\n  dispbtm\t= hello world \r\n",
         {{"width", "800"}, {"dispbtm", "hello world "}}},
        {"a blank after the sign only is the value's", "b= spaced = value \r\n", {{"b", " spaced = value "}}},
        {"comments, sections, no sign, empty lines", "; a=1\r\n# a=2\r\n  ;a=3\r\n[a=4]\r\nno sign\r\n\r\n",
         {{"a", nullptr}, {"no sign", nullptr}}},
        {"the last of repeated keys wins", "a=4\na=5\r\n", {{"a", "5"}}},
        {"a key with a broken escape", "k\\q=1\r\nk=2\r\n", {{"k\\q", nullptr}, {"k", "2"}}},
        {"lone CR is no line break", "a=1\rb=2\r\n", {{"a", "1\rb=2"}, {"b", nullptr}}},
    };
    for (const HandEdit& edit : edits) {
        const StoreDocument document(edit.text);
        for (const auto& [key, value] : edit.values) {
            const std::string* found = document.find(key);
            if (value == nullptr) {
                EXPECT_EQ(found, nullptr) << edit.what << ": " << key;
            } else {
                ASSERT_NE(found, nullptr) << edit.what << ": " << key;
                EXPECT_EQ(*found, value) << edit.what;
            }
        }
        EXPECT_EQ(document.text(), edit.text) << edit.what << ": read and written back unchanged";
    }
}

TEST(StoreFormatTest, ASetChangesOnlyItsKeysLineAndKeepsEveryOtherByte) {
    const std::string handWritten = "\xEF\xBB\xBF; mine\nwidth = 640\ngarbled \\x line\r\nother=\x01keep\nheight=5";
    StoreDocument document(handWritten);
    document.set("width", "800");
    document.set("height", "600");
    document.set("interval", "5");
    EXPECT_EQ(document.text(),
              "\xEF\xBB\xBF; mine\nwidth=800\ngarbled \\x line\r\nother=\x01keep\nheight=600\r\ninterval=5\r\n");
}

TEST(StoreFormatTest, AStoreOfManyLinesReadsWhole) {
    // 200,000 lines without '=' and 200,000 distinct keys, each some 4 MB: a search for '='
    // beyond its line or a key looked up entry by entry made such a store read for minutes
    // (and this test run into its time limit).
    std::string noEquals;
    for (int i = 0; i < 200000; ++i) noEquals += "no equals sign here\r\n";
    std::string manyKeys;
    for (int i = 0; i < 200000; ++i) manyKeys += "key number " + std::to_string(i) + "=" + std::to_string(i) + "\r\n";

    const StoreDocument none(noEquals + "last=1\r\n");
    StoreDocument all(manyKeys + "key number 7=again\r\n");

    ASSERT_NE(none.find("last"), nullptr);
    EXPECT_EQ(*none.find("last"), "1");
    ASSERT_NE(all.find("key number 7"), nullptr);
    EXPECT_EQ(*all.find("key number 7"), "again") << "the last of a repeated key";
    ASSERT_NE(all.find("key number 199999"), nullptr);
    EXPECT_EQ(*all.find("key number 199999"), "199999");
    for (int i = 0; i < 200000; i += 1000) all.set("key number " + std::to_string(i), "x");
    const StoreDocument reread(all.text());
    ASSERT_NE(reread.find("key number 199000"), nullptr);
    EXPECT_EQ(*reread.find("key number 199000"), "x");
}

}  // namespace
