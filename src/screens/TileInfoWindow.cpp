#include "screens/TileInfoWindow.h"

#include "game/Game.h"

TileInfoWindow::TileInfoWindow(Game& game) : ScreenWindow(game, {220, 108}, gui::Align::Bottom) {}

void TileInfoWindow::open(Tile&) {}

void TileInfoWindow::close() {
    ScreenWindow::close();
}
