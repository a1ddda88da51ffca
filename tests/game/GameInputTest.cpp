// The shell as the player meets it: the title screen, and the mouse and keys over the map.
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "gui/Image.h"
#include "platform/Config.h"
#include "screens/AboutWindow.h"
#include "screens/GameMenu.h"
#include "screens/ProductionWindow.h"
#include "screens/ScreenTestSupport.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

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
        return sf::Vector2i((world - topLeft) * static_cast<float>(game.magnification));
    }
    void wheel(sf::Vector2i at, float delta) {
        sf::Event event{};
        event.type = sf::Event::MouseWheelScrolled;
        event.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, at.x, at.y};
        game.handleEvent(event);
    }
    void keyUp(sf::Keyboard::Key code) {
        sf::Event event{};
        event.type = sf::Event::KeyReleased;
        event.key = {code, false, false, false, false};
        game.handleEvent(event);
    }
    void resize(unsigned width, unsigned height) {
        sf::Event event{};
        event.type = sf::Event::Resized;
        event.size = {width, height};
        game.handleEvent(event);
    }
    // The visible empty tile that offers actions: beside the first road.
    Tile& besideRoad() {
        Tile* found = nullptr;
        for (Tile* tile : map().visibleTiles())
            if (!tile->actions().empty() && tile->kind == TileKind::Empty)
                found = tile;
        if (found == nullptr)
            throw std::logic_error("no buildable tile");
        return *found;
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
        if (!tile->actions().empty() && tile->kind == TileKind::Empty)
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
              std::min<std::size_t>(target->actions().size(), 6));
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

TEST_F(MapInput, WheelZoomsAroundThePointerAndPickingFollows) {
    const sf::Vector2i pointer(500, 260);
    const auto pointUnder = [&] {
        const sf::Vector2f topLeft = game.mapView->getCenter() - game.mapView->getSize() / 2.f;
        return topLeft + sf::Vector2f(pointer) / static_cast<float>(game.magnification);
    };
    const sf::Vector2f before = pointUnder();
    wheel(pointer, 1.f);
    wheel(pointer, 1.f);
    EXPECT_EQ(game.magnification, 4);
    EXPECT_EQ(game.mapView->getSize(), sf::Vector2f(320, 180));
    EXPECT_LE(std::abs(pointUnder().x - before.x), 0.5f);
    EXPECT_LE(std::abs(pointUnder().y - before.y), 0.5f);
    EXPECT_EQ(game.config->get("mapZoom"), "4");

    const Tile& target = besideRoad();
    press(windowPixelOf(target.x, target.y));
    release(windowPixelOf(target.x, target.y));
    ASSERT_TRUE(game.tileActionsWindow->isOpen());
    EXPECT_EQ(map().selectedTileNumber, target.number);

    // The same 40 pixels on screen as at the default: 5 units of 4 pixels.
    const sf::Vector2f centre = game.mapView->getCenter();
    press({100, 100});
    move({140, 100});
    EXPECT_EQ(game.mapView->getCenter(), centre - sf::Vector2f(5, 0));
    release({140, 100});

    for (int notch = 0; notch < 9; ++notch)
        wheel(pointer, -1.f);
    EXPECT_EQ(game.magnification, 1);
    key(sf::Keyboard::Equal);
    EXPECT_EQ(game.magnification, 2);
    EXPECT_EQ(game.config->get("mapZoom"), "0"); // back to following the scale
}

TEST_F(MapInput, KeysPressButtonsCloseWindowsAndTurnTheMap) {
    const int day = game.simulation->dayCounter;
    key(sf::Keyboard::Space); // nothing armed: no button to press
    keyUp(sf::Keyboard::Space);
    key(sf::Keyboard::Return);
    keyUp(sf::Keyboard::Return);
    game.simulation->waitForTick(carryOutRequest);
    EXPECT_EQ(game.simulation->dayCounter, day + 1);

    const Tile& target = besideRoad();
    ASSERT_TRUE(game.simulation->startAction(target.number, 0, 0));
    carryOut();
    const int clicks = game.simulation->clickCounter;
    key(sf::Keyboard::Space);
    key(sf::Keyboard::Space); // auto-repeat of the held key
    EXPECT_EQ(game.simulation->clickCounter, clicks + 1);
    keyUp(sf::Keyboard::Space);
    key(sf::Keyboard::Return);
    EXPECT_EQ(game.simulation->clickCounter, clicks + 2);
    game.simulation->cancelAction();
    carryOut();

    // Escape: the message box, then the tile window, then the report, then the menu opens.
    game.ui_showProduction();
    game.ui_showTileInformation(*map().tileAt(37, 37));
    game.ui->showMessage("", "Hello", false);
    const std::function<bool()> shown[] = {
        [&] { return messageBoxes(*game.ui->gameRoot).empty(); },
        [&] { return !game.tileInfoWindow->isOpen() && game.productionWindow->isOpen(); },
        [&] { return !game.productionWindow->isOpen() && !game.menuWindow->isOpen(); },
        [&] { return game.menuWindow->isOpen(); }};
    for (const auto& expected : shown) {
        key(sf::Keyboard::Escape);
        keyUp(sf::Keyboard::Escape);
        EXPECT_TRUE(expected());
    }
    key(sf::Keyboard::F1);
    EXPECT_TRUE(game.aboutWindow->isOpen());

    const int number = map().tileAt(36, 37)->number;
    key(sf::Keyboard::E);
    EXPECT_NE(map().tileAt(36, 37)->number, number);
    key(sf::Keyboard::Q);
    EXPECT_EQ(map().tileAt(36, 37)->number, number);
}

