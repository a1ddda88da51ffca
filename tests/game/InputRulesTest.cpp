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
