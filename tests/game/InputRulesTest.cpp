#include "game/InputRules.h"

#include "city/Map.h"
#include "city/Messages.h"
#include "city/Simulation.h"

#include <gtest/gtest.h>

TEST(Drag, SnapsToWholeScaleStepsAndDividesByFour) {
    struct Case {
        int scale;
        sf::Vector2i mouse;
        sf::Vector2i camera;
    } const cases[] = {
        {1, {3, -3}, {0, 0}},     {1, {4, -4}, {1, -1}}, {1, {9, 0}, {2, 0}},
        {2, {3, 5}, {0, 1}},      {2, {-5, 8}, {-1, 2}}, {3, {5, 6}, {0, 1}},
        {3, {-7, -12}, {-1, -3}}, {4, {7, 8}, {1, 2}},   {4, {-12, 400}, {-3, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dragOffset(c.mouse, c.scale), c.camera)
            << "scale " << c.scale << " mouse " << c.mouse.x << "," << c.mouse.y;
}

TEST(Drag, ClickIsWithinOneScaleStepOnBothAxes) {
    const sf::Vector2i press(100, 100);
    EXPECT_TRUE(isClick(press, {102, 98}, 2));
    EXPECT_FALSE(isClick(press, {103, 100}, 2));
    EXPECT_FALSE(isClick(press, {100, 97}, 2));
    EXPECT_TRUE(isClick(press, {101, 101}, 1));
    EXPECT_FALSE(isClick(press, {102, 100}, 1));
}

TEST(LayerKeys, NumberKeysPickLayersAndCaptions) {
    struct Case {
        sf::Keyboard::Key key;
        int layer;
        const char* title;
    } const cases[] = {
        {sf::Keyboard::Num1, 0, layerTitleBuild},
        {sf::Keyboard::Num2, 2, layerTitleAttractiveness},
        {sf::Keyboard::Num3, 1, layerTitlePopulation},
        {sf::Keyboard::Num4, 3, layerTitleNeeds},
    };
    for (const Case& c : cases) {
        const std::optional<LayerKey> key = layerForKey(c.key);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->layer, c.layer);
        EXPECT_STREQ(key->title, c.title);
    }
    EXPECT_FALSE(layerForKey(sf::Keyboard::Num5));
    EXPECT_FALSE(layerForKey(sf::Keyboard::Numpad1));
}

TEST(Rotation, TileFollowsItsContent) {
    EXPECT_EQ(rotatedTile({1, 2}, 5, 5, true), sf::Vector2i(2, 1));
    EXPECT_EQ(rotatedTile({1, 2}, 5, 5, false), sf::Vector2i(2, 3));
    sf::Vector2i tile(0, 3);
    for (int turn = 0; turn < 4; ++turn)
        tile = rotatedTile(tile, 5, 5, true);
    EXPECT_EQ(tile, sf::Vector2i(0, 3));
}

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

TEST_F(Picking, CornerColourNamesTheNeighbourInsideTheBox) {
    // A box of white with one key colour in the upper left: inside this tile's box the
    // neighbour it names wins, even where no other tile is.
    simulation.map->create(1, 1, true);
    simulation.map->tiles[0].flags = kFlagVisible;
    sf::Image keys;
    keys.create(kPickWidth, kPickHeight, sf::Color::White);
    keys.setPixel(0, 0, sf::Color(255, 0, 255));
    EXPECT_EQ(pickTileAt(keys, *simulation.map, {0, 0}, true), sf::Vector2i(-1, 0));
    EXPECT_EQ(pickTileAt(keys, *simulation.map, {1, 0}, true), sf::Vector2i(0, 0));
}

TEST_F(Picking, NothingUnderTheMouseGivesTheOrigin) {
    EXPECT_EQ(pickTileAt(isomap, *simulation.map, {-500, -500}, true), sf::Vector2i(0, 0));
    EXPECT_EQ(pickTileAt(isomap, *simulation.map, {5000, 0}, true), sf::Vector2i(0, 0));
    for (Tile& tile : simulation.map->tiles)
        tile.flags = 0;
    EXPECT_EQ(pickNear({3, 3}, {16, 8}), sf::Vector2i(0, 0));
    EXPECT_EQ(pickNear({3, 3}, {16, 8}, false), sf::Vector2i(3, 3));
}

TEST_F(Picking, MissingImagePicksTheLastBoxWithoutReadingOutside) {
    // (80, 8), the middle of (2, 2), lies last in the box of (2, 3).
    EXPECT_EQ(pickTileAt(sf::Image(), *simulation.map, {80, 8}, true), sf::Vector2i(2, 3));
}
