#pragma once
// "Options": fullscreen, post-processing, music and effects switches and the palette.
#include "screens/ScreenWindow.h"

class OptionsWindow : public ScreenWindow {
public:
    explicit OptionsWindow(Game& game);

    void open();
};
