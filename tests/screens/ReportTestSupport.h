#pragma once
// A started game with a new city, its greeting boxes closed, a mouse the test moves by
// hand, and the simulation's requests carried out on demand as the frame loop would.
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
        closeMessageBoxes();
        game.ui->mouseSource = [this] { return mouse; };
    }

    void carryOutRequests() {
        game.simulation->drainRequests([this](const Request& request) { game.carryOut(request); });
    }

    // One day as the date button runs it, its requests carried out.
    void passDay() {
        ASSERT_NE(game.simulation->advanceDay(), 0u);
        game.simulation->waitForTick([this](const Request& request) { game.carryOut(request); });
    }

    std::vector<gui::Window*> windowsTitled(const std::string& upperCaseTitle) const {
        std::vector<gui::Window*> found;
        for (const auto& child : game.ui->gameRoot->children()) {
            auto* window = dynamic_cast<gui::Window*>(child.get());
            if (window && window->titleBar()->title() == upperCaseTitle)
                found.push_back(window);
        }
        return found;
    }

    std::vector<gui::Window*> messageBoxes() const {
        std::vector<gui::Window*> boxes;
        for (const auto& child : game.ui->gameRoot->children())
            if (child->id == gui::DialogWindowId)
                boxes.push_back(static_cast<gui::Window*>(child.get()));
        return boxes;
    }

    // Closing one box may open the next (the greeting leads to the info box).
    void closeMessageBoxes() {
        for (std::vector<gui::Window*> boxes = messageBoxes(); !boxes.empty();
             boxes = messageBoxes())
            for (gui::Window* box : boxes) {
                box->fireResult(gui::Window::Closed);
                box->close();
            }
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

    // The interface as one frame draws it, in UI pixels, the cursor off screen.
    sf::Image picture() {
        mouse = {-50, -50};
        sf::RenderTexture target;
        const sf::Vector2i screen = game.ui->screenSize();
        EXPECT_TRUE(target.create(unsigned(screen.x), unsigned(screen.y)));
        target.setView(*game.uiView);
        target.clear(game.paperColor);
        game.ui->draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Vector2i mouse;
};
