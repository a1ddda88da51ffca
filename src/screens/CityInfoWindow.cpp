#include "screens/CityInfoWindow.h"

#include "game/Game.h"

CityInfoWindow::CityInfoWindow(Game& game) : ScreenWindow(game, {250, 290}, gui::Align::Middle) {}

void CityInfoWindow::open() {}

void CityInfoWindow::populateCityInfo() {}
