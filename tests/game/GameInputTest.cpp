// The shell as the player meets it: the title screen, and the mouse and keys over the map.
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "screens/ScreenTestSupport.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using TitleScreen = ScreenTest;

TEST_F(TitleScreen, NewGameWelcomesThenInfoAndBackDropsTheArmedAction) {
    game.mainMenu->onStartNewGame();
    EXPECT_TRUE(game.ui->gameRoot->visible());
    messageBoxes(*game.ui->gameRoot).back()->fireResult(gui::Window::Closed);
    EXPECT_EQ(title(*messageBoxes(*game.ui->gameRoot).back()), "INFO");

    game.simulation->actionTileNumber = 7;
    game.showMainMenu();
    EXPECT_TRUE(game.mainMenu->showing);
    EXPECT_EQ(game.simulation->actionTileNumber, -1);
    game.mainMenu->onExit();
    EXPECT_FALSE(game.window->isOpen());
}

TEST_F(TitleScreen, NumberKeysSetTheLayerButTheHiddenMapTakesNoMouse) {
    key(sf::Keyboard::Num3);
    EXPECT_EQ(game.simulation->map->layer, 1);
    EXPECT_EQ(game.ui->statusText, layerTitlePopulation);
    sf::Event press{};
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton = {sf::Mouse::Left, 400, 300};
    game.handleEvent(press);
    EXPECT_FALSE(game.dragging);
}

// Events in window pixels (scale 2) over a new city.
class MapInput : public CityScreenTest {
protected:
    Map& map() { return *game.simulation->map; }

    void send(sf::Event::EventType type, sf::Vector2i at, sf::Mouse::Button with) {
        mouse = at / game.scale;
        sf::Event event{};
        event.type = type;
        if (type == sf::Event::MouseMoved)
            event.mouseMove = {at.x, at.y};
        else
            event.mouseButton = {with, at.x, at.y};
        game.handleEvent(event);
    }
    void press(sf::Vector2i at) { send(sf::Event::MouseButtonPressed, at, sf::Mouse::Left); }
    void release(sf::Vector2i at, sf::Mouse::Button with = sf::Mouse::Left) {
        send(sf::Event::MouseButtonReleased, at, with);
    }
    void move(sf::Vector2i at) { send(sf::Event::MouseMoved, at, sf::Mouse::Left); }

    // Window pixel of the middle of tile (x, y) under the current view.
    sf::Vector2i windowPixelOf(int x, int y) const {
        const sf::Vector2f topLeft = game.mapView->getCenter() - game.mapView->getSize() / 2.f;
        const sf::Vector2f world((x + y) * 16 + 16.f, (y - x) * 8 + 8.f);
        return sf::Vector2i((world - topLeft) * 2.f);
    }
};

TEST_F(MapInput, NewCityIsCentredAndPickedAtTheScreenMiddle) {
    EXPECT_EQ(game.mapView->getCenter(), sf::Vector2f(37 * 32 + 16, 8));
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(37, 37));
    EXPECT_FALSE(map().tileAt(37, 37)->hasFlag(kFlagOffScreen));
    EXPECT_TRUE(map().tileAt(0, 0)->hasFlag(kFlagOffScreen));
}

TEST_F(MapInput, DragMovesTheViewInWholeUnitsAndOpensNothing) {
    const sf::Vector2f centre = game.mapView->getCenter();
    press({400, 300});
    move({407, 300}); // 6 whole pixels at scale 2, a quarter of that: 1 unit
    EXPECT_EQ(game.mapView->getCenter(), centre - sf::Vector2f(1, 0));
    move({380, 340});
    EXPECT_EQ(game.mapView->getCenter(), centre - sf::Vector2f(-5, 10));
    release({380, 340});
    EXPECT_FALSE(game.dragging);
    EXPECT_EQ(map().selectedTileNumber, -1);
    move({0, 0}); // no longer dragging
    EXPECT_EQ(game.mapView->getCenter(), centre - sf::Vector2f(-5, 10));
}

