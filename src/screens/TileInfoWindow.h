#pragma once
// "Information": what stands on a tile, with rent buttons for houses, the goods
// switch for factories and the service range highlighted on the map. Main thread only.
#include "screens/ScreenWindow.h"

#include <SFML/Graphics/Rect.hpp>
#include <functional>
#include <string>

class Simulation;
class Tile;

namespace gui {
class Button;
class Image;
class Text;
} // namespace gui

class TileInfoWindow : public ScreenWindow {
public:
    explicit TileInfoWindow(Game& game);

    // Opens, re-targets or (for empty land and trees) closes the window; mapMutex held.
    void open(Tile& tile);
    // Also clears the map's range highlight; takes mapMutex, so never call it holding it.
    void close() override;

    gui::Text* infoText = nullptr;
    gui::Image* infoIcon = nullptr;
    gui::Text* rentLabel = nullptr;
    gui::Button* rentIncreaseButton = nullptr;
    gui::Button* rentDecreaseButton = nullptr;
    gui::Text* productionLabel = nullptr;
    gui::Button* productionPrevButton = nullptr;
    gui::Button* productionNextButton = nullptr;

private:
    // A command of the rent or goods buttons; the simulation takes the map for it.
    using TileCommand = std::function<void(Simulation&, Tile&)>;

    void create();
    gui::Text* addLabel(gui::Window& opened, const std::string& text);
    gui::Button* addControl(gui::Window& opened, sf::IntRect rect, const std::string& sprite,
                            TileCommand command);
    void show(Tile& tile);
    void closed() override;
    void forget();
    // The buttons act on the tile shown now, found again by its number, then show it
    // again.
    void actOnShownTile(const TileCommand& act);
    void refresh();

    // The number of the tile shown: the tile itself may hold another's content after
    // the city turned.
    int tileNumber = -1;
};
