// The store's text form on its own: escaping, the strict number readers, the line rules.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/StoreFormat.h"

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
        const auto entries = ParseStoreText(FormatStoreText({{key, "v"}}));
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].key, key);
        EXPECT_EQ(entries[0].value, "v");
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
    for (const char* bad : {"", "-", "+5", " 5", "5 ", "5x", "0x10", "2147483648", "-2147483649",
                            "99999999999999999999", "1e3"}) {
        EXPECT_FALSE(ParseStoreInt(bad, value)) << bad;
    }
}

TEST(StoreFormatTest, FlagsAndColoursParseOnlyInTheirOwnForm) {
    bool flag = false;
    EXPECT_TRUE(ParseStoreFlag(FormatStoreFlag(true), flag) && flag);
    EXPECT_TRUE(ParseStoreFlag(FormatStoreFlag(false), flag) && !flag);
    for (const char* bad : {"", "2", "-1", "true", "01", " 1"}) EXPECT_FALSE(ParseStoreFlag(bad, flag)) << bad;

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

TEST(StoreFormatTest, LinesThatAreNotEntriesAreSkippedAndTheLastDuplicateWins) {
    const auto entries = ParseStoreText(
        "; a=1\r\n# a=2\r\n[a=3]\r\nno equals sign\r\n\r\na=4\nb= spaced = value \r\na=5\r\nc=cut off");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "a");
    EXPECT_EQ(entries[0].value, "5");
    EXPECT_EQ(entries[1].key, "b");
    EXPECT_EQ(entries[1].value, " spaced = value ");
}

TEST(StoreFormatTest, AStoreOfManyLinesReadsWhole) {
    // 200,000 lines without '=' and 200,000 distinct keys, each some 4 MB: a search for '='
    // beyond its line or a key looked up entry by entry made such a store read for minutes
    // (and this test run into its time limit).
    std::string noEquals;
    for (int i = 0; i < 200000; ++i) noEquals += "no equals sign here\r\n";
    std::string manyKeys;
    for (int i = 0; i < 200000; ++i) manyKeys += "key number " + std::to_string(i) + "=" + std::to_string(i) + "\r\n";

    const auto none = ParseStoreText(noEquals + "last=1\r\n");
    const auto all = ParseStoreText(manyKeys + "key number 7=again\r\n");

    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].key, "last");
    ASSERT_EQ(all.size(), 200000u);
    EXPECT_EQ(all[7].value, "again") << "a repeated key keeps its first place and takes the last value";
    EXPECT_EQ(all[199999].key, "key number 199999");
    EXPECT_EQ(all[199999].value, "199999");
}

}  // namespace
