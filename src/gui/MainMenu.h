#pragma once
// The title screen: title art over a city picture, the event and version captions, and
// a small "Welcome!" window with the four entries. Built once into the UI's menu root
// and laid out again when the window size changes. The game shows and hides it; what
// the entries do is handed in by the game, so the title screen knows nothing of it.
// Non-copyable.
#include <functional>

class UI;

namespace gui {
class Image;
class Text;
class Window;
} // namespace gui

class MainMenu {
public:
    // Registers itself with the UI, which routes events by the showing flag.
    explicit MainMenu(UI& ui);
    virtual ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    void createWidgets();
    // Places everything for the menu root's current size.
    void layout();

    // True while the title screen is up; set and cleared by the game.
    bool showing = false;
    std::function<void()> onStartNewGame;
    std::function<void()> onLoadGame;
    std::function<void()> onOptions;
    std::function<void()> onExit;

    gui::Window* welcomeWindow() const { return welcome_; }

private:
    void addEntry(int y, const char* label, std::function<void()>& action);

    UI& ui_;
    gui::Image* title_ = nullptr;
    gui::Image* separator_ = nullptr;
    gui::Image* subtitle_ = nullptr;
    gui::Image* city_ = nullptr;
    gui::Text* eventCaption_ = nullptr;
    gui::Text* versionCaption_ = nullptr;
    gui::Window* welcome_ = nullptr;
};
