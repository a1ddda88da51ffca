#pragma once
// The scripted player: the steps a person takes through the game's screens, each
// made of clicks at the places the layouts give. Steps that the game answers on its
// standard output wait for that answer.
#include "GameSession.h"

#include <memory>

class FontManager;
class Game;

class Player {
public:
    // Loads the game's fonts from $TAPBURG_DATA_DIR (the build's by default), to lay
    // out message boxes as the game does; needs the display for their textures.
    explicit Player(GameSession& session);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // "Start new game" on the title screen, then the welcome and "Info" boxes closed.
    bool startNewGame();
    // Arms "Build road" on an empty tile beside the first road; the tile's grid offset
    // from the first road. Trees grow at random beside it, so a tile that turns out to
    // offer only a tree's actions is passed over for the next.
    std::optional<sf::Vector2i> armRoadBesideFirstRoad();
    void clickProgress(int times);
    // Presses the date button `days` times, each once the day before has ended.
    bool passDays(int days);
    void clickFirstRoad(); // in the middle of the view of a new city
    // On the title screen: "Options", "Cycle through palettes", "Close".
    void cyclePalette();
    // Through the game menu into an empty slot, closing the confirmation and the menu.
    bool saveToSlot(int slot);
    bool backToTitleScreen();
    bool loadFromTitleScreen(int slot);

private:
    void closeMessage(const std::string& title, const std::string& text);

    GameSession& session_;
    std::unique_ptr<Game> game_; // the fonts' owner; never started
    std::unique_ptr<FontManager> fonts_;
};
