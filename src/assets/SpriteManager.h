#pragma once

class Game;

class SpriteManager {
public:
    explicit SpriteManager(Game& game) : game_(game) {}

private:
    Game& game_;
};
