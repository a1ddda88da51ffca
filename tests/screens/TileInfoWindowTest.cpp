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
    bool shows(const std::string& part) { return text().find(part) != std::string::npos; }

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

TEST_F(TileInformation, AHouseOpensAboveTheStatusStripAndItsRentButtonsWork) {
    Tile& tile = built(TileKind::House, 1); // base rent 2: from 1 to 8
    showInformation(tile);
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 360 - 28 - 108));
    EXPECT_EQ(info().infoIcon->sprite(), game.ui->sprite("ui/action_housing"));
    EXPECT_TRUE(info().rentIncreaseButton->visible());
    EXPECT_FALSE(info().productionNextButton->visible());
    EXPECT_TRUE(shows("2 per day (0)"));

    click(*info().rentIncreaseButton);
    EXPECT_TRUE(shows("3 per day (+1)"));
    for (int i = 0; i < 3; ++i) // the last one is refused
        click(*info().rentDecreaseButton);
    EXPECT_EQ(tile.house()->rentModifier, -1);
    EXPECT_TRUE(shows("1 per day (-1)"));

    info().place(); // a re-layout puts it where the other windows go
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 214));
}

TEST_F(TileInformation, GoodsButtonsCycleAFactorysProduction) {
    Tile& tile = built(TileKind::Factory);
    showInformation(tile);
    EXPECT_FALSE(info().rentIncreaseButton->visible());
    EXPECT_TRUE(shows("Production:\t\tFood"));
    click(*info().productionPrevButton);
    EXPECT_EQ(tile.factory()->goodsType, 2);
    EXPECT_TRUE(shows("Production:\t\tLuxury items"));
    click(*info().productionNextButton);
    click(*info().productionNextButton);
    EXPECT_TRUE(shows("Production:\t\tBasic goods"));
}

TEST_F(TileInformation, TheRangeShowsWhileTheWindowDoes) {
    Tile& shop = built(TileKind::Shop);
    showInformation(shop);
    const gui::Window* shown = info().window;
    EXPECT_EQ(map().rangeHighlightRadius, 4);
    EXPECT_TRUE(anyTileHighlighted());
    Tile& other = built(TileKind::Rubble);
    showInformation(other); // nothing to tell: the range stays
    EXPECT_EQ(text(), "");
    EXPECT_EQ(info().infoIcon->sprite(), nullptr);
    EXPECT_TRUE(anyTileHighlighted());
    other.setKind(TileKind::House);
    showInformation(other); // re-targeted: no range of its own
    EXPECT_EQ(info().window, shown);
    EXPECT_FALSE(anyTileHighlighted());

    // Closed with every window, or by a right click on a tree.
    for (const bool byTree : {false, true}) {
        showInformation(shop);
        other.setKind(TileKind::Tree);
        if (byTree)
            showInformation(other);
        else
            game.ui_closeWindows();
        EXPECT_FALSE(info().isOpen());
        EXPECT_FALSE(map().rangeHighlightActive);
        EXPECT_FALSE(anyTileHighlighted());
    }
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
    EXPECT_TRUE(shows("(+1)"));
}

} // namespace
