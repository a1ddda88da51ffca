#include "game/Game.h"

#include "assets/FontManager.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "platform/Config.h"
#include "platform/Folders.h"

Game::Game() = default;
Game::~Game() = default;

bool Game::init(int, char**) {
    config = std::make_unique<Config>();
    config->load(resourcePath() + "conf.dat");
    window = std::make_unique<sf::RenderWindow>(
        sf::VideoMode(config->getInt("width"), config->getInt("height")), "Tapburg",
        sf::Style::Close);
    return true;
}

void Game::run() {
    while (window->isOpen()) {
        sf::Event event;
        while (window->pollEvent(event))
            if (event.type == sf::Event::Closed)
                window->close();
        window->clear(paperColor);
        window->display();
    }
}

void Game::shutdown() {
    window->close();
    config->save(resourcePath() + "conf.dat");
}
