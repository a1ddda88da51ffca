#pragma once
// "Yes, my mayor?": the build actions a tile offers, a page of up to six with their
// prices, paged with arrows. Choosing one pays for it and arms it; a right click on one
// explains it. Main thread only.
#include "city/CityTypes.h"
#include "screens/ScreenWindow.h"

#include <cstddef>
#include <vector>

class Tile;

namespace gui {
class Button;
class Image;
} // namespace gui

class TileActionsWindow : public ScreenWindow {
public:
    explicit TileActionsWindow(Game& game);

    // Opens (or re-opens without the sound) the window for a tile on its first page;
    // mapMutex held.
    void open(Tile& tile);
    // Builds the buttons of the current page; mapMutex held.
    void createActionButtons(Tile& tile);
    // Forgets the window (callers removed it), the selected tile and the page's buttons,
    // and shows the date button when no action is armed.
    void closeTileActions();
    // Also forgets the selected tile and the page, like the player's "Close".
    void close() override;

    int tileActionsWidth = 0;
    // Index in the tile's actions of the first one shown.
    std::size_t actionPageStart = 0;
    gui::Button* actionNextButton = nullptr;
    gui::Button* actionPreviousButton = nullptr;
    std::vector<gui::Button*> actionButtons;
    std::vector<gui::Image*> actionPriceBadges;

private:
    void closed() override;
    void addPagingButtons(gui::Window& window);
    void addActionButton(gui::Window& window, const Tile& tile, std::size_t slot, int x);
    void turnPage(int step);
    void choose(ActionKind kind);
    void explain(ActionKind kind) const;

    // The number of the tile shown: the tile itself may hold another's content after
    // the city turned.
    int tileNumber = -1;
};
