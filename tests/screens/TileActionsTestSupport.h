#pragma once
// A started game playing its new city (the welcome box left out), for the two tile
// windows.
#include "ScreenTestSupport.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"

#include <gtest/gtest.h>
#include <mutex>

class TileScreenTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // The welcome box would take the clicks in the middle of the screen.
        startCity();
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

    // The topmost message box, or null.
    gui::Window* messageBox() {
        gui::Window* found = nullptr;
        for (const auto& child : game.ui->activeRoot().children())
            if (child->id == gui::DialogWindowId)
                found = static_cast<gui::Window*>(child.get());
        return found;
    }
};
