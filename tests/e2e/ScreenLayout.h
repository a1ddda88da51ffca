#pragma once
// Where the game's buttons are, in UI pixels (window pixels divided by the scale),
// worked out from the screen size the way the screens place their windows. Every
// function returns the middle of the control, where a player would click.
#include <SFML/System/Vector2.hpp>

namespace screen {

using Point = sf::Vector2i;

struct Size {
    int width = 0, height = 0;
};

// The title screen's "Welcome!" window: 0 "Start new game", 1 "Load game",
// 2 "Options", 3 "Exit game".
Point titleEntry(Size ui, int index);

// The "Okay" button of a message box whose wrapped text is `textHeight` pixels high.
Point messageOkay(Size ui, bool titled, int textHeight);

// The middle of the tile `offset` grid steps from the tile the view is centred on, as
// long as the view has not moved since it was centred.
Point tileFromCentre(Size ui, sf::Vector2i offset);

// The button of the `index`-th action on the first page of the tile-actions window
// of a tile offering `actionCount` actions.
Point tileAction(Size ui, int actionCount, int index);

// The HUD's progress button (shown while an action is armed) and menu button.
Point progressButton(Size ui);
Point menuButton(Size ui);

// The game menu: 0 "Save game", 1 "Load game", 2 "Options", 3 "About & Help",
// 4 "Back to menu", 5 "Exit game"; and "Resume".
Point gameMenuEntry(Size ui, int index);
Point gameMenuResume(Size ui);

// Slot 1 to 4 of the save-slot window, which sits lower on the title screen.
Point saveSlot(Size ui, int slot, bool onTitleScreen);

// The options window: "Cycle through palettes" and "Close".
Point optionsCyclePalette(Size ui);
Point optionsClose(Size ui);

// A spot of bare map far from the first road and from every HUD control.
Point quietMapSpot(Size ui);

} // namespace screen
