#include "screens/TileActionsWindow.h"

#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "screens/Hud.h"
#include "screens/TileActionsTestSupport.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <algorithm>
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

class TileActions : public TileScreenTest {
protected:
    TileActionsWindow& actions() { return *game.tileActionsWindow; }

    // The tile with the given offers, its window opened.
    Tile& openWith(std::vector<ActionKind> offers) {
        Tile& tile = buildableTile();
        tile.actions = std::move(offers);
        showActions(tile);
        return tile;
    }

    std::vector<int> buttonXs() {
        std::vector<int> xs;
        for (const gui::Button* button : actions().actionButtons)
            xs.push_back(button->position().x);
        return xs;
    }

    std::vector<std::string> prices() {
        std::vector<std::string> shown;
        for (const gui::Image* badge : actions().actionPriceBadges)
            shown.push_back(static_cast<const gui::Text&>(*badge->children().at(0)).text());
        return shown;
    }

    // The screen as drawn, in UI pixels, with the mouse cursor out of the way.
    sf::Image drawn() {
        mouse = {600, 10};
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(640, 360));
        target.setView(*game.uiView);
        target.clear(game.paperColor);
        game.ui->draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    static std::vector<sf::Color> pixelsOf(const sf::Image& image, const gui::Widget& widget) {
        std::vector<sf::Color> pixels;
        const sf::Vector2i at = widget.getAbsolutePosition();
        for (int y = 0; y < widget.height(); ++y)
            for (int x = 0; x < widget.width(); ++x)
                pixels.push_back(image.getPixel(static_cast<unsigned>(at.x + x),
                                                static_cast<unsigned>(at.y + y)));
        return pixels;
    }

    std::vector<std::string> pricesOf(std::size_t first, std::size_t count) {
        return {kEightPrices.begin() + static_cast<std::ptrdiff_t>(first),
                kEightPrices.begin() + static_cast<std::ptrdiff_t>(first + count)};
    }
};

TEST_F(TileActions, ShortRowsAreCentredInTheNarrowWindow) {
    const struct {
        std::size_t count;
        std::vector<int> xs;
    } rows[] = {{3, {46, 85, 124}}, {5, {7, 46, 85, 124, 163}}, {1, {85}}};
    for (const auto& row : rows) {
        openWith({kEight.begin(), kEight.begin() + static_cast<std::ptrdiff_t>(row.count)});
        ASSERT_TRUE(actions().isOpen());
        EXPECT_EQ(actions().window->size(), sf::Vector2i(210, 92)) << row.count;
        // At 85 % of the free height of a 640 x 360 screen.
        EXPECT_EQ(actions().window->position(), sf::Vector2i(215, 227));
        EXPECT_EQ(buttonXs(), row.xs);
        EXPECT_EQ(prices(), pricesOf(0, row.count));
        EXPECT_FALSE(actions().actionNextButton->enabled());
        EXPECT_FALSE(actions().actionPreviousButton->enabled());
    }
    const gui::Button& first = *actions().actionButtons.front();
    EXPECT_EQ(first.size(), sf::Vector2i(40, 40));
    EXPECT_EQ(first.icon()->sprite(), game.ui->sprite("ui/action_road"));
    EXPECT_EQ(actions().actionPriceBadges.front()->position(), sf::Vector2i(85 + 8, 17));
}

