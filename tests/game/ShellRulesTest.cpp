#include "game/ShellRules.h"

#include <gtest/gtest.h>

TEST(WindowGeometry, ScaleViewAndFallbackSize) {
    const std::pair<sf::Vector2u, sf::Vector2f> cases[] = {
        {{1920, 1080}, {640, 360}},
        {{2560, 1600}, {640, 400}},
        {{1000, 719}, {1000, 719}},
        {{1366, 768}, {683, 384}},
    };
    for (const auto& [window, view] : cases)
        EXPECT_EQ(viewSize(window, pixelScale(window.y)), view) << window.x << "x" << window.y;
    EXPECT_EQ(pixelScale(0), 1);
    EXPECT_EQ(windowedSize(1024, 0), sf::Vector2u(1280, 720));
    EXPECT_EQ(windowedSize(-800, 600), sf::Vector2u(1280, 720));
    EXPECT_EQ(windowedSize(800, 600), sf::Vector2u(800, 600));
}

TEST(FrameTime, LongFramesKeepThePreviousTime) {
    EXPECT_FLOAT_EQ(nextFrameTime(0.02f, 249), 0.249f);
    EXPECT_FLOAT_EQ(nextFrameTime(0.02f, 250), 0.02f);
    EXPECT_FLOAT_EQ(nextFrameTime(0.f, 5000), 0.f); // first frame after a slow start
}
