#include "game/ShellRules.h"

#include <gtest/gtest.h>

TEST(WindowGeometry, ScaleAndViewFromWindowSize) {
    struct Case {
        unsigned width, height;
        int scale;
        float viewWidth, viewHeight;
    };
    const Case cases[] = {
        {1280, 720, 2, 640, 360},  {1920, 1080, 3, 640, 360}, {2560, 1600, 4, 640, 400},
        {800, 600, 1, 800, 600},   {1000, 719, 1, 1000, 719}, {1366, 768, 2, 683, 384},
        {3840, 2160, 6, 640, 360}, {100, 0, 1, 100, 0},
    };
    for (const Case& c : cases) {
        const int scale = pixelScale(c.height);
        EXPECT_EQ(scale, c.scale) << c.width << "x" << c.height;
        EXPECT_EQ(viewSize({c.width, c.height}, scale), sf::Vector2f(c.viewWidth, c.viewHeight))
            << c.width << "x" << c.height;
    }
}

TEST(WindowGeometry, UnusableSettingsGiveTheFallbackSize) {
    const sf::Vector2u fallback(1280, 720);
    EXPECT_EQ(windowedSize(0, 0), fallback);
    EXPECT_EQ(windowedSize(1024, 0), fallback);
    EXPECT_EQ(windowedSize(0, 768), fallback);
    EXPECT_EQ(windowedSize(-800, 600), fallback);
    EXPECT_EQ(windowedSize(800, 600), sf::Vector2u(800, 600));
}

TEST(FrameTime, LongFramesKeepThePreviousTime) {
    struct Case {
        float previous;
        long long elapsedMs;
        float expected;
    };
    const Case cases[] = {
        {0.f, 16, 0.016f},    {0.016f, 0, 0.f}, {0.02f, 249, 0.249f}, {0.02f, 250, 0.02f},
        {0.03f, 5000, 0.03f}, {0.f, 300, 0.f}, // first frame after a slow start
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(nextFrameTime(c.previous, c.elapsedMs), c.expected) << c.elapsedMs;
}

TEST(ScreenshotName, DayMonthYearOnATwelveHourClock) {
    const auto at = [](int day, int month, int year, int hour, int minute, int second) {
        std::tm t{};
        t.tm_mday = day;
        t.tm_mon = month - 1;
        t.tm_year = year - 1900;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        return screenshotFileName(t);
    };
    EXPECT_EQ(at(5, 3, 2024, 14, 7, 9), "05-03-2024 02-07-09.png");
    EXPECT_EQ(at(5, 3, 2024, 2, 7, 9), at(5, 3, 2024, 14, 7, 9)); // twelve hours apart collide
    EXPECT_EQ(at(31, 12, 1999, 0, 0, 0), "31-12-1999 12-00-00.png");
    EXPECT_EQ(at(1, 1, 2030, 12, 59, 59), "01-01-2030 12-59-59.png");
}
