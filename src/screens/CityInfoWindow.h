#pragma once
// "Population overview": population, class shares, housing demand and the build-rate
// upgrade.
#include "screens/ScreenWindow.h"

class CityInfoWindow : public ScreenWindow {
public:
    explicit CityInfoWindow(Game& game);

    // Opens the window and fills it, or only refreshes it when open.
    void open();
    // Rewrites the values of an open window.
    void populateCityInfo();
};
