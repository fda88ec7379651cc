#include <gtest/gtest.h>

#include "app/SharedState.h"

namespace {

// Nothing in this test program has touched the record: it holds its values from before entry.
TEST(SharedStateTest, BeforeTheDialogReadsTheStoreColoursAreOpaqueBlackAndNumbersZero) {
    EXPECT_EQ(SharedState::clrbg, 0xFF000000u);
    EXPECT_EQ(SharedState::clrfont, 0xFF000000u);
    EXPECT_EQ(SharedState::width, 0);
    EXPECT_EQ(SharedState::height, 0);
    EXPECT_EQ(SharedState::interval, 0);
    EXPECT_EQ(SharedState::on, 0);
    EXPECT_EQ(SharedState::placed, 0);
    EXPECT_EQ(SharedState::playlistCount, 0);
    EXPECT_EQ(SharedState::screenWidth, 0);
    EXPECT_TRUE(SharedState::dispbtm.empty());
    EXPECT_TRUE(SharedState::appPath.empty());
    EXPECT_EQ(SharedState::core, nullptr);
    EXPECT_EQ(SharedState::outputWnd, nullptr);
    EXPECT_EQ(SharedState::playlist, nullptr);
}

}  // namespace
