#pragma once
// "Production & demand": goods demand, production, income and prices with the price
// buttons.
#include "screens/ScreenWindow.h"

class ProductionWindow : public ScreenWindow {
public:
    explicit ProductionWindow(Game& game);

    // Opens the window and fills it, or only refreshes it when open.
    void open();
    // Rewrites the values of an open window.
    void refreshProduction();
};