TEST_F(TileActions, EightActionsPageByOne) {
    openWith(kEight);
    EXPECT_EQ(actions().tileActionsWidth, 249);
    EXPECT_EQ(actions().window->size(), sf::Vector2i(249, 92));
    EXPECT_EQ(buttonXs(), (std::vector<int>{7, 46, 85, 124, 163, 202}));
    EXPECT_EQ(actions().actionNextButton->position(), sf::Vector2i(245, 23));
    EXPECT_EQ(actions().actionPreviousButton->position(), sf::Vector2i(-20, 23));

    const std::size_t widgets = actions().window->children().size();
    const struct {
        gui::Button* press;
        std::size_t first;
        bool previous;
        bool next;
    } steps[] = {
        {nullptr, 0, false, true},
        {actions().actionNextButton, 1, true, true},
        {actions().actionNextButton, 2, true, false},
        {actions().actionNextButton, 2, true, false}, // disabled: nothing happens
        {actions().actionPreviousButton, 1, true, true},
    };
    for (const auto& step : steps) {
        if (step.press != nullptr)
            click(*step.press);
        EXPECT_EQ(actions().actionPageStart, step.first);
        EXPECT_EQ(prices(), pricesOf(step.first, 6));
        EXPECT_EQ(actions().actionPreviousButton->enabled(), step.previous);
        EXPECT_EQ(actions().actionNextButton->enabled(), step.next);
        // The old page's widgets left the window.
        EXPECT_EQ(actions().window->children().size(), widgets);
    }
}

TEST_F(TileActions, ArrowsLookDisabledAtTheEndsAndTheHintFitsOneLine) {
    openWith(kEight);
    const gui::Button& previous = *actions().actionPreviousButton;
    const gui::Button& next = *actions().actionNextButton;
    const sf::Image first = drawn();
    click(next);
    const sf::Image middle = drawn();
    click(next);
    const sf::Image last = drawn();
    EXPECT_NE(pixelsOf(first, previous), pixelsOf(middle, previous));
    EXPECT_EQ(pixelsOf(first, next), pixelsOf(middle, next));
    EXPECT_NE(pixelsOf(middle, next), pixelsOf(last, next));
    // The page's prices are printed on their badges.
    const std::vector<sf::Color> badge = pixelsOf(last, *actions().actionPriceBadges.front());
    EXPECT_NE(std::count(badge.begin(), badge.end(), game.inkColor), 0);
    EXPECT_NE(std::count(badge.begin(), badge.end(), game.paperColor), 0);

    openWith({ActionKind::BuildRoad}); // the narrow window
    const gui::Text* hint = nullptr;
    for (const auto& child : actions().window->children())
        if (child->kind() == gui::WidgetKind::Text)
            hint = static_cast<const gui::Text*>(child.get());
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->lines(),
              std::vector<std::string>{"Right-click for information about buildables"});
}

TEST_F(TileActions, AnUpgradeShowsItsOwnSpriteAndPrice) {
    Tile& tile = buildableTile();
    tile.setKind(TileKind::House, 1);
    tile.actions = {ActionKind::BuildLargeHousing, ActionKind::Demolish};
    showActions(tile);
    EXPECT_EQ(prices(), (std::vector<std::string>{"1500", "150"}));
    EXPECT_EQ(actions().actionButtons.front()->icon()->sprite(),
              game.ui->sprite("ui/action_housing_large_upgrade"));
}

TEST_F(TileActions, AnActionCostingTheWholeBudgetIsBought) {
    Tile& tile = openWith({ActionKind::BuildPark});
    sim().city->setBudget(750);
    click(*actions().actionButtons.front());
    carryOut();
    EXPECT_EQ(sim().actionKind, ActionKind::BuildPark);
    EXPECT_EQ(sim().actionTileNumber, tile.number);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), 0.0);
    EXPECT_FALSE(actions().isOpen());
    EXPECT_TRUE(actions().actionButtons.empty());
    EXPECT_EQ(map().selectedTileNumber, -1);
    // Armed: the date button stays hidden behind the action's widgets.
    if (game.hud->dateButton != nullptr) {
        EXPECT_FALSE(game.hud->dateButton->visible());
    }
}

TEST_F(TileActions, OneShortOfThePriceIsRefusedAndTheWindowStays) {
    Tile& tile = openWith({ActionKind::BuildPark});
    sim().city->setBudget(749);
    click(*actions().actionButtons.front());
    carryOut();
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), 749.0);
    EXPECT_TRUE(actions().isOpen());
    EXPECT_EQ(map().selectedTileNumber, tile.number);
    gui::Window* box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->titleBar()->title(), "OH NO.");
}

