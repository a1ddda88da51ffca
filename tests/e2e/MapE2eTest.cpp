// The map played without the mouse's buttons where keys will do: zoomed by the wheel,
// a window closed by Escape, a road built with the space bar, and the window resized.
#include "GameSession.h"
#include "Player.h"
#include "platform/StringUtil.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Point = sf::Vector2i;

// The size of what is drawn of the map, in window pixels: the box of every pixel other
// than paper in the part of the window the HUD leaves free at 1280 x 720.
Point drawnSize(const sf::Image& shot) {
    const Point from(80, 60), to(1200, 600);
    const sf::Color paper = shot.getPixel(unsigned(from.x), unsigned(from.y));
    Point low = to, high = from;
    for (int y = from.y; y < to.y; ++y)
        for (int x = from.x; x < to.x; ++x)
            if (shot.getPixel(unsigned(x), unsigned(y)) != paper) {
                low = {std::min(low.x, x), std::min(low.y, y)};
                high = {std::max(high.x, x), std::max(high.y, y)};
            }
    return high - low;
}

// Whether a rectangle of window pixels at `inA` of one shot looks as at `inB` of another.
bool samePixels(const sf::Image& a, Point inA, const sf::Image& b, Point inB, Point size) {
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x)
            if (a.getPixel(unsigned(inA.x + x), unsigned(inA.y + y)) !=
                b.getPixel(unsigned(inB.x + x), unsigned(inB.y + y)))
                return false;
    return true;
}

// The rotate-left button's face: UI (W - 30, H / 2 - 25), 23 square, inset by 4.
Point rotateFace(Point window, int scale) {
    const Point ui = window / scale;
    return Point(ui.x - 26, ui.y / 2 - 21) * scale;
}

} // namespace

TEST(MapE2e, ZoomKeysAndResizeReachTheMap) {
    GameSession session("map_zoom_keys_resize");
    ASSERT_TRUE(session.start()) << session.output();
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();
    const Point ui = session.ui();

    // The pointer at the middle in both pictures, inside what is drawn.
    session.point(ui / 2);
    const sf::Image plain = session.screenshot("default");
    session.scroll(ui / 2, 2);
    const sf::Image zoomed = session.screenshot("zoomed");
    const Point before = drawnSize(plain), after = drawnSize(zoomed);
    EXPECT_NEAR(after.x, 2 * before.x, before.x / 10) << before.x;
    EXPECT_NEAR(after.y, 2 * before.y, before.y / 10) << before.y;

    // The tile south of the first road, twice as far from the middle as at the default.
    session.click(ui / 2 + Point(32, 16));
    const sf::Image opened = session.screenshot("tile-actions");
    EXPECT_EQ(session.countInOutput("clickedTile: 37, 38"), 1) << session.output();
    session.key("Escape");
    const sf::Image closed = session.screenshot("escaped");
    // The lower part of the tile-actions window, which lies over still map (scale 2).
    const Point strip = Point(ui.x / 2 - 60, 287) * 2, stripSize = Point(120, 25) * 2;
    EXPECT_FALSE(samePixels(opened, strip, zoomed, strip, stripSize));
    EXPECT_TRUE(samePixels(closed, strip, zoomed, strip, stripSize));

    session.key("minus");
    session.key("minus");
    ASSERT_TRUE(player.armRoadBesideFirstRoad()) << session.output();
    const std::string dayEnded = "Freeing building update thread!";
    const int days = session.countInOutput(dayEnded);
    for (int press = 0; press < 10; ++press)
        session.key("space");
    ASSERT_TRUE(session.waitForOutput(dayEnded, days + 1)) << session.output();
    // Built, nothing is armed any more: a click on the map picks a tile again.
    const int picks = session.countInOutput("clickedTile:");
    session.click(Point(ui.x - 140, 100));
    session.screenshot("road-built");
    EXPECT_EQ(session.countInOutput("clickedTile:"), picks + 1);

    session.resize({1600, 900});
    const sf::Image large = session.screenshot("resized");
    ASSERT_EQ(large.getSize(), sf::Vector2u(1600, 900));
    // The HUD keeps its size at the new edge: the rotate button looks as it did.
    EXPECT_TRUE(
        samePixels(plain, rotateFace({1280, 720}, 2), large, rotateFace({1600, 900}, 2), {30, 30}));
    EXPECT_EQ(session.closeWindow(), 0);
    const std::string settings = readFile(session.settingsPath());
    EXPECT_NE(settings.find("width=1600\nheight=900\n"), std::string::npos) << settings;
}
