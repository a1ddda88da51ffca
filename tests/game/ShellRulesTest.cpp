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
}

TEST(WindowGeometry, WindowedSizeIsKeptBetweenTheMinimumAndTheDesktop) {
    struct Case {
        int width, height;
        sf::Vector2u desktop, expected;
    };
    const Case cases[] = {
        {1024, 0, {1920, 1080}, {1280, 720}}, // no usable size: the fallback
        {-800, 600, {1920, 1080}, {1280, 720}},
        {800, 600, {1920, 1080}, {800, 600}},
        {99999, 99999, {1920, 1080}, {1920, 1080}},
        {1, 1, {1920, 1080}, {640, 360}},
        {1280, 72, {1920, 1080}, {1280, 360}},
        {0, 0, {1024, 600}, {1024, 600}}, // the fallback too must fit
        {800, 600, {600, 300}, {600, 300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windowedSize(c.width, c.height, c.desktop), c.expected)
            << c.width << "x" << c.height;
}

TEST(FrameTime, LongFramesKeepThePreviousTime) {
    EXPECT_FLOAT_EQ(nextFrameTime(0.02f, 249), 0.249f);
    EXPECT_FLOAT_EQ(nextFrameTime(0.02f, 250), 0.02f);
    EXPECT_FLOAT_EQ(nextFrameTime(0.f, 5000), 0.f); // first frame after a slow start
}
