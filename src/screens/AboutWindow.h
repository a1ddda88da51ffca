#pragma once
// The about and help text, wrapped to the window. Main thread only.
#include "screens/ScreenWindow.h"

class AboutWindow : public ScreenWindow {
public:
    // The first line names the game and the jam it was made for.
    static const char* const Body;

    explicit AboutWindow(Game& game);

    // Does nothing while the window is open.
    void open();

private:
    void fitHeight(gui::Window& about, int needed);
};