TEST_F(TileActions, CloseForgetsTheTileAndShowsTheDateButton) {
    Tile& tile = openWith({ActionKind::BuildPark});
    EXPECT_EQ(map().selectedTileNumber, tile.number);
    gui::Button* dateButton = game.hud->dateButton;
    if (dateButton != nullptr)
        dateButton->setVisible(false);
    const gui::Window* shown = actions().window;
    const gui::Widget* close = nullptr;
    for (const auto& child : shown->children())
        if (child->id == gui::CloseButtonId)
            close = child.get();
    ASSERT_NE(close, nullptr);
    click(*close);
    EXPECT_FALSE(actions().isOpen());
    EXPECT_EQ(shown->parent(), nullptr);
    EXPECT_TRUE(actions().actionButtons.empty());
    EXPECT_EQ(map().selectedTileNumber, -1);
    if (dateButton != nullptr) {
        EXPECT_TRUE(dateButton->visible());
    }
}

TEST_F(TileActions, ReopeningReplacesTheWindowOnTheFirstPage) {
    openWith(kEight);
    click(*actions().actionNextButton);
    const gui::Window* first = actions().window;
    Tile& other = buildableTile();
    other.actions = {ActionKind::BuildRoad, ActionKind::PlantTree};
    showActions(other);
    EXPECT_EQ(first->parent(), nullptr);
    EXPECT_EQ(actions().actionPageStart, 0u);
    EXPECT_EQ(prices(), (std::vector<std::string>{"250", "150"}));
    EXPECT_EQ(actions().window->parent(), game.ui->gameRoot.get());
}

TEST_F(TileActions, RightClickExplainsAboveTheMiddle) {
    openWith({ActionKind::BuildRoad, ActionKind::PutOutFires});
    click(*actions().actionButtons.back(), sf::Mouse::Right);
    EXPECT_EQ(messageBox(), nullptr); // nothing to explain
    click(*actions().actionButtons.front(), sf::Mouse::Right);
    gui::Window* box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->titleBar()->title(), "INFO");
    const sf::IntRect middle =
        game.ui->alignedRect(box->width(), box->height(), gui::Align::Middle);
    EXPECT_EQ(box->position().y, middle.top - 40);
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_TRUE(actions().isOpen());
}

TEST_F(TileActions, TheChosenActionIsBoughtOnTheSameTileAfterATurn) {
    Tile& tile = buildableTile();
    const int number = tile.number;
    showActions(tile);
    const ActionKind first = tile.actions.front();
    sim().rotateRight();
    click(*actions().actionButtons.front());
    EXPECT_EQ(sim().actionKind, first);
    EXPECT_EQ(sim().actionTileNumber, number);
    ASSERT_NE(sim().actionTile, nullptr);
    EXPECT_EQ(sim().actionTile->number, number);
}

TEST_F(TileActions, TheActionPressedIsBoughtEvenWhenTheOffersChanged) {
    Tile& tile = openWith({ActionKind::BuildRoad, ActionKind::PlantTree});
    // A new day unlocked something in front of them.
    tile.actions = {ActionKind::BuildPark, ActionKind::BuildRoad, ActionKind::PlantTree};
    const double budget = sim().city->budgetNow();
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::PlantTree);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget - 150);
}

TEST_F(TileActions, AnOfferThatWentAwayBuysNothingAndCloses) {
    Tile& tile = openWith({ActionKind::BuildRoad, ActionKind::PlantTree, ActionKind::BuildPark});
    tile.actions = {ActionKind::BuildRoad};
    const double budget = sim().city->budgetNow();
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget);
    EXPECT_FALSE(actions().isOpen());
}

TEST_F(TileActions, ClosingEveryWindowForgetsTheSelection) {
    Tile& tile = openWith({ActionKind::BuildRoad});
    ASSERT_EQ(map().selectedTileNumber, tile.number);
    game.ui_closeWindows();
    EXPECT_FALSE(actions().isOpen());
    EXPECT_EQ(map().selectedTileNumber, -1);
    EXPECT_TRUE(actions().actionButtons.empty());
}

} // namespace
