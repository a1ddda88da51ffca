#pragma once
// The about and help text.
#include "screens/ScreenWindow.h"

class AboutWindow : public ScreenWindow {
public:
    explicit AboutWindow(Game& game);

    void open();
};
