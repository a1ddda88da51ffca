#include "game/InputRules.h"

#include "city/Map.h"
#include "city/Simulation.h"

#include <gtest/gtest.h>

class Picking : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(isomap.loadFromFile(std::string(TAPBURG_TEST_DATA_DIR) + "sprites/isomap.png"));
        simulation.map->create(5, 5, true);
        for (Tile& tile : simulation.map->tiles)
            tile.flags = kFlagVisible;
    }

    sf::Vector2i pickNear(sf::Vector2i tile, sf::Vector2i offset, bool visibleOnly = true) {
        const sf::Vector2i corner((tile.x + tile.y) * 16, (tile.y - tile.x) * 8);
        return pickTileAt(isomap, *simulation.map, corner + offset, visibleOnly);
    }

    sf::Image isomap;
    Simulation simulation;
};

TEST_F(Picking, CentreAndEachKeyCornerOfATile) {
    const sf::Vector2i tile(2, 2);
    EXPECT_EQ(pickNear(tile, {16, 8}), sf::Vector2i(2, 2));
    EXPECT_EQ(pickNear(tile, {3, 2}), sf::Vector2i(2, 1));   // upper left: north
    EXPECT_EQ(pickNear(tile, {30, 2}), sf::Vector2i(3, 2));  // upper right: east
    EXPECT_EQ(pickNear(tile, {3, 14}), sf::Vector2i(1, 2));  // lower left: west
    EXPECT_EQ(pickNear(tile, {30, 14}), sf::Vector2i(2, 3)); // lower right: south
}

TEST_F(Picking, NothingUnderTheMouseOrNoImageStaysOnTheMap) {
    EXPECT_EQ(pickTileAt(isomap, *simulation.map, {-500, -500}, true), sf::Vector2i(0, 0));
    EXPECT_EQ(pickTileAt(isomap, *simulation.map, {5000, 0}, true), sf::Vector2i(0, 0));
    // Without the key image, (80, 8), the middle of (2, 2), lies last in the box of (2, 3).
    EXPECT_EQ(pickTileAt(sf::Image(), *simulation.map, {80, 8}, true), sf::Vector2i(2, 3));
    for (Tile& tile : simulation.map->tiles)
        tile.flags = 0;
    EXPECT_EQ(pickNear({3, 3}, {16, 8}), sf::Vector2i(0, 0));
    EXPECT_EQ(pickNear({3, 3}, {16, 8}, false), sf::Vector2i(3, 3));
}

TEST(Zoom, DragAnchorAndSettingFollowTheMagnification) {
    // Scale 2: a 40-pixel drag moves 10 units, 20 pixels on screen, at any magnification.
    EXPECT_EQ(dragOffset({40, -40}, 2), sf::Vector2i(10, -10));
    EXPECT_EQ(dragOffset({40, -40}, 2, 4), sf::Vector2i(5, -5));
    EXPECT_EQ(dragOffset({40, -40}, 2, 1), sf::Vector2i(20, -20));
    EXPECT_EQ(dragOffset({-41, 5}, 2, 3), sf::Vector2i(-6, 0)); // towards zero
    // The map point under the anchor stays to the nearest unit, the top-left whole.
    const struct {
        sf::Vector2i anchor;
        int from, to;
        sf::Vector2f topLeft;
    } zooms[] = {{{640, 360}, 2, 4, {160.f, 90.f}},
                 {{0, 0}, 2, 6, {0.f, 0.f}},
                 {{101, 33}, 4, 3, {-8.f, -3.f}},
                 {{640, 360}, 4, 2, {-160.f, -90.f}}};
    for (const auto& z : zooms)
        EXPECT_EQ(anchoredTopLeft({0.f, 0.f}, z.anchor, z.from, z.to), z.topLeft) << z.to;
    const struct {
        int stored, scale, magnification, kept;
    } settings[] = {{0, 2, 2, 0}, {-3, 3, 3, 0}, {4, 2, 4, 4}, {9, 2, 6, 6}, {1, 1, 1, 0}};
    for (const auto& c : settings) {
        EXPECT_EQ(magnificationFromSetting(c.stored, c.scale), c.magnification) << c.stored;
        EXPECT_EQ(magnificationSetting(c.magnification, c.scale), c.kept) << c.stored;
    }
}

TEST(Keys, CommandsAndPanDirections) {
    using K = sf::Keyboard;
    const struct {
        K::Key key;
        bool alt;
        KeyCommand command;
    } commands[] = {
        {K::Return, true, KeyCommand::Fullscreen}, {K::Return, false, KeyCommand::Confirm},
        {K::Space, false, KeyCommand::Progress},   {K::Escape, false, KeyCommand::CloseTopmost},
        {K::Q, false, KeyCommand::RotateLeft},     {K::E, false, KeyCommand::RotateRight},
        {K::F1, false, KeyCommand::About},         {K::F12, false, KeyCommand::Screenshot},
        {K::Equal, false, KeyCommand::ZoomIn},     {K::Add, false, KeyCommand::ZoomIn},
        {K::Hyphen, false, KeyCommand::ZoomOut},   {K::Subtract, false, KeyCommand::ZoomOut},
        {K::Num4, false, KeyCommand::Layer},       {K::W, false, KeyCommand::None}};
    for (const auto& c : commands)
        EXPECT_EQ(commandForKey(c.key, c.alt), c.command) << c.key;
    const struct {
        K::Key key;
        sf::Vector2i way;
    } pans[] = {{K::Left, {-1, 0}}, {K::A, {-1, 0}},  {K::Right, {1, 0}},
                {K::D, {1, 0}},     {K::Up, {0, -1}}, {K::W, {0, -1}},
                {K::Down, {0, 1}},  {K::S, {0, 1}},   {K::Q, {0, 0}}};
    for (const auto& p : pans)
        EXPECT_EQ(panDirection(p.key), p.way) << p.key;
}
