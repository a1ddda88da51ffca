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

    // A press and release in the middle of a widget, routed by the UI.
    void click(const gui::Widget& widget, sf::Mouse::Button with = sf::Mouse::Left) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event{};
            event.type = type;
            event.mouseButton = {with, mouse.x * game.scale, mouse.y * game.scale};
            game.ui->handleEvent(event);
        }
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

    void startCity() {
        game.mainMenu->onStartNewGame();
        // The greeting boxes are no part of these screens.
        for (gui::Window* box : messageBoxes(*game.ui->gameRoot))
            box->close();
    }

    sf::Vector2i mouse;
};
