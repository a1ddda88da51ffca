#include "screens/TileInfoWindow.h"

#include "gui/Image.h"
#include "gui/Text.h"
#include "screens/TileActionsTestSupport.h"

#include <string>

namespace {

class TileInformation : public TileScreenTest {
protected:
    TileInfoWindow& info() { return *game.tileInfoWindow; }
    const std::string& text() { return info().infoText->text(); }

    // A visible tile turned into the given building.
    Tile& built(TileKind kind, int level = 1) {
        Tile& tile = buildableTile();
        tile.setKind(kind, level);
        return tile;
    }

    bool anyTileHighlighted() {
        for (const Tile* tile : map().visibleTiles())
            if (tile->hasFlag(kFlagHighlighted))
                return true;
        return false;
    }
};

TEST_F(TileInformation, AHouseOpensAboveTheStatusStripWithItsRentButtons) {
    Tile& tile = built(TileKind::House, 2);
    tile.house()->residents = 4;
    showInformation(tile);
    ASSERT_TRUE(info().isOpen());
    EXPECT_EQ(info().window->size(), sf::Vector2i(220, 108));
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 360 - 28 - 108));
    EXPECT_EQ(text().rfind("Rating:\t\t\tNeutral\nResidents:\t4/6\nRent:\t\t\t\t4 per day (0)", 0),
              0u);
    EXPECT_EQ(info().infoIcon->sprite(), game.ui->sprite("ui/action_housing_large"));
    EXPECT_TRUE(info().rentLabel->visible());
    EXPECT_TRUE(info().rentIncreaseButton->visible());
    EXPECT_FALSE(info().productionLabel->visible());
    EXPECT_FALSE(info().productionNextButton->visible());
    EXPECT_FALSE(map().rangeHighlightActive);

    // A re-layout puts it where the window table says instead.
    info().place();
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 214));
}

TEST_F(TileInformation, RentButtonsChangeTheRentWithinItsBounds) {
    Tile& tile = built(TileKind::House, 1); // amount 2: rent from 1 to 8
    showInformation(tile);
    click(*info().rentIncreaseButton);
    EXPECT_EQ(tile.house()->rentModifier, 1);
    EXPECT_NE(text().find("3 per day (+1)"), std::string::npos);
    click(*info().rentDecreaseButton);
    click(*info().rentDecreaseButton);
    EXPECT_NE(text().find("1 per day (-1)"), std::string::npos);
    click(*info().rentDecreaseButton); // would be 0
    EXPECT_EQ(tile.house()->rentModifier, -1);
    EXPECT_NE(text().find("1 per day (-1)"), std::string::npos);
}

TEST_F(TileInformation, GoodsButtonsCycleAFactorysProduction) {
    Tile& tile = built(TileKind::Factory);
    showInformation(tile);
    EXPECT_TRUE(info().productionPrevButton->visible());
    EXPECT_FALSE(info().rentIncreaseButton->visible());
    EXPECT_NE(text().find("Production:\t\tFood"), std::string::npos);
    click(*info().productionPrevButton);
    EXPECT_EQ(tile.factory()->goodsType, 2);
    EXPECT_NE(text().find("Production:\t\tLuxury items"), std::string::npos);
    click(*info().productionNextButton);
    EXPECT_NE(text().find("Production:\t\tFood"), std::string::npos);
    click(*info().productionNextButton);
    EXPECT_NE(text().find("Production:\t\tBasic goods"), std::string::npos);
}

TEST_F(TileInformation, RetargetingSwapsTheControlsAndTheHighlight) {
    Tile& factory = built(TileKind::Factory);
    showInformation(factory);
    const gui::Window* shown = info().window;
    EXPECT_TRUE(map().rangeHighlightActive);
    EXPECT_EQ(map().rangeHighlightRadius, 10);

    Tile& house = built(TileKind::House);
    showInformation(house);
    EXPECT_EQ(info().window, shown);
    EXPECT_TRUE(info().rentIncreaseButton->visible());
    EXPECT_FALSE(info().productionPrevButton->visible());
    EXPECT_FALSE(map().rangeHighlightActive);
    EXPECT_FALSE(anyTileHighlighted());
    // The buttons follow the tile now shown.
    click(*info().rentIncreaseButton);
    EXPECT_EQ(house.house()->rentModifier, 1);
    EXPECT_EQ(factory.factory()->goodsType, 0);
}

TEST_F(TileInformation, ATreeClosesTheWindowAndItsHighlight) {
    Tile& shop = built(TileKind::Shop);
    showInformation(shop);
    EXPECT_EQ(map().rangeHighlightRadius, 4);
    EXPECT_TRUE(anyTileHighlighted());
    Tile& tree = built(TileKind::Tree);
    showInformation(tree);
    EXPECT_FALSE(info().isOpen());
    EXPECT_EQ(info().infoText, nullptr);
    EXPECT_FALSE(map().rangeHighlightActive);
    EXPECT_FALSE(anyTileHighlighted());
    showInformation(tree); // closed already: stays closed
    EXPECT_FALSE(info().isOpen());
}

TEST_F(TileInformation, RubbleShowsNothingAndKeepsTheHighlight) {
    Tile& station = built(TileKind::PoliceStation);
    showInformation(station);
    EXPECT_EQ(map().rangeHighlightRadius, 12);
    showInformation(built(TileKind::Rubble));
    EXPECT_EQ(text(), "");
    EXPECT_EQ(info().infoIcon->sprite(), nullptr);
    EXPECT_TRUE(map().rangeHighlightActive);
}

TEST_F(TileInformation, ClosingClearsTheHighlight) {
    showInformation(built(TileKind::WaterTower));
    const gui::Widget* close = nullptr;
    for (const auto& child : info().window->children())
        if (child->id == gui::CloseButtonId)
            close = child.get();
    ASSERT_NE(close, nullptr);
    click(*close);
    EXPECT_FALSE(info().isOpen());
    EXPECT_FALSE(anyTileHighlighted());

    showInformation(built(TileKind::WaterTower));
    game.ui_closeWindows();
    EXPECT_FALSE(info().isOpen());
    EXPECT_FALSE(map().rangeHighlightActive);
}

TEST_F(TileInformation, RentButtonsStillFindTheHouseAfterATurn) {
    Tile& tile = built(TileKind::House);
    const int number = tile.number;
    showInformation(tile);
    sim().rotateLeft();
    click(*info().rentIncreaseButton);
    Tile* moved = nullptr;
    for (Tile* visible : map().visibleTiles())
        if (visible->number == number)
            moved = visible;
    ASSERT_NE(moved, nullptr);
    ASSERT_NE(moved->house(), nullptr);
    EXPECT_EQ(moved->house()->rentModifier, 1);
    EXPECT_NE(text().find("(+1)"), std::string::npos);
}

} // namespace
