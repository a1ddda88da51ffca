#pragma once
// "Options": fullscreen, post-processing, music and effects switches, the palette and
// the music and effects volumes.
// The check boxes show the settings as they were when the window opened; each change
// is stored at once and takes effect at once (a new window at the end of the frame,
// the music now). Opens on the shown root, the title screen's included. Main thread
// only.
#include "screens/ScreenWindow.h"

class OptionsWindow : public ScreenWindow {
public:
    explicit OptionsWindow(Game& game);

    // Does nothing while the window is open on the shown root.
    void open();

private:
    // A volume setting's name, its "-" and "+" buttons and its value, at height y.
    void addVolumeRow(gui::Window& to, int y, const char* label, const char* key);
};
