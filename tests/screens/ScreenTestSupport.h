#pragma once
// A started game whose mouse the test moves: clicks go through the UI as the player's
// do, so close ids, hit areas and the shown root are part of what is tested, and what
// they ask of the simulation is carried out as the frame loop would.
#include "city/Request.h"
#include "city/Simulation.h"
#include "game/StartedGame.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/Hud.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <stdexcept>
#include <string>
#include <vector>

class ScreenTest : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.ui->mouseSource = [this] { return mouse; };
    }

    // A press and release in the middle of a widget, routed by the UI.
    void click(const gui::Widget& widget, sf::Mouse::Button with = sf::Mouse::Left) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event{};
            event.type = type;
            event.mouseButton = {with, mouse.x * game.scale, mouse.y * game.scale};
            game.ui->handleEvent(event);
        }
        carryOut();
    }
    void key(sf::Keyboard::Key code, bool alt = false) {
        sf::Event event{};
        event.type = sf::Event::KeyPressed;
        event.key = {code, alt, false, false, false};
        game.handleEvent(event);
        carryOut();
    }
    void carryOut() { game.simulation->drainRequests(carryOutRequest); }
    // One day as the date button runs it.
    void passDay() {
        ASSERT_NE(game.simulation->advanceDay(), 0u);
        game.simulation->waitForTick(carryOutRequest);
    }

    // The children of `parent` of one kind, in order.
    template <class T> static std::vector<T*> all(const gui::Widget& parent) {
        std::vector<T*> found;
        for (const auto& child : parent.children())
            if (auto* each = dynamic_cast<T*>(child.get()))
                found.push_back(each);
        return found;
    }
    static gui::Button& button(const gui::Widget& parent, const std::string& caption) {
        for (gui::Button* each : all<gui::Button>(parent))
            if (each->label() && each->label()->text() == caption)
                return *each;
        throw std::runtime_error("no button " + caption);
    }
    static std::string title(const gui::Window& window) { return window.titleBar()->title(); }
    // The message boxes still in `root`, oldest first.
    static std::vector<gui::Window*> messageBoxes(const gui::Widget& root) {
        std::vector<gui::Window*> boxes;
        for (gui::Window* each : all<gui::Window>(root))
            if (each->id == gui::DialogWindowId)
                boxes.push_back(each);
        return boxes;
    }
    // Windows and message boxes in the city with this (upper-case) title.
    int countTitled(const std::string& wanted) const {
        int count = 0;
        for (const gui::Window* window : all<gui::Window>(*game.ui->gameRoot))
            count += title(*window) == wanted;
        return count;
    }

    void startCity() {
        game.mainMenu->onStartNewGame();
        // The greeting boxes are no part of these screens.
        for (gui::Window* box : messageBoxes(*game.ui->gameRoot))
            box->close();
    }

    // The interface as a frame draws it, in UI pixels, with the cursor off screen; what
    // nothing covers stays transparent.
    sf::Image picture() {
        mouse = {-50, -50};
        const sf::Vector2i screen = game.ui->screenSize();
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(unsigned(screen.x), unsigned(screen.y)));
        target.setView(*game.uiView);
        target.clear(sf::Color::Transparent);
        game.hud->update(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Vector2i mouse;
    const RequestHandler carryOutRequest = [this](const Request& r) { game.carryOut(r); };
};

// The same playing a new city.
class CityScreenTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        startCity();
    }
};