TEST_F(MapInput, LeftClickOpensActionsOnlyInBuildModeWithNothingArmed) {
    // The visible tile beside the first road that offers actions.
    const Tile* target = nullptr;
    for (const Tile* tile : map().visibleTiles())
        if (!tile->actions.empty() && tile->kind == TileKind::Empty)
            target = tile;
    ASSERT_NE(target, nullptr);
    const sf::Vector2i at = windowPixelOf(target->x, target->y);
    const struct {
        sf::Keyboard::Key layer;
        ActionKind armed;
        sf::Vector2i releasedBy;
        bool opens;
    } clicks[] = {{sf::Keyboard::Num3, ActionKind::None, {0, 0}, false},
                  {sf::Keyboard::Num1, ActionKind::BuildRoad, {0, 0}, false},
                  {sf::Keyboard::Num1, ActionKind::None, {3, 0}, false}, // past the allowance
                  {sf::Keyboard::Num1, ActionKind::None, {2, -2}, true}};
    for (const auto& c : clicks) {
        key(c.layer);
        game.simulation->actionKind = c.armed;
        press(at);
        release(at + c.releasedBy);
        EXPECT_EQ(game.tileActionsWindow->isOpen(), c.opens);
    }
    EXPECT_EQ(map().selectedTileNumber, target->number);
    EXPECT_EQ(game.tileActionsWindow->actionButtons.size(),
              std::min<std::size_t>(target->actions.size(), 6));
}

TEST_F(MapInput, RightClickOpensInformationOnAnyLayerAfterADrag) {
    key(sf::Keyboard::Num4);
    press({600, 300});
    move({640, 340});
    release({640, 340});
    release(windowPixelOf(37, 37), sf::Mouse::Right);
    ASSERT_EQ(map().tileAt(37, 37)->kind, TileKind::Road);
    ASSERT_TRUE(game.tileInfoWindow->isOpen());
    EXPECT_EQ(game.tileInfoWindow->infoText->text(), "Maintenance cost: 1 per day");
}

TEST_F(MapInput, RotationKeepsTheMiddleTileInTheMiddle) {
    const int number = map().tileAt(37, 37)->number;
    game.centreViewOnTile(40, 35);
    game.rotateRight();
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(75 - 1 - 35, 40));
    game.rotateLeft();
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(40, 35));
    EXPECT_EQ(map().tileAt(37, 37)->number, number);
}

// A shake still running, or frozen when the title screen came up, stays with the old city.
TEST_F(MapInput, NewOrLoadedCityStartsStill) {
    ASSERT_TRUE(game.saveGame(1));
    const sf::Vector2f centre = game.mapView->getCenter();
    for (const bool load : {false, true}) {
        game.centreViewOnTile(5, 5);
        game.startShake(0.65f, 1.f);
        game.showMainMenu();
        if (load)
            ASSERT_TRUE(game.loadGame(1));
        else
            startCity();
        game.frameTime = 0.1f;
        game.updateShake();
        EXPECT_EQ(game.mapView->getCenter(), centre) << load;
    }
}

TEST_F(MapInput, PlusOneMarksRiseDriftAndExpireAtSixTenths) {
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    const auto frame = [&](float seconds) {
        game.frameTime = seconds;
        game.drawFloatingEffects(target);
    };
    game.addFloatingEffect(100.f, 50.f, 0.f);
    game.addFloatingEffect(100.f, 50.f, 0.5f);
    frame(0.f); // a frame of no time moves nothing
    ASSERT_EQ(game.floatingEffects.size(), 2u);
    EXPECT_EQ(game.floatingEffects[1].x, 100.f);
    frame(0.3f);
    EXPECT_FLOAT_EQ(game.floatingEffects[0].y, 50.f - 32.f * 0.3f);
    EXPECT_FLOAT_EQ(game.floatingEffects[0].x, 100.f);
    EXPECT_GT(game.floatingEffects[1].x, 100.f);
    frame(0.29f);
    EXPECT_EQ(game.floatingEffects.size(), 2u);
    frame(0.01f);
    EXPECT_TRUE(game.floatingEffects.empty());
}

} // namespace
