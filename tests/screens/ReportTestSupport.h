#pragma once
// A started game with a new city, its greeting boxes closed, a mouse the test moves by
// hand, and the simulation's requests carried out as the frame loop would.
#include "city/Request.h"
#include "city/Simulation.h"
#include "game/StartedGame.h"
#include "gui/MainMenu.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <vector>

class ReportTest : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.mainMenu->onStartNewGame();
        // Closing the greeting opens the next box.
        for (auto boxes = dialogs(); !boxes.empty(); boxes = dialogs())
            for (gui::Window* box : boxes) {
                box->fireResult(gui::Window::Closed);
                box->close();
            }
        game.ui->mouseSource = [this] { return mouse; };
    }

    RequestHandler carryOut() {
        return [this](const Request& request) { game.carryOut(request); };
    }

    // One day as the date button runs it.
    void passDay() {
        ASSERT_NE(game.simulation->advanceDay(), 0u);
        game.simulation->waitForTick(carryOut());
    }

    std::vector<gui::Window*> dialogs() const {
        std::vector<gui::Window*> found;
        for (const auto& child : game.ui->gameRoot->children())
            if (child->id == gui::DialogWindowId)
                found.push_back(static_cast<gui::Window*>(child.get()));
        return found;
    }

    // Windows and message boxes with this (upper-case) title.
    int countTitled(const std::string& title) const {
        int count = 0;
        for (const auto& child : game.ui->gameRoot->children())
            if (auto* window = dynamic_cast<gui::Window*>(child.get()))
                count += window->titleBar()->title() == title;
        return count;
    }

    // A left press and release on the middle of a widget, through the UI.
    void click(const gui::Widget& widget) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event{};
            event.type = type;
            event.mouseButton = {sf::Mouse::Left, mouse.x * game.scale, mouse.y * game.scale};
            game.ui->handleEvent(event);
        }
    }

    // The interface as a frame draws it, in UI pixels, with the cursor off screen.
    sf::Image picture() {
        mouse = {-50, -50};
        const sf::Vector2i screen = game.ui->screenSize();
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(unsigned(screen.x), unsigned(screen.y)));
        target.setView(*game.uiView);
        target.clear(game.paperColor);
        game.ui->draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Vector2i mouse;
};
