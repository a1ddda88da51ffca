#include "screens/ExpenditureWindow.h"

#include "game/Game.h"

ExpenditureWindow::ExpenditureWindow(Game& game)
    : ScreenWindow(game, {310, 240}, gui::Align::Middle) {}

void ExpenditureWindow::open() {}

void ExpenditureWindow::refreshExpenditure() {}
