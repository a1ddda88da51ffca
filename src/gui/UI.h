#pragma once
// The interface object owned by the game: the in-game and title-screen widget roots,
// the screen frame, status line and mouse cursor, the routing of window events into the
// active root (and the answer whether the map may have the event), deferred deletion
// for close(), the factories for standard widgets, and message boxes.
// Main thread only. Non-copyable.
#include "gui/WidgetTypes.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BitmapFont;
class Game;
class MainMenu;

namespace gui {
class Button;
class CheckBox;
class Image;
class Panel;
class Text;
class TitleBar;
class Widget;
class Window;
} // namespace gui

class UI {
public:
    // The screen size is read from the game's UI view, so the window (or a test's view)
    // must exist first. The fonts should be loaded: the factories measure text.
    explicit UI(Game& game);
    virtual ~UI();
    UI(const UI&) = delete;
    UI& operator=(const UI&) = delete;

    // Follows a changed window size.
    void onResize();
    // Called by the title screen's MainMenu so the UI knows which root is active.
    void setMainMenu(const MainMenu* mainMenu);
    bool menuShowing() const;
    gui::Widget& activeRoot();
    gui::Widget* findWidgetAt(sf::Vector2i point);

    // Offers a window event to the widgets. Returns true when the game may act on it:
    // clicks over any real widget never reach the map, other events reach it unless a
    // widget consumed them.
    bool handleEvent(const sf::Event& event);
    // Once per frame, in the UI view.
    void draw(sf::RenderTarget& target);
    void deferDelete(std::unique_ptr<gui::Widget> widget);
    // Buttons and check boxes report here before their own callbacks; the dialog
    // buttons are resolved here. Returns whether the event was handled.
    bool notifyWidgetEvent(gui::WidgetEvent code, gui::Widget& widget);

    // A centred rectangle; Top and Bottom place it 15 % from the top or bottom.
    sf::IntRect alignedRect(int width, int height, gui::Align vertical) const;
    // A message box (Okay) or a yes/no question in the active root; the caller sets its
    // onClose and onChoice.
    gui::Window* showMessage(const std::string& title, const std::string& text, bool question);

    // Standard widgets, not yet added to a parent (except addTitleBar's).
    std::unique_ptr<gui::Window> createWindow(sf::IntRect rect, const std::string& title,
                                              bool shadow, std::int32_t id = 0);
    std::unique_ptr<gui::Button> createButton(sf::IntRect rect, const std::string& text,
                                              std::int32_t id = 0, std::uint16_t font = 0);
    std::unique_ptr<gui::Button> createIconButton(sf::IntRect rect, const std::string& sprite,
                                                  std::int32_t id = 0);
    std::unique_ptr<gui::Button> createFramedIconButton(sf::IntRect rect, const std::string& sprite,
                                                        std::int32_t id = 0);
    std::unique_ptr<gui::Text> createText(sf::IntRect rect, const std::string& text,
                                          gui::Align horizontal = gui::Align::Left,
                                          std::int32_t id = 0);
    std::unique_ptr<gui::Image> createImage(sf::IntRect rect, const std::string& sprite,
                                            std::int32_t id = 0);
    std::unique_ptr<gui::CheckBox> createCheckBox(sf::Vector2i position, const std::string& label);
    gui::TitleBar* addTitleBar(gui::Widget& parent, int y, const std::string& title);

    // Window pixels divided by the scale.
    sf::Vector2i screenSize() const;
    // The mouse in UI pixels, read from mouseSource.
    sf::Vector2i mousePosition() const;
    // What widgets need from the game's managers; each copes with a missing manager.
    const sf::Sprite* sprite(const std::string& name) const;
    BitmapFont* font(std::size_t index) const;
    void playSound(const std::string& name) const;

    Game& game;
    std::unique_ptr<gui::Widget> gameRoot;
    std::unique_ptr<gui::Widget> menuRoot;
    gui::Text* statusLine = nullptr;
    // Copied into the status line at every draw (hover help and the like).
    std::string statusText;
    // Right-aligned at the other end of the status strip in a game: what the mouse
    // points at.
    std::string hoverText;
    // Where widgets read the mouse: the game window's mouse position divided by the
    // scale unless replaced (tests, replays).
    std::function<sf::Vector2i()> mouseSource;
    // A left release over the interface ends the game's map drag, since the game does
    // not see releases over widgets.
    std::function<void()> stopDragging;

private:
    sf::Vector2i windowMouse() const;
    void framePanel(gui::Panel& panel);
    void drawScreenFrame(sf::RenderTarget& target, sf::Vector2i screen) const;
    void drawSprite(sf::RenderTarget& target, const std::string& name, sf::Vector2i at,
                    sf::Vector2f scale = {1.f, 1.f}) const;
    void layoutRoots();

    const MainMenu* mainMenu_ = nullptr;
    // Drawn over the game root's status strip; no part of the tree, so it takes no events.
    std::unique_ptr<gui::Text> hoverLine_;
    std::vector<std::unique_ptr<gui::Widget>> doomed_;
};
