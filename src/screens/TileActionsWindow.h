#pragma once
// "Yes, my mayor?": the build actions a tile offers, a page of up to six with their
// prices, paged with arrows. Choosing one pays for it and arms it.
#include "screens/ScreenWindow.h"

class Tile;

class TileActionsWindow : public ScreenWindow {
public:
    explicit TileActionsWindow(Game& game);

    // Opens (or re-opens without the sound) the window for a tile; mapMutex held.
    void open(Tile& tile);
    // Builds the buttons of the current page.
    void createActionButtons(Tile& tile);
    // Forgets the window (callers removed it), the selected tile and the page's buttons,
    // and shows the date button when no action is armed.
    void closeTileActions();
    void close() override;
};
