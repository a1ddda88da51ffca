#pragma once
// Real X input for the game, through xdotool: pointer moves, button presses and
// releases, key strokes. Positions are screen pixels of the private display.
#include <optional>
#include <string>

struct WindowGeometry {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

class XDriver {
public:
    explicit XDriver(std::string display) : display_(std::move(display)) {}

    // The mapped top-level window with exactly this title, if it shows now, moved to
    // the screen's top-left corner: without a window manager the game may open partly
    // off the screen, where no pointer reaches.
    std::optional<WindowGeometry> findWindow(const std::string& title) const;
    void moveTo(int x, int y) const;
    // A press and release at (x, y), with pauses so the game sees the pointer arrive
    // before the press, as with a hand on a mouse. Button 1 left, 3 right.
    void click(int x, int y, int button = 1) const;
    // A key by its X name ("F12", "Return").
    void key(const std::string& name) const;
    // Asks the window to close the way a window manager's close button does.
    bool requestClose(unsigned long window) const;

private:
    bool xdotool(const std::string& arguments, std::string* output = nullptr) const;

    std::string display_;
};
