#include <gtest/gtest.h>

#include <climits>

#include "base/SaturatedInt.h"

namespace {

TEST(SaturatedIntTest, KeepsWhatFitsAndStopsAtTheEndsOfTheIntRange) {
    EXPECT_EQ(SaturatedInt(2143LL - 1343), 800);
    EXPECT_EQ(SaturatedInt(40LL - 100), -60);
    EXPECT_EQ(SaturatedInt(static_cast<long long>(INT_MAX) - INT_MIN), INT_MAX);
    EXPECT_EQ(SaturatedInt(static_cast<long long>(INT_MIN) - INT_MAX), INT_MIN);
    EXPECT_EQ(SaturatedInt(static_cast<long long>(INT_MAX) + 1), INT_MAX);
    EXPECT_EQ(SaturatedInt(static_cast<long long>(INT_MIN)), INT_MIN);
}

}  // namespace
