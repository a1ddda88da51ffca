#include "screens/ProductionWindow.h"

#include "game/Game.h"

ProductionWindow::ProductionWindow(Game& game)
    : ScreenWindow(game, {320, 130}, gui::Align::Middle) {}

void ProductionWindow::open() {}

void ProductionWindow::refreshProduction() {}