TEST_F(MapInput, HeldArrowsPanHalfAScreenASecondUntilLetGo) {
    // Each press ends a quiet half second in which nothing was drawn: the map starts
    // moving from the press, by a frame's share of the pan (5.3 and 3 units) first.
    for (int press = 0; press < 2; ++press) {
        const sf::Vector2f start = game.mapView->getCenter();
        key(sf::Keyboard::Right);
        key(sf::Keyboard::W);
        game.frameTime = 0.5f;
        game.panMap();
        const sf::Vector2f first = game.mapView->getCenter() - start;
        EXPECT_NEAR(first.x, 5.f, 1.f);
        EXPECT_NEAR(first.y, -3.f, 1.f);
        game.panMap();
        EXPECT_EQ(game.mapView->getCenter(), start + first + sf::Vector2f(160, -90));
        keyUp(sf::Keyboard::Right);
        keyUp(sf::Keyboard::W);
        game.panMap();
        EXPECT_EQ(game.mapView->getCenter(), start + first + sf::Vector2f(160, -90));
    }
}

TEST_F(MapInput, ResizeLaysEverythingOutAgainAndKeepsTheSize) {
    game.ui_showMenu();
    const sf::Vector2f centre = game.mapView->getCenter();
    const struct {
        unsigned width, height;
        int scale;
        sf::Vector2f ui;
    } sizes[] = {
        {1600, 900, 2, {800, 450}}, {1921, 1080, 3, {640, 360}}, {1280, 720, 2, {640, 360}}};
    for (const auto& s : sizes) {
        resize(s.width, s.height);
        EXPECT_EQ(game.scale, s.scale);
        EXPECT_EQ(game.uiView->getSize(), s.ui);
        EXPECT_EQ(game.mapView->getCenter(), centre);
        // Whole pixels per unit: the one column left over is not stretched over.
        EXPECT_FLOAT_EQ(game.uiView->getViewport().width * static_cast<float>(s.width),
                        s.ui.x * static_cast<float>(s.scale));
        EXPECT_EQ(game.hud->dateSlot->position().x, static_cast<int>(s.ui.x) - 109);
        EXPECT_EQ(game.menuWindow->window->position().x, (static_cast<int>(s.ui.x) - 140) / 2);
        EXPECT_EQ(game.config->getInt("width"), static_cast<int>(s.width));
    }
}

TEST_F(MapInput, StatusStripNamesWhatIsUnderTheMouse) {
    Tile& tile = besideRoad();
    const auto hoverOver = [&](TileKind kind, int level = 1) {
        tile.setKind(kind, level);
        game.updateHover(windowPixelOf(tile.x, tile.y));
        return game.ui->hoverText;
    };
    EXPECT_EQ(hoverOver(TileKind::Empty), "");
    EXPECT_EQ(hoverOver(TileKind::Road), "Road");
    tile.setKind(TileKind::House, 2);
    tile.house()->residents = 3;
    game.updateHover(windowPixelOf(tile.x, tile.y));
    EXPECT_EQ(game.ui->hoverText,
              "Large house: 3/" + std::to_string(tile.house()->capacity) + " residents");
    tile.setKind(TileKind::Landfill);
    tile.landfill()->fill = tile.landfill()->capacity * 0.355;
    game.updateHover(windowPixelOf(tile.x, tile.y));
    EXPECT_EQ(game.ui->hoverText, "Landfill: 35% full");
    EXPECT_EQ(hoverOver(TileKind::Factory).rfind("Factory: 0/", 0), 0u);
    const std::string water = hoverOver(TileKind::WaterTower);
    EXPECT_EQ(water, "Water tower: 0/" + std::to_string(tile.waterSupply()->capacity) + " users");
    // Over a widget and off the map: nothing.
    const gui::Widget& side = *game.hud->side(Hud::Side::Build);
    game.updateHover((side.getAbsolutePosition() + side.size() / 2) * game.scale);
    EXPECT_EQ(game.ui->hoverText, "");
    game.centreViewOnPoint(-5000.f, 0.f);
    game.updateHover({640, 360});
    EXPECT_EQ(game.ui->hoverText, "");
}

} // namespace
