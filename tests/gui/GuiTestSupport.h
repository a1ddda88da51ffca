#pragma once
// A windowless game with the generated data's sprites, fonts and sounds, a UI on a
// 640 x 360 screen and a mouse the test moves by hand.
#include "assets/FontManager.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "game/Game.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "platform/Config.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <gtest/gtest.h>
#include <memory>

namespace guitest {

class GuiTest : public ::testing::Test {
protected:
    GuiTest() {
        // One GL resource for the whole run keeps SFML's shared context alive; else it is
        // torn down with every windowless game and the X display soon fails to reopen.
        static const sf::Texture keepContext;
        // No settings, so effects stay off: these tests check what a click does, not what
        // it sounds like.
        game.config = std::make_unique<Config>();
        game.uiView = std::make_unique<sf::View>(sf::FloatRect(0.f, 0.f, 640.f, 360.f));
        game.spriteManager = std::make_unique<SpriteManager>(game);
        game.soundManager = std::make_unique<SoundManager>(game);
        game.fontManager = std::make_unique<FontManager>(game);
        game.spriteManager->setPalette(0);
        game.spriteManager->loadSprites();
        game.soundManager->loadSounds();
        game.fontManager->loadFonts();
        ui = std::make_unique<UI>(game);
        ui->mouseSource = [this] { return mouse; };
        ui->gameRoot->setVisible(true);
    }

    // Window-pixel coordinates in the event, as the window reports them.
    sf::Event mouseEvent(sf::Event::EventType type, sf::Mouse::Button button = sf::Mouse::Left) {
        sf::Event event{};
        event.type = type;
        event.mouseButton.button = button;
        event.mouseButton.x = mouse.x * game.scale;
        event.mouseButton.y = mouse.y * game.scale;
        return event;
    }

    // Moves the mouse and has the UI route a press at `from` and a release at `to`.
    void click(sf::Vector2i at, sf::Mouse::Button button = sf::Mouse::Left) {
        clickFromTo(at, at, button);
    }
    void clickFromTo(sf::Vector2i from, sf::Vector2i to,
                     sf::Mouse::Button button = sf::Mouse::Left) {
        mouse = from;
        ui->handleEvent(mouseEvent(sf::Event::MouseButtonPressed, button));
        mouse = to;
        sf::Event moved{};
        moved.type = sf::Event::MouseMoved;
        moved.mouseMove.x = to.x * game.scale;
        moved.mouseMove.y = to.y * game.scale;
        ui->handleEvent(moved);
        ui->handleEvent(mouseEvent(sf::Event::MouseButtonReleased, button));
    }

    Game game;
    std::unique_ptr<UI> ui;
    sf::Vector2i mouse;
};

} // namespace guitest
