#pragma once
// A started game playing its new city (the welcome box left out), with a mouse the test
// moves by hand, for the two tile windows.
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "game/StartedGame.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"

#include <gtest/gtest.h>
#include <mutex>

class TileScreenTest : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.mainMenu->onStartNewGame();
        // The welcome box would take the clicks in the middle of the screen.
        if (gui::Window* welcome = messageBox())
            welcome->close();
        game.ui->mouseSource = [this] { return mouse; };
    }

    Simulation& sim() { return *game.simulation; }
    Map& map() { return *game.simulation->map; }

    // Carries out what the simulation asked for, as the frame loop does.
    void carryOut() {
        sim().drainRequests([this](const Request& request) { game.carryOut(request); });
    }

    // A visible empty tile beside a road, offering the actions of a new city.
    Tile& buildableTile() {
        for (Tile* tile : map().visibleTiles())
            if (tile->kind == TileKind::Empty && !tile->actions.empty())
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

    // A press and release in the middle of a widget, routed by the UI.
    void click(const gui::Widget& widget, sf::Mouse::Button button = sf::Mouse::Left) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event{};
            event.type = type;
            event.mouseButton = {button, mouse.x * game.scale, mouse.y * game.scale};
            game.ui->handleEvent(event);
        }
    }

    // The topmost message box, or null.
    gui::Window* messageBox() {
        gui::Window* found = nullptr;
        for (const auto& child : game.ui->activeRoot().children())
            if (child->id == gui::DialogWindowId)
                found = static_cast<gui::Window*>(child.get());
        return found;
    }

    sf::Vector2i mouse;
};
