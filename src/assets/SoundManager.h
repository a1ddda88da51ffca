#pragma once

class Game;

class SoundManager {
public:
    explicit SoundManager(Game& game) : game_(game) {}

private:
    Game& game_;
};
