#include "screens/Hud.h"

#include "ScreenTestSupport.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "game/MapRenderer.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "platform/Config.h"
#include "screens/ScreenWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(HudReadouts, DatesMoneyAndProgressStayInRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto percent = [](double progress, unsigned needed) {
        const float fraction = Hud::progressFraction(progress, needed);
        return fraction < 0.f || fraction > 1.f ? "outside the bar"
                                                : std::to_string(Hud::progressPercent(fraction));
    };
    const std::pair<std::string, std::string> cases[] = {
        // 30-day months and 360-day years, counted from 1
        {Hud::formatDate(0), "01/01 Y1"},
        {Hud::formatDate(359), "30/12 Y1"},
        {Hud::formatDate(3609), "10/01 Y11"},
        // money cut toward zero, and always a number
        {Hud::formatWhole(-12345.9), "-12345"},
        {Hud::formatWhole(1e300), "2147483647"},
        {Hud::formatWhole(-1e300), "-2147483648"},
        {Hud::formatWhole(nan), "0"},
        // the share of the clicks needed
        {percent(24, 25), "96"},
        {percent(-2, 25), "0"},
        {percent(5, 0), "0"},
    };
    for (const auto& [shown, expected] : cases)
        EXPECT_EQ(shown, expected);
}

class HudGame : public CityScreenTest {
protected:
    Hud& hud() { return *game.hud; }
    Simulation& sim() { return *game.simulation; }
};

TEST_F(HudGame, AltReturnLaysOutTheHudTheWindowsAndTheTitleScreen) {
    // A bare window in a slot, as its own open would put it.
    ScreenWindow& info = *game.tileInfoWindow;
    info.window = game.ui->gameRoot->add(game.ui->createWindow({{0, 0}, {220, 108}}, "", true));
    // Leaving fullscreen for a 960 x 540 window: scale 1, so the UI is 960 x 540.
    game.config->set("isFullscreen", "true");
    game.config->set("width", "960");
    game.config->set("height", "540");
    key(sf::Keyboard::Return, true);
    ASSERT_TRUE(game.recreateWindowRequested);
    game.createWindow();
    ASSERT_EQ(game.ui->screenSize(), sf::Vector2i(960, 540));

    EXPECT_EQ(hud().dateSlot->position(), sf::Vector2i(960 - 109, 4));
    EXPECT_EQ(hud().actionProgressButton->position(), sf::Vector2i((960 - 46) / 2, 540 - 50));
    EXPECT_EQ(hud().side(Hud::Side::City)->position(), sf::Vector2i(7, (540 - 227) / 2 + 162));
    EXPECT_EQ(hud().populationOptionsPanel->position(), sf::Vector2i(960 - 107, 540 - 81));
    // Windows in a game sit centred across and low, at 85 % of the free height.
    EXPECT_EQ(info.window->position(), sf::Vector2i(370, static_cast<int>(0.85 * 432)));
    const gui::Window& welcome = *game.mainMenu->welcomeWindow();
    EXPECT_EQ(welcome.position().x, (960 - welcome.width()) / 2);
    EXPECT_EQ(welcome.position().y, static_cast<int>(0.85 * (540 - welcome.height())));
}

TEST_F(HudGame, AnArmedActionShowsItsProgressInPlaceOfTheDateButton) {
    const auto actionShown = [this] {
        return std::vector<bool>{hud().actionProgressBar->visible(),
                                 hud().cancelActionButton->visible(), !hud().dateButton->visible()};
    };
    const std::vector<Tile*> tiles = sim().map->visibleTiles();
    const auto empty = std::find_if(tiles.begin(), tiles.end(), [](const Tile* tile) {
        return tile->kind == TileKind::Empty && !tile->actions().empty();
    });
    ASSERT_NE(empty, tiles.end());
    ASSERT_TRUE(sim().buyAction((*empty)->number, 0));
    carryOut();
    EXPECT_EQ(actionShown(), std::vector<bool>(3, true));
    EXPECT_EQ(hud().actionTitleText->text(),
              actionNames[static_cast<int>(sim().actionKind.load())]);

    sim().clicksNeeded = 25;
    sim().progress = 24;
    sim().city->setBudget(-0.5);
    const sf::Image shot = picture();
    EXPECT_EQ(hud().progressPercentText->text(), "96%");
    EXPECT_EQ(hud().budgetText->text(), "0");
    // The fill covers 96 % of the 160-pixel trough on its two rows.
    const sf::Vector2i bar = hud().actionProgressBar->getAbsolutePosition();
    const int filled = static_cast<int>(160 * 0.96f);
    for (const int x : {0, filled - 1})
        for (const int row : {2, 3})
            EXPECT_EQ(shot.getPixel(bar.x + 5 + x, bar.y + row), game.inkColor) << x;
    EXPECT_NE(shot.getPixel(bar.x + 5 + filled, bar.y + 2), game.inkColor);

    const double budget = sim().city->budgetNow();
    click(*hud().cancelActionButton);
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_GT(sim().city->budgetNow(), budget);
    EXPECT_EQ(actionShown(), std::vector<bool>(3, false));
}

