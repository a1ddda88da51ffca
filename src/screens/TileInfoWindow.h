#pragma once
// "Information": what stands on a tile, with rent buttons for houses, the goods
// switch for factories and the service range highlighted on the map.
#include "screens/ScreenWindow.h"

class Tile;

class TileInfoWindow : public ScreenWindow {
public:
    explicit TileInfoWindow(Game& game);

    // Opens, re-targets or (for empty land and trees) closes the window; mapMutex held.
    void open(Tile& tile);
    // Also clears the map's range highlight.
    void close() override;
};
