#pragma once
// A started game whose mouse the test moves: clicks go through the UI as the player's
// do, so close ids, hit areas and the shown root are part of what is tested.
#include "game/StartedGame.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"

#include <string>
#include <vector>

class ScreenTest : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.ui->mouseSource = [this] { return mouse; };
    }

    // Press and release in the middle of the widget.
    void click(const gui::Widget& widget, sf::Mouse::Button button = sf::Mouse::Left) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event{};
            event.type = type;
            event.mouseButton.button = button;
            event.mouseButton.x = mouse.x * game.scale;
            event.mouseButton.y = mouse.y * game.scale;
            game.ui->handleEvent(event);
        }
    }

    // The button of `parent` with that caption, or null.
    static gui::Button* button(const gui::Widget& parent, const std::string& caption) {
        for (const auto& child : parent.children())
            if (auto* found = dynamic_cast<gui::Button*>(child.get()))
                if (found->label() && found->label()->text() == caption)
                    return found;
        return nullptr;
    }

    static std::vector<gui::Button*> buttons(const gui::Widget& parent) {
        std::vector<gui::Button*> found;
        for (const auto& child : parent.children())
            if (auto* each = dynamic_cast<gui::Button*>(child.get()))
                found.push_back(each);
        return found;
    }

    // The message boxes still in `root`, oldest first.
    static std::vector<gui::Window*> messageBoxes(const gui::Widget& root) {
        std::vector<gui::Window*> boxes;
        for (const auto& child : root.children())
            if (child->id == gui::DialogWindowId)
                boxes.push_back(static_cast<gui::Window*>(child.get()));
        return boxes;
    }

    static std::string title(const gui::Window& window) {
        return window.titleBar() ? window.titleBar()->title() : std::string();
    }

    void startCity() {
        game.mainMenu->onStartNewGame();
        // The greeting boxes are no part of these screens.
        for (gui::Window* box : messageBoxes(*game.ui->gameRoot))
            box->close();
    }

    sf::Vector2i mouse;
};
