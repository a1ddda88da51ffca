#include "screens/TileActionsWindow.h"

#include "game/Game.h"

TileActionsWindow::TileActionsWindow(Game& game)
    : ScreenWindow(game, {210, 92}, gui::Align::Bottom) {}

void TileActionsWindow::open(Tile&) {}

void TileActionsWindow::createActionButtons(Tile&) {}

void TileActionsWindow::closeTileActions() {}

void TileActionsWindow::close() {
    ScreenWindow::close();
}
