#pragma once
// "What?!": the in-game menu leading to saving, loading, options, about, the title
// screen and exit. It always lives on the game root and stays open under the windows
// it opens. Main thread only.
#include "screens/ScreenWindow.h"

class GameMenu : public ScreenWindow {
public:
    explicit GameMenu(Game& game);

    // Does nothing while the menu is open.
    void open();
};
