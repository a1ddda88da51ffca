#include "screens/SaveSlotsWindow.h"

#include "game/Game.h"

SaveSlotsWindow::SaveSlotsWindow(Game& game) : ScreenWindow(game, {160, 212}, gui::Align::Middle) {}

void SaveSlotsWindow::open(bool) {}
