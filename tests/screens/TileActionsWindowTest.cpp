#include "screens/TileActionsWindow.h"

#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "screens/Hud.h"
#include "screens/TileActionsTestSupport.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
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

    // What the screen shows over a widget, drawn with the cursor out of the way.
    std::vector<sf::Color> drawnOver(const gui::Widget& widget) {
        mouse = {600, 10};
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(640, 360));
        target.clear(game.paperColor);
        game.ui->draw(target);
        target.display();
        const sf::Image image = target.getTexture().copyToImage();
        std::vector<sf::Color> pixels;
        const sf::Vector2i at = widget.getAbsolutePosition();
        for (int y = 0; y < widget.height(); ++y)
            for (int x = 0; x < widget.width(); ++x)
                pixels.push_back(image.getPixel(static_cast<unsigned>(at.x + x),
                                                static_cast<unsigned>(at.y + y)));
        return pixels;
    }
};

TEST_F(TileActions, ShortRowsAreCentredInTheNarrowWindow) {
    const struct {
        std::size_t count;
        std::vector<int> xs;
    } rows[] = {{1, {85}}, {3, {46, 85, 124}}, {5, {7, 46, 85, 124, 163}}};
    for (const auto& row : rows) {
        openWith({kEight.begin(), kEight.begin() + static_cast<std::ptrdiff_t>(row.count)});
        // 210 wide, at 85 % of the free height of a 640 x 360 screen.
        EXPECT_EQ(actions().window->position(), sf::Vector2i(215, 227));
        EXPECT_EQ(actions().window->size(), sf::Vector2i(210, 92));
        EXPECT_EQ(buttonXs(), row.xs);
        EXPECT_EQ(prices(), std::vector<std::string>(kEightPrices.begin(),
                                                     kEightPrices.begin() + row.xs.size()));
        EXPECT_FALSE(actions().actionNextButton->enabled() ||
                     actions().actionPreviousButton->enabled());
    }
    const gui::Text* hint = nullptr;
    for (const auto& child : actions().window->children())
        if (child->kind() == gui::WidgetKind::Text)
            hint = static_cast<const gui::Text*>(child.get());
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->lines().size(), 1u); // even in the narrow window
}

TEST_F(TileActions, EightActionsPageByOneAndTheArrowsShowWhenTheyWork) {
    openWith(kEight);
    EXPECT_EQ(actions().window->size(), sf::Vector2i(249, 92));
    EXPECT_EQ(buttonXs(), (std::vector<int>{7, 46, 85, 124, 163, 202}));
    gui::Button& previous = *actions().actionPreviousButton;
    gui::Button& next = *actions().actionNextButton;
    const std::size_t widgets = actions().window->children().size();
    const struct {
        gui::Button* press;
        std::size_t first;
        bool previous;
        bool next;
    } steps[] = {{nullptr, 0, false, true},
                 {&next, 1, true, true},
                 {&next, 2, true, false},
                 {&next, 2, true, false}, // disabled: nothing happens
                 {&previous, 1, true, true}};
    std::vector<std::vector<sf::Color>> nextLooks;
    for (const auto& step : steps) {
        if (step.press != nullptr)
            click(*step.press);
        EXPECT_EQ(actions().actionPageStart, step.first);
        EXPECT_EQ(prices(), std::vector<std::string>(kEightPrices.begin() + step.first,
                                                     kEightPrices.begin() + step.first + 6));
        EXPECT_EQ(previous.enabled(), step.previous);
        EXPECT_EQ(next.enabled(), step.next);
        EXPECT_EQ(actions().window->children().size(), widgets); // the old page went
        nextLooks.push_back(drawnOver(next));
    }
    EXPECT_EQ(nextLooks[0], nextLooks[1]);
    EXPECT_NE(nextLooks[1], nextLooks[2]);
}

TEST_F(TileActions, ThePriceMayTakeTheWholeBudgetButNoMore) {
    Tile& tile = openWith({ActionKind::BuildPark});
    sim().city->setBudget(749);
    click(*actions().actionButtons.front());
    carryOut();
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    ASSERT_TRUE(actions().isOpen());
    ASSERT_NE(messageBox(), nullptr);
    EXPECT_EQ(messageBox()->titleBar()->title(), "OH NO.");

    sim().city->setBudget(750);
    click(*actions().actionButtons.front());
    carryOut();
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
    for (const auto& child : actions().window->children())
        if (child->id == gui::CloseButtonId)
            click(*child);
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

TEST_F(TileActions, RightClickExplainsAboveTheMiddle) {
    openWith({ActionKind::BuildRoad, ActionKind::PutOutFires});
    click(*actions().actionButtons.back(), sf::Mouse::Right);
    EXPECT_EQ(messageBox(), nullptr); // nothing to explain
    click(*actions().actionButtons.front(), sf::Mouse::Right);
    gui::Window* box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->titleBar()->title(), "INFO");
    EXPECT_EQ(box->position().y,
              game.ui->alignedRect(box->width(), box->height(), gui::Align::Middle).top - 40);
    EXPECT_EQ(sim().actionKind, ActionKind::None);
}

TEST_F(TileActions, AfterATurnTheActionIsBoughtOnTheTileShown) {
    // The tile object now holds another tile's content.
    Tile& tile = buildableTile();
    const int number = tile.number;
    showActions(tile);
    const ActionKind first = tile.actions.front();
    sim().rotateRight();
    click(*actions().actionButtons.front());
    EXPECT_EQ(sim().actionKind, first);
    ASSERT_NE(sim().actionTile, nullptr);
    EXPECT_EQ(sim().actionTile->number, number);
}

TEST_F(TileActions, APressedActionIsFoundAgainWhenADayChangedTheOffers) {
    Tile& tile = openWith({ActionKind::BuildRoad, ActionKind::PlantTree});
    tile.actions = {ActionKind::BuildPark, ActionKind::BuildRoad, ActionKind::PlantTree};
    const double budget = sim().city->budgetNow();
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::PlantTree);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget - 150);
    sim().cancelAction();

    Tile& again = openWith({ActionKind::BuildRoad, ActionKind::PlantTree});
    again.actions = {ActionKind::BuildRoad};
    click(*actions().actionButtons.back());
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim().city->budgetNow(), budget);
    EXPECT_FALSE(actions().isOpen());
}

} // namespace
