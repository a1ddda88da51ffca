#include "city/Map.h"
#include "city/Messages.h"
#include "city/Request.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "game/StartedGame.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "platform/Config.h"
#include "platform/TestFolders.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>


namespace {

// A started game on the generated data, in a 1280 x 720 window (scale 2, views of
// 640 x 360), showing its new city without the welcome box, which would take the
// clicks in the middle of the screen.
class PlayedGame : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.simulation->startNewGame();
        game.simulation->drainRequests([this](const Request& request) {
            if (request.kind != RequestKind::ShowMessage)
                game.carryOut(request);
        });
        ASSERT_FALSE(game.mainMenu->showing);
    }

    Map& map() { return *game.simulation->map; }

    void mouse(sf::Event::EventType type, sf::Mouse::Button button, sf::Vector2i at) {
        sf::Event event;
        event.type = type;
        event.mouseButton = {button, at.x, at.y};
        game.handleEvent(event);
    }
    void press(sf::Vector2i at) { mouse(sf::Event::MouseButtonPressed, sf::Mouse::Left, at); }
    void release(sf::Vector2i at, sf::Mouse::Button button = sf::Mouse::Left) {
        mouse(sf::Event::MouseButtonReleased, button, at);
    }
    void move(sf::Vector2i at) {
        sf::Event event;
        event.type = sf::Event::MouseMoved;
        event.mouseMove = {at.x, at.y};
        game.handleEvent(event);
    }
    void key(sf::Keyboard::Key code, bool alt = false) {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, alt, false, false, false};
        game.handleEvent(event);
    }

    // Window pixel of the middle of tile (x, y) under the current view.
    sf::Vector2i windowPixelOf(int x, int y) const {
        const sf::Vector2f topLeft = game.mapView->getCenter() - game.mapView->getSize() / 2.f;
        const sf::Vector2f world((x + y) * 16 + 16.f, (y - x) * 8 + 8.f);
        return sf::Vector2i((world - topLeft) * 2.f);
    }
};

} // namespace

TEST_F(PlayedGame, NewCityIsCentredAndPickedAtTheScreenMiddle) {
    EXPECT_EQ(game.mapView->getCenter(), sf::Vector2f(37 * 32 + 16, 8));
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(37, 37));
    EXPECT_FALSE(map().tileAt(37, 37)->hasFlag(kFlagOffScreen));
    EXPECT_TRUE(map().tileAt(0, 0)->hasFlag(kFlagOffScreen));
    game.centreViewOnPoint(-5000.f, -5000.f);
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(0, 0));
}

