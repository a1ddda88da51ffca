#pragma once
// "City expenditure & finances": every ledger category by month and year, the daily
// change and the loan.
#include "screens/ScreenWindow.h"

class ExpenditureWindow : public ScreenWindow {
public:
    explicit ExpenditureWindow(Game& game);

    // Opens the window and fills it, or only refreshes it when open.
    void open();
    // Rewrites the values of an open window.
    void refreshExpenditure();
};
