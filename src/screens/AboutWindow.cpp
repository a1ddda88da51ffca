#include "screens/AboutWindow.h"

#include "game/Game.h"

AboutWindow::AboutWindow(Game& game) : ScreenWindow(game, {310, 280}, gui::Align::Middle) {}

void AboutWindow::open() {}