TEST_F(PlayedGame, DragMovesTheViewInWholeUnitsAndOpensNothing) {
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

TEST_F(PlayedGame, LeftClickOpensActionsOnlyInBuildModeWithNothingArmed) {
    // The visible tile beside the first road that offers actions.
    const Tile* target = nullptr;
    for (const Tile* tile : map().visibleTiles())
        if (!tile->actions.empty() && tile->kind == TileKind::Empty)
            target = tile;
    ASSERT_NE(target, nullptr);
    const sf::Vector2i at = windowPixelOf(target->x, target->y);

    key(sf::Keyboard::Num3);
    EXPECT_EQ(map().layer, 1);
    EXPECT_EQ(game.ui->statusText, layerTitlePopulation);
    press(at);
    release(at);
    EXPECT_FALSE(game.tileActionsWindow->isOpen());

    key(sf::Keyboard::Num1);
    game.simulation->actionKind = ActionKind::BuildRoad;
    press(at);
    release(at);
    EXPECT_FALSE(game.tileActionsWindow->isOpen());

    game.simulation->actionKind = ActionKind::None;
    press(at);
    release(at + sf::Vector2i(3, 0)); // one pixel past the click allowance
    EXPECT_FALSE(game.tileActionsWindow->isOpen());
    press(at);
    release(at + sf::Vector2i(2, -2));
    EXPECT_TRUE(game.tileActionsWindow->isOpen());
    EXPECT_EQ(map().selectedTileNumber, target->number);
    EXPECT_EQ(game.tileActionsWindow->actionButtons.size(),
              std::min<std::size_t>(target->actions.size(), 6));
}

TEST_F(PlayedGame, OnlyAltReturnAsksForTheOtherWindowMode) {
    key(sf::Keyboard::Return);
    EXPECT_FALSE(game.recreateWindowRequested);
    key(sf::Keyboard::Return, true);
    EXPECT_TRUE(game.recreateWindowRequested);
    EXPECT_TRUE(game.config->is("isFullscreen", "true"));
}

TEST_F(PlayedGame, RightClickOpensInformationOnAnyLayerAfterADrag) {
    key(sf::Keyboard::Num4);
    press({600, 300});
    move({640, 340});
    release({640, 340});
    const sf::Vector2i at = windowPixelOf(37, 37);
    release(at, sf::Mouse::Right);
    ASSERT_EQ(map().tileAt(37, 37)->kind, TileKind::Road);
    ASSERT_TRUE(game.tileInfoWindow->isOpen());
    EXPECT_EQ(game.tileInfoWindow->infoText->text(), "Maintenance cost: 1 per day");
}

TEST_F(PlayedGame, RotationKeepsTheMiddleTileInTheMiddle) {
    const Tile& middle = *map().tileAt(37, 37);
    const int number = middle.number;
    game.centreViewOnTile(40, 35);
    game.rotateRight();
    const sf::Vector2i picked = game.pickTile({320, 180}, true);
    EXPECT_EQ(picked, sf::Vector2i(75 - 1 - 35, 40));
    game.rotateLeft();
    EXPECT_EQ(game.pickTile({320, 180}, true), sf::Vector2i(40, 35));
    EXPECT_EQ(map().tileAt(37, 37)->number, number);
}

TEST_F(PlayedGame, PlusOneMarksRiseAndExpireAtSixTenths) {
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    game.addFloatingEffect(100.f, 50.f, 0.f);
    game.addFloatingEffect(100.f, 50.f, 0.5f);
    game.frameTime = 0.3f;
    game.drawFloatingEffects(target);
    ASSERT_EQ(game.floatingEffects.size(), 2u);
    EXPECT_FLOAT_EQ(game.floatingEffects[0].y, 50.f - 32.f * 0.3f);
    EXPECT_FLOAT_EQ(game.floatingEffects[0].x, 100.f);
    EXPECT_GT(game.floatingEffects[1].x, 100.f);
    game.frameTime = 0.29f;
    game.drawFloatingEffects(target);
    EXPECT_EQ(game.floatingEffects.size(), 2u);
    game.frameTime = 0.01f;
    game.drawFloatingEffects(target);
    EXPECT_TRUE(game.floatingEffects.empty());
}

TEST_F(PlayedGame, MarkBornInAFrameOfNoTimeKeepsAPosition) {
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    game.addFloatingEffect(10.f, 20.f, 0.3f);
    game.frameTime = 0.f;
    game.drawFloatingEffects(target);
    ASSERT_EQ(game.floatingEffects.size(), 1u);
    EXPECT_EQ(game.floatingEffects[0].x, 10.f);
}

TEST_F(PlayedGame, ShakeFadesOutNearItsOrigin) {
    const sf::Vector2f origin = game.mapView->getCenter();
    game.startShake(0.5f, 1.0f);
    game.frameTime = 0.25f;
    game.updateShake();
    const sf::Vector2f offset = game.mapView->getCenter() - origin;
    EXPECT_NEAR(std::hypot(offset.x, offset.y), 2.f, 1e-4f);
    EXPECT_TRUE(game.shakeActive);
    game.updateShake();
    EXPECT_FALSE(game.shakeActive);
    EXPECT_EQ(game.shakeStrength, 0.f);
}

TEST_F(PlayedGame, SimulationRequestsReachTheShell) {
    game.simulation->listener().floatingMark(5.f, 6.f, 0.1f);
    game.simulation->listener().shake(0.4f, 1.0f);
    game.simulation->listener().centreViewOnTile(10, 12);
    game.simulation->drainRequests([this](const Request& r) { game.carryOut(r); });
    ASSERT_EQ(game.floatingEffects.size(), 1u);
    EXPECT_EQ(game.floatingEffects[0].drift, 0.1f);
    EXPECT_TRUE(game.shakeActive);
    EXPECT_EQ(game.mapView->getCenter(), sf::Vector2f(22 * 16 + 16, 2 * 8 + 8));
}
