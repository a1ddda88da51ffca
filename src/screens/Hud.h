#pragma once
// The heads-up display over the running city: budget, population and date read-outs,
// the side buttons for layers and reports, rotation, the date button, the armed
// action's caption, progress button, bar and cancel button, and the two option panels
// of the build and population layers. Built once, laid out on every size change,
// updated every frame. Main thread only. Non-copyable.
#include <SFML/Graphics/RenderTarget.hpp>
#include <string>

class Game;

namespace gui {
class Button;
} // namespace gui

class Hud {
public:
    explicit Hud(Game& game);
    Hud(const Hud&) = delete;
    Hud& operator=(const Hud&) = delete;

    // Builds the widgets into the UI's game root, then lays them out.
    void create();
    // Places every widget, and every open screen window, for the current screen size.
    void layout();
    // Once per frame in the UI view: draws the UI and the progress fill, reads the
    // numbers and runs the date button's timers.
    void update(sf::RenderTarget& target);

    // "" hides the action widgets and shows the date button; a caption does the reverse.
    void setActionTitle(const std::string& title);
    // Ignored while the date button's cooldown runs.
    void setDateButtonEnabled(bool enabled);
    // Hides the action's progress bar and button (windows are closed elsewhere).
    void hideActionProgress();
    // All layer filters on, and the option panel of the current layer shown.
    void resetLayerOptions();

    gui::Button* dateButton = nullptr;

private:
    Game& game;
};
