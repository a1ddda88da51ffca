#include "game/MapRenderer.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "assets/SpriteManager.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "platform/Config.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A 5 x 5 map drawn into a picture whose pixel (0, 100) is world point (0, 0), with
// the generated art in palette 0.
class MapPicture : public ::testing::Test {
protected:
    static constexpr int kTop = -100;

    void SetUp() override {
        game.config = std::make_unique<Config>();
        game.spriteManager = std::make_unique<SpriteManager>(game);
        game.fontManager = std::make_unique<FontManager>(game);
        game.spriteManager->loadSprites();
        game.fontManager->loadFonts();
        game.simulation = std::make_unique<Simulation>();
        game.mapRenderer = std::make_unique<MapRenderer>(game);
        ASSERT_TRUE(picture.create(320, 200));
        picture.setView(sf::View(sf::FloatRect(0.f, kTop, 320.f, 200.f)));
        map().create(5, 5, true);
        for (Tile& tile : map().tiles) {
            tile.setKind(TileKind::Empty);
            tile.flags = kFlagVisible;
        }
    }

    Map& map() { return *game.simulation->map; }
    Tile& tile(int x, int y) { return *map().tileAt(x, y); }
    MapRenderer& renderer() { return *game.mapRenderer; }

    House& placeHouse(int x, int y) {
        tile(x, y).setKind(TileKind::House);
        tile(x, y).orientation = 1;
        return *tile(x, y).house();
    }

    sf::Image draw() {
        picture.clear(game.paperColor);
        renderer().draw(picture);
        picture.display();
        return picture.getTexture().copyToImage();
    }

    // Pixel of a world point.
    static sf::Color at(const sf::Image& image, int x, int y) {
        return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y - kTop));
    }

    // Whether two pictures agree over the box of tile (x, y) and the 60 rows above it.
    static bool sameAroundTile(const sf::Image& a, const sf::Image& b, int x, int y) {
        const int left = (x + y) * 16, top = (y - x) * 8;
        for (int py = top - 60; py < top + 17; ++py)
            for (int px = left; px < left + 34; ++px)
                if (at(a, px, py) != at(b, px, py))
                    return false;
        return true;
    }

    Game game;
    sf::RenderTexture picture;
};

} // namespace

TEST_F(MapPicture, NumberLabelOnlyWhereTheLayerShowsIt) {
    placeHouse(2, 2).residents = 2;
    BitmapFont& font = *game.fontManager->getFont(1);
    const sf::Vector2i size = font.measureString("2/3");
    ASSERT_GT(size.x, 0);
    // The label box's left column, inside its paper outline: ink all the way down.
    const int boxLeft = 64 + (32 - size.x) / 2 - 1;
    const int boxTop = 0 - size.y / 2 + 7;
    const auto labelShown = [&](const sf::Image& image) {
        for (int y = boxTop; y < boxTop + size.y - 1; ++y)
            if (at(image, boxLeft, y) != game.inkColor ||
                at(image, boxLeft - 1, y) != game.paperColor)
                return false;
        return true;
    };

    map().layer = 1;
    const sf::Image shown = draw();
    EXPECT_TRUE(labelShown(shown));
    EXPECT_EQ(renderer().overlayTiles, std::vector<Tile*>{&tile(2, 2)});
    // Inside the box, the text is the font's own drawing of it.
    picture.clear(game.inkColor);
    font.setColor(game.paperColor);
    font.drawString("2/3", sf::Vector2i(boxLeft + 1, boxTop + 1), picture);
    picture.display();
    const sf::Image text = picture.getTexture().copyToImage();
    for (int y = boxTop; y < boxTop + size.y - 1; ++y)
        for (int x = boxLeft; x < boxLeft + size.x + 1; ++x)
            ASSERT_EQ(at(shown, x, y), at(text, x, y)) << x << "," << y;

    renderer().showHousing = false;
    EXPECT_FALSE(labelShown(draw()));
    EXPECT_TRUE(renderer().overlayTiles.empty());
}

TEST_F(MapPicture, KeptPictureFollowsThePaper) {
    draw();
    // The same tiles on another paper: only the paper tells the kept picture is stale.
    game.paperColor = sf::Color(1, 2, 3);
    EXPECT_EQ(at(draw(), 0, -90), game.paperColor);
}

