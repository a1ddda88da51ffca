// The two windows a tile opens: the actions on offer, and what the tile tells.
#include "ScreenTestSupport.h"
#include "city/City.h"
#include "city/Map.h"
#include "gui/Image.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Eight kinds whose prices on empty land all differ, so a badge tells which one it is.
const std::vector<ActionKind> kEight{
    ActionKind::BuildRoad,         ActionKind::BuildSmallHousing,
    ActionKind::BuildLargeHousing, ActionKind::BuildFlats,
    ActionKind::BuildShop,         ActionKind::BuildMarket,
    ActionKind::BuildWaterTower,   ActionKind::BuildConvenienceStore};
const std::vector<std::string> kEightPrices{"250",  "1000", "2500", "5000",
                                            "1500", "750",  "2000", "4000"};

// A new city and one of its buildable tiles.
class TileWindows : public CityScreenTest {
protected:
    Simulation& sim() { return *game.simulation; }
    Map& map() { return *game.simulation->map; }

    // A visible empty tile beside a road, offering the actions of a new city.
    Tile& buildableTile() {
        for (Tile* tile : map().visibleTiles())
            if (tile->kind == TileKind::Empty && !tile->actions().empty())
                return *tile;
        ADD_FAILURE() << "no buildable tile";
        return *map().tileAt(0, 0);
    }

    // The input code opens both windows holding the map.
    void showActions(Tile& tile) {
        const std::scoped_lock lock(sim().mapMutex);
        game.ui_showTileActions(tile);
    }
    void showInformation(Tile& tile) {
        const std::scoped_lock lock(sim().mapMutex);
        game.ui_showTileInformation(tile);
    }

    TileActionsWindow& actions() { return *game.tileActionsWindow; }

    Tile& openWith(std::vector<ActionKind> offers) {
        Tile& tile = buildableTile();
        tile.actions() = std::move(offers);
        showActions(tile);
        return tile;
    }

    std::vector<int> buttonXs() {
        std::vector<int> xs;
        for (const gui::Button* button : actions().actionButtons)
            xs.push_back(button->position().x);
        return xs;
    }

    // The shown prices, checked against the first `count` kinds from `first` on.
    void expectPrices(std::size_t first, std::size_t count) {
        std::vector<std::string> shown;
        for (const gui::Image* badge : actions().actionPriceBadges)
            shown.push_back(static_cast<const gui::Text&>(*badge->children().at(0)).text());
        const auto from = kEightPrices.begin() + std::ptrdiff_t(first);
        EXPECT_EQ(shown, std::vector<std::string>(from, from + std::ptrdiff_t(count)));
    }

    TileInfoWindow& info() { return *game.tileInfoWindow; }
    bool shows(const std::string& part) {
        return info().infoText->text().find(part) != std::string::npos;
    }

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
using TileActions = TileWindows;
using TileInformation = TileWindows;

TEST_F(TileActions, EightActionsPageByOneAndTheArrowsWorkOnlyWhereThereIsMore) {
    openWith(kEight);
    EXPECT_EQ(actions().window->size(), sf::Vector2i(249, 92));
    EXPECT_EQ(buttonXs(), (std::vector<int>{7, 46, 85, 124, 163, 202}));
    gui::Button& previous = *actions().actionPreviousButton;
    gui::Button& next = *actions().actionNextButton;
    const std::size_t widgets = actions().window->children().size();
    const struct {
        gui::Button* press;
        std::size_t first;
        bool previous, next;
    } steps[] = {{nullptr, 0, false, true},
                 {&next, 1, true, true},
                 {&next, 2, true, false},
                 {&next, 2, true, false}, // disabled: nothing happens
                 {&previous, 1, true, true}};
    for (const auto& step : steps) {
        if (step.press != nullptr)
            click(*step.press);
        EXPECT_EQ(actions().actionPageStart, step.first);
        expectPrices(step.first, 6);
        EXPECT_EQ(previous.enabled(), step.previous);
        EXPECT_EQ(next.enabled(), step.next);
        EXPECT_EQ(actions().window->children().size(), widgets); // the old page went
    }
}

TEST_F(TileActions, ThePriceMayTakeTheWholeBudgetButNoMore) {
    Tile& tile = openWith({ActionKind::BuildPark});
    sim().city->setBudget(749);
    click(*actions().actionButtons.front());
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    ASSERT_TRUE(actions().isOpen());
    EXPECT_EQ(countTitled("OH NO."), 1);

    sim().city->setBudget(750);
    click(*actions().actionButtons.front());
    EXPECT_EQ(sim().actionKind, ActionKind::BuildPark);
    EXPECT_EQ(sim().actionTileNumber, tile.number);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), 0.0);
    EXPECT_FALSE(actions().isOpen());
    EXPECT_EQ(map().selectedTileNumber, -1);
    EXPECT_FALSE(game.hud->dateButton->visible()); // behind the armed action's widgets
}

