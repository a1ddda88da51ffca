#pragma once

class Game;

class FontManager {
public:
    explicit FontManager(Game& game) : game_(game) {}

private:
    Game& game_;
};
