#pragma once
// The four save slots with a summary of each saved city, for saving ("Save your
// progress") or loading ("Restore game"); also opened from the title screen.
#include "screens/ScreenWindow.h"

class SaveSlotsWindow : public ScreenWindow {
public:
    explicit SaveSlotsWindow(Game& game);

    void open(bool save);
};
