#include "screens/GameMenu.h"

#include "game/Game.h"

GameMenu::GameMenu(Game& game) : ScreenWindow(game, {140, 205}, gui::Align::Middle) {}

void GameMenu::open() {}
