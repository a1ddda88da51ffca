#pragma once
// "What?!": the in-game menu leading to saving, loading, options, about, the title
// screen and exit.
#include "screens/ScreenWindow.h"

class GameMenu : public ScreenWindow {
public:
    explicit GameMenu(Game& game);

    void open();
};
