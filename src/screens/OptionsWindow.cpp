#include "screens/OptionsWindow.h"

#include "game/Game.h"

OptionsWindow::OptionsWindow(Game& game) : ScreenWindow(game, {240, 160}, gui::Align::Middle) {}

void OptionsWindow::open() {}
