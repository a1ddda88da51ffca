#pragma once
// One in-game window kind that exists at most once: its slot (the open window or null),
// its size and where it sits on the screen. Opening makes the window through the UI's
// factory, clears the slot when the player closes it and puts it in a root; a re-layout
// places it again for the new screen size. Main thread only. Non-copyable.
#include "gui/WidgetTypes.h"

#include <SFML/System/Vector2.hpp>
#include <string>

class Game;

namespace gui {
class Widget;
class Window;
} // namespace gui

class ScreenWindow {
public:
    ScreenWindow(Game& game, sf::Vector2i size, gui::Align placement);
    virtual ~ScreenWindow() = default;
    ScreenWindow(const ScreenWindow&) = delete;
    ScreenWindow& operator=(const ScreenWindow&) = delete;

    bool isOpen() const { return window != nullptr; }
    // Removes an open window and clears the slot; harmless when closed.
    virtual void close();
    // Puts an open window where it belongs on the current screen.
    virtual void place();

    // The slot: the open window, null while closed.
    gui::Window* window = nullptr;

protected:
    // Creates the window with a shadowed border at its place, adds it to root and fills
    // the slot; the player's "Close" (the UI closes the window) clears the slot.
    gui::Window& openWindow(const std::string& title, gui::Widget& root);
    // The top-left corner for the current screen.
    virtual sf::Vector2i placement() const;
    // Called when the player's close button cleared the slot.
    virtual void closed() {}
    // For kinds that open on the active root: a window left open on the other root (the
    // title screen came or went meanwhile) cannot be seen there, so it is closed rather
    // than blocking the next opening.
    void closeUnlessIn(const gui::Widget& root);
    // The player's "Close": centred, hanging over the bottom edge; the UI closes the
    // window on its click, which clears the slot.
    void addCloseButton(gui::Window& to);

    Game& game;
    sf::Vector2i size;
    gui::Align vertical;
};
