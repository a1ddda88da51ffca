#include "platform/Config.h"

#include <gtest/gtest.h>

TEST(Config, AbsentKeyReadsEmpty) {
    Config config;
    EXPECT_EQ(config.get("palette"), "");
    EXPECT_EQ(config.getInt("palette"), 0);
}
