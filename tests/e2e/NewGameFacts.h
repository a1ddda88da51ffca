#pragma once
// What every new city has in common, whatever its random trees: the greeting boxes
// and what an empty tile beside the first road offers. Taken from the simulation
// itself, so the scenarios follow the game when its texts or menus change.
#include <string>

struct MessageText {
    std::string title;
    std::string text;
};

struct NewGameFacts {
    MessageText welcome;
    MessageText info; // opens when the welcome box closes
    int emptyTileActions = 0;
    int buildRoadIndex = -1;
};

NewGameFacts newGameFacts();
