#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/IntField.h"

namespace {

TEST(IntFieldTest, FollowsAtoiForSignsBlanksAndTrailingText) {
    EXPECT_EQ(ParseIntField("800"), 800);
    EXPECT_EQ(ParseIntField("  \t\r\n\v\f42"), 42);
    EXPECT_EQ(ParseIntField("+17"), 17);
    EXPECT_EQ(ParseIntField("-5"), -5);
    EXPECT_EQ(ParseIntField("12abc"), 12);
    EXPECT_EQ(ParseIntField("1 2"), 1);
    EXPECT_EQ(ParseIntField("007"), 7);
}

TEST(IntFieldTest, TextWithoutLeadingDigitsReadsAsZero) {
    EXPECT_EQ(ParseIntField(""), 0);
    EXPECT_EQ(ParseIntField("abc"), 0);
    EXPECT_EQ(ParseIntField("-"), 0);
    EXPECT_EQ(ParseIntField("+-3"), 0);
    EXPECT_EQ(ParseIntField(" - 3"), 0);
    EXPECT_EQ(ParseIntField("x100"), 0);
    // A full-width digit is not a decimal digit.
    EXPECT_EQ(ParseIntField("\xA3\xB1"), 0);
}

TEST(IntFieldTest, ReachesBothEndsOfTheRangeAndSaturatesBeyondThem) {
    EXPECT_EQ(ParseIntField("2147483647"), INT_MAX);
    EXPECT_EQ(ParseIntField("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseIntField("2147483648"), INT_MAX);
    EXPECT_EQ(ParseIntField("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseIntField(std::string(30, '9')), INT_MAX);
    EXPECT_EQ(ParseIntField("-" + std::string(30, '9')), INT_MIN);
    EXPECT_EQ(ParseIntField("000000000000000000000000000123"), 123);
}

}  // namespace
