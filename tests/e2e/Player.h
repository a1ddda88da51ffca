#pragma once
// The scripted player: the steps a person takes through the game's screens, each
// made of clicks at the places the layouts give. Steps that the game answers on its
// standard output wait for that answer.
#include "GameSession.h"
#include "MessageMetrics.h"
#include "NewGameFacts.h"

#include <optional>

class Player {
public:
    explicit Player(GameSession& session);

    const NewGameFacts& facts() const { return facts_; }

    // "Start new game" on the title screen, then the welcome and "Info" boxes closed.
    bool startNewGame();
    void closeMessage(const MessageText& message);
    // Arms "Build road" on an empty tile beside the first road; the tile's grid offset
    // from the first road. Trees grow at random beside it, so a tile that turns out to
    // offer only a tree's actions is passed over for the next.
    std::optional<sf::Vector2i> armRoadBesideFirstRoad();
    void clickProgress(int times);
    // Through the game menu into an empty slot, closing the confirmation and the menu.
    bool saveToSlot(int slot);
    bool backToTitleScreen();
    bool loadFromTitleScreen(int slot);

private:
    // Waits for a frame that shows what the clicks so far opened, before the next click
    // aims at it: a window opened by a click may not take clicks before it is drawn.
    bool shown(const std::string& name);
    bool actionArmed();

    GameSession& session_;
    MessageMetrics metrics_;
    NewGameFacts facts_;
};