TEST_F(TileActions, ClosingForgetsTheTileAndShowsTheDateButton) {
    Tile& tile = openWith({ActionKind::BuildPark});
    EXPECT_EQ(map().selectedTileNumber, tile.number);
    game.hud->dateButton->setVisible(false);
    const gui::Widget* close = nullptr;
    for (const auto& child : actions().window->children())
        close = child->id == gui::CloseButtonId ? child.get() : close;
    ASSERT_NE(close, nullptr);
    click(*close);
    EXPECT_FALSE(actions().isOpen());
    EXPECT_EQ(map().selectedTileNumber, -1);
    EXPECT_TRUE(game.hud->dateButton->visible());

    // Every window closing at once (a new city) forgets the selection as well: it
    // would stop the buildable tiles from blinking.
    showActions(tile);
    game.ui_closeWindows();
    EXPECT_FALSE(actions().isOpen());
    EXPECT_EQ(map().selectedTileNumber, -1);
}

TEST_F(TileActions, APressedActionIsFoundAgainWhenADayChangedTheOffers) {
    Tile& tile = openWith({ActionKind::BuildRoad, ActionKind::PlantTree});
    tile.actions() = {ActionKind::BuildPark, ActionKind::BuildRoad, ActionKind::PlantTree};
    const double budget = sim().city->budgetNow();
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::PlantTree);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget - 150);
    sim().cancelAction();

    Tile& again = openWith({ActionKind::BuildRoad, ActionKind::PlantTree});
    again.actions() = {ActionKind::BuildRoad};
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget);
    EXPECT_FALSE(actions().isOpen());
}

TEST_F(TileInformation, AHouseOpensAboveTheStatusStripAndItsRentButtonsWork) {
    Tile& tile = built(TileKind::House, 1); // base rent 2: from 1 to 8
    showInformation(tile);
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 360 - 28 - 108));
    EXPECT_EQ(info().infoIcon->sprite(), game.ui->sprite("ui/action_housing"));
    EXPECT_FALSE(info().productionNextButton->visible());
    click(*info().rentIncreaseButton);
    EXPECT_TRUE(shows("3 per day (+1)"));
    for (int i = 0; i < 3; ++i) // the last one is refused
        click(*info().rentDecreaseButton);
    EXPECT_EQ(tile.house()->rentModifier, -1);
    EXPECT_TRUE(shows("1 per day (-1)"));

    info().place(); // a re-layout puts it where the other windows go
    EXPECT_EQ(info().window->position(), sf::Vector2i(210, 214));
}

TEST_F(TileInformation, TheRangeShowsWhileTheWindowDoes) {
    Tile& shop = built(TileKind::Shop);
    showInformation(shop);
    EXPECT_EQ(map().rangeHighlightRadius, 4);
    EXPECT_TRUE(anyTileHighlighted());
    Tile& other = built(TileKind::House);
    showInformation(other); // re-targeted: no range of its own
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

TEST_F(TileWindows, AfterATurnBothWindowsStillActOnTheTileShown) {
    // The tile objects now hold other tiles' content.
    Tile& empty = buildableTile();
    const int emptyNumber = empty.number;
    const ActionKind first = empty.actions().front();
    showActions(empty);
    sim().rotateRight();
    click(*actions().actionButtons.front());
    EXPECT_EQ(sim().actionKind, first);
    ASSERT_NE(sim().actionTile, nullptr);
    EXPECT_EQ(sim().actionTile->number, emptyNumber);

    Tile& house = built(TileKind::House);
    const int houseNumber = house.number;
    showInformation(house);
    sim().rotateLeft();
    click(*info().rentIncreaseButton);
    const std::vector<Tile*> visible = map().visibleTiles();
    const auto moved = std::find_if(visible.begin(), visible.end(),
                                    [&](const Tile* each) { return each->number == houseNumber; });
    ASSERT_NE(moved, visible.end());
    ASSERT_NE((*moved)->house(), nullptr);
    EXPECT_EQ((*moved)->house()->rentModifier, 1);
    EXPECT_TRUE(shows("(+1)"));
}

} // namespace