TEST_F(MapPicture, HiddenBuildingsLeaveMarkersAndNoOverlays) {
    placeHouse(2, 2);
    placeHouse(3, 3);
    tile(0, 0).setKind(TileKind::Park);
    map().layer = 2;
    const sf::Image shown = draw();
    renderer().showBuildings = false;
    map().setSelectedTile(&tile(2, 2));
    const sf::Image hidden = draw();
    EXPECT_TRUE(renderer().overlayTiles.empty());
    EXPECT_TRUE(sameAroundTile(shown, hidden, 0, 0)); // parks are not buildings

    // The hidden house is the semi-filled marker, the highlighted one its highlight.
    const auto markerAt = [&](const char* name, int left, int top) {
        const sf::Image marker = game.spriteManager->get(name)->getTexture()->copyToImage();
        for (unsigned y = 0; y < 16; ++y)
            for (unsigned x = 0; x < 32; ++x)
                if (marker.getPixel(x, y).a == 255 &&
                    at(hidden, left + int(x), top + int(y)) != marker.getPixel(x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(markerAt("tile_semi_filled", 96, 0));
    EXPECT_TRUE(markerAt("tile_highlighted", 64, 0));
    tile(2, 2).flags = tile(3, 3).flags = 0; // and nothing stands above either
    const sf::Image without = draw();
    for (int y = -50; y < 0; ++y)
        for (int x = 64; x < 130; ++x)
            ASSERT_EQ(at(hidden, x, y), at(without, x, y)) << x << "," << y;
}

TEST_F(MapPicture, WindowShowsWhatARenderTextureShows) {
    placeHouse(2, 2);
    tile(1, 3).setKind(TileKind::Park);
    map().layer = 1;
    sf::RenderWindow window(sf::VideoMode(320, 200), "map");
    sf::Texture shot;
    ASSERT_TRUE(shot.create(320, 200));
    // At one pixel to the unit and enlarged: a window takes its picture by another way,
    // turned over, and each is kept apart from a render texture's.
    for (const float zoom : {1.f, 2.f}) {
        const sf::View view(sf::FloatRect(0.f, kTop / zoom, 320.f / zoom, 200.f / zoom));
        picture.setView(view);
        const sf::Image expected = draw();
        window.setView(view);
        window.clear(sf::Color::Red);
        renderer().draw(window);
        shot.update(window);
        const sf::Image shown = shot.copyToImage();
        ASSERT_EQ(shown.getSize(), expected.getSize());
        EXPECT_EQ(std::memcmp(shown.getPixelsPtr(), expected.getPixelsPtr(), 320 * 200 * 4), 0)
            << zoom;
    }
}

TEST_F(MapPicture, PannedViewShowsTheMapMovedByWholeUnits) {
    placeHouse(2, 2);
    tile(1, 3).setKind(TileKind::Park);
    sf::RenderWindow window(sf::VideoMode(320, 200), "map");
    sf::Texture shot;
    ASSERT_TRUE(shot.create(320, 200));
    const auto shown = [&](sf::RenderTarget& target, sf::Vector2f topLeft, float zoom) {
        target.setView(sf::View(sf::FloatRect(topLeft, sf::Vector2f(320.f, 200.f) / zoom)));
        target.clear(sf::Color::Red);
        renderer().draw(target);
        if (&target == &picture) {
            picture.display();
            return picture.getTexture().copyToImage();
        }
        shot.update(window);
        return shot.copyToImage();
    };
    // Enlarged or not, into a render texture or a window: a few units on is a copy out
    // of the kept picture, further on a picture of another area.
    for (const int zoom : {1, 2})
        for (sf::RenderTarget* target : std::array<sf::RenderTarget*, 2>{&picture, &window}) {
            // Three quarters of a unit past the whole ones, as a shake leaves it, the view
            // shows what it shows from the next whole unit.
            const sf::Vector2f start(8.75f, static_cast<float>(kTop / zoom));
            const sf::Image before = shown(*target, start, static_cast<float>(zoom));
            ASSERT_EQ(std::memcmp(before.getPixelsPtr(),
                                  shown(*target, {9.f, start.y}, float(zoom)).getPixelsPtr(),
                                  320 * 200 * 4),
                      0);
            for (const sf::Vector2i by : {sf::Vector2i(3, 2), sf::Vector2i(45, 27)}) {
                const sf::Image after =
                    shown(*target, start + sf::Vector2f(by), static_cast<float>(zoom));
                for (int y = 0; y + by.y * zoom < 200; ++y)
                    for (int x = 0; x + by.x * zoom < 320; ++x)
                        ASSERT_EQ(
                            after.getPixel(unsigned(x), unsigned(y)),
                            before.getPixel(unsigned(x + by.x * zoom), unsigned(y + by.y * zoom)))
                            << zoom << " " << by.x << " at " << x << "," << y;
            }
        }
}

TEST_F(MapPicture, EachKeptLookComesBackAsItWasDrawn) {
    placeHouse(2, 2);
    picture.setView(sf::View(sf::FloatRect(0.f, kTop / 2.f, 160.f, 100.f)));
    const auto same = [](const sf::Image& a, const sf::Image& b) {
        return std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), 320 * 200 * 4) == 0;
    };
    // Two looks in turn, as the blink shows them, each enlarged.
    const sf::Image shown = draw();
    renderer().showBuildings = false;
    const sf::Image hidden = draw();
    ASSERT_FALSE(same(shown, hidden));
    for (const bool buildings : {true, false, true}) {
        renderer().showBuildings = buildings;
        EXPECT_TRUE(same(draw(), buildings ? shown : hidden)) << buildings;
    }
}

TEST_F(MapPicture, CullingKeepsTheTopsOfBuildingsStandingBelowTheView) {
    // The lowest tile's diamond starts 32 units below the view; the tallest art, in any
    // of its variants, still reaches into it.
    Tile& low = tile(0, 4);
    low.setKind(TileKind::Commercial);
    low.orientation = 1;
    map().recalculateVisibleTiles();
    picture.setView(sf::View(sf::FloatRect(0.f, -200.f, 320.f, 200.f)));
    for (int number = 0; number < 2 * kMaxBuildingVariants; ++number) {
        low.number = number;
        map().cullToView(0.f, -200.f, 320.f, 200.f);
        const sf::Image culled = draw();
        for (Tile& each : map().tiles)
            each.flags &= static_cast<std::uint8_t>(~kFlagOffScreen);
        const sf::Image whole = draw();
        EXPECT_EQ(std::memcmp(culled.getPixelsPtr(), whole.getPixelsPtr(), 320 * 200 * 4), 0)
            << number;
    }
}

TEST_F(MapPicture, PictureRedrawnWhereItChangedEqualsAWholeDraw) {
    sf::RenderWindow window(sf::VideoMode(320, 200), "map");
    sf::Texture shot;
    sf::RenderTexture whole;
    ASSERT_TRUE(shot.create(320, 200) && whole.create(320, 200));
    const auto shown = [&](sf::RenderTarget& target, MapRenderer& renderer, const sf::View& view) {
        target.setView(view);
        target.clear(sf::Color::Red);
        renderer.draw(target);
        if (&target == &window) {
            shot.update(window);
            return shot.copyToImage();
        }
        whole.display();
        return whole.getTexture().copyToImage();
    };
    // A building appears, another goes, a third changes its label and catches fire; then
    // the view moves past the picture's margin as the first comes back, and the third's
    // label changes once more, in the moved picture.
    sf::View view;
    const auto appear = [&] { placeHouse(1, 3).residents = 1; };
    const auto go = [&] { tile(2, 2).setKind(TileKind::Empty); };
    const auto change = [&] {
        tile(1, 3).house()->residents = 3;
        tile(1, 3).flags |= kFlagBurning;
    };
    const auto move = [&] {
        placeHouse(2, 2);
        // A step past the margin, small enough to be drawn as a move.
        const auto past = [](float length) {
            return std::ceil(length * kPictureMarginShare) + 1.f;
        };
        view.move(-past(view.getSize().x), -past(view.getSize().y));
    };
    const auto changeAgain = [&] { tile(1, 3).house()->residents = 1; };
    const std::array<std::function<void()>, 5> changes{appear, go, change, move, changeAgain};
    map().layer = 1;
    for (const float zoom : {1.f, 2.f})
        for (sf::RenderTarget* target : std::array<sf::RenderTarget*, 2>{&window, &whole}) {
            tile(1, 3).setKind(TileKind::Empty);
            tile(1, 3).flags = kFlagVisible;
            placeHouse(2, 2);
            view.reset(sf::FloatRect(0.f, kTop / zoom, 320.f / zoom, 200.f / zoom));
            shown(*target, renderer(), view);
            for (std::size_t i = 0; i < changes.size(); ++i) {
                changes[i]();
                const sf::Image kept = shown(*target, renderer(), view);
                MapRenderer fresh(game);
                const sf::Image drawn = shown(whole, fresh, view);
                EXPECT_EQ(std::memcmp(kept.getPixelsPtr(), drawn.getPixelsPtr(), 320 * 200 * 4), 0)
                    << zoom << " " << (target == &window) << " " << i;
            }
        }
}

TEST_F(MapPicture, PanCulledToThePictureEqualsAWholeDraw) {
    // A street of houses wider than the view, panned past the picture's margin step by
    // step, right and down, and culled as the game culls: tiles leave the picture on two
    // sides and come into it on the others, and each frame shows what a fresh renderer
    // draws.
    map().create(12, 12, true);
    for (Tile& each : map().tiles) {
        each.setKind(TileKind::Empty);
        each.flags = kFlagVisible;
    }
    for (int x = 0; x < 12; ++x)
        placeHouse(x, 11 - x % 3);
    sf::RenderWindow window(sf::VideoMode(320, 200), "map");
    sf::Texture shot;
    sf::RenderTexture whole;
    ASSERT_TRUE(shot.create(320, 200) && whole.create(320, 200));
    sf::View view(sf::FloatRect(96.f, -10.f, 160.f, 100.f));
    const sf::Vector2f size = view.getSize();
    const sf::Vector2f step(std::ceil(size.x * kPictureMarginShare) + 1.f,
                            std::ceil(size.y * kPictureMarginShare) + 1.f);
    for (int frame = 0; frame < 8; ++frame) {
        view.move(frame < 5 ? step : -2.f * step);
        const sf::FloatRect area = pictureArea(view.getCenter() - size / 2.f, size);
        map().cullToView(area.left, area.top, area.width, area.height);
        window.setView(view);
        window.clear(sf::Color::Red);
        renderer().draw(window);
        shot.update(window);
        MapRenderer fresh(game);
        whole.setView(view);
        whole.clear(sf::Color::Red);
        fresh.draw(whole);
        whole.display();
        EXPECT_EQ(std::memcmp(shot.copyToImage().getPixelsPtr(),
                              whole.getTexture().copyToImage().getPixelsPtr(), 320 * 200 * 4),
                  0)
            << frame;
    }
}