TEST_F(HudGame, EachLayerShowsItsTitleAndOnlyItsOptionPanelByButtonOrKey) {
    const struct {
        Hud::Side button;
        sf::Keyboard::Key key;
        int layer;
        const char* title;
        bool buildPanel, populationPanel;
    } layers[] = {{Hud::Side::Population, sf::Keyboard::Num3, 1, layerTitlePopulation, false, true},
                  {Hud::Side::Needs, sf::Keyboard::Num4, 3, layerTitleNeeds, false, false},
                  {Hud::Side::Build, sf::Keyboard::Num1, 0, layerTitleBuild, true, false}};
    for (const bool byKey : {false, true})
        for (const auto& c : layers) {
            SCOPED_TRACE(c.title);
            byKey ? key(c.key) : click(*hud().side(c.button));
            EXPECT_EQ(sim().map->layer, c.layer);
            EXPECT_EQ(game.ui->statusText, c.title);
            EXPECT_EQ(hud().buildOptionsPanel->visible(), c.buildPanel);
            EXPECT_EQ(hud().populationOptionsPanel->visible(), c.populationPanel);
        }
}

TEST_F(HudGame, ThePopulationHintOpensOncePerGame) {
    const auto hints = [this] { return countTitled("RESIDENTS"); }; // shown in capitals
    click(*hud().side(Hud::Side::Population));
    ASSERT_EQ(hints(), 1);
    messageBoxes(*game.ui->gameRoot).back()->close();
    click(*hud().side(Hud::Side::Population));
    EXPECT_EQ(hints(), 0);

    sim().startNewGame();
    carryOut();
    click(*hud().side(Hud::Side::Population));
    EXPECT_EQ(hints(), 1);
}

TEST_F(HudGame, OptionBoxesAndTheMapAgreeAndRightClickShowsOnlyThatGroup) {
    click(*hud().side(Hud::Side::Population));
    for (gui::Window* box : messageBoxes(*game.ui->gameRoot))
        box->close();
    const MapRenderer& map = *game.mapRenderer;
    gui::CheckBox& housing = *hud().filterBox(Hud::Filter::Housing);
    gui::CheckBox& shops = *hud().filterBox(Hud::Filter::Shops);
    gui::CheckBox& jobs = *hud().filterBox(Hud::Filter::Jobs);
    const auto shown = [&] {
        return std::vector<bool>{map.showHousing, map.showShops, map.showJobs,
                                 housing.checked, shops.checked, jobs.checked};
    };
    const struct {
        gui::CheckBox* box;
        sf::Mouse::Button button;
        std::vector<bool> after; // the map's housing, shops, jobs, then the boxes
    } clicks[] = {{&jobs, sf::Mouse::Left, {1, 1, 0, 1, 1, 0}},
                  {&shops, sf::Mouse::Right, {0, 1, 0, 0, 1, 0}},
                  {&shops, sf::Mouse::Right, {0, 1, 0, 0, 1, 0}},
                  {&jobs, sf::Mouse::Right, {0, 0, 1, 0, 0, 1}}};
    for (const auto& c : clicks) {
        click(*c.box, c.button);
        EXPECT_EQ(shown(), c.after) << c.box->label();
    }
    click(*hud().side(Hud::Side::Needs));
    EXPECT_EQ(shown(), std::vector<bool>(6, true));

    click(*hud().side(Hud::Side::Build));
    gui::CheckBox& hide = *hud().hideBuildingsCheckBox;
    for (const auto button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Right}) {
        click(hide, button);
        EXPECT_EQ(game.mapRenderer->showBuildings, !hide.checked);
    }
}

} // namespace
