#pragma once
// Every in-game window and message box: a framed body, an optional title bar, drop
// shadows under its framed children, and two result callbacks for dialogs. A left press
// on its area that no child took is consumed, so nothing underneath (earlier siblings,
// the map) reacts to it. Windows cannot be dragged and are not modal.
#include "gui/Widget.h"

#include <functional>
#include <string>

namespace gui {

class Panel;
class TitleBar;

class Window : public Widget {
public:
    // Dialog results handed to fireResult.
    enum Result : int { Closed = 0, Yes = 1, No = 2 };

    Window(UI& ui, sf::Vector2i position, sf::Vector2i size);

    // An empty title hides the title bar; otherwise it shows the title in capitals.
    void setTitle(const std::string& text);
    // Closed calls onClose, Yes and No call onChoice; empty callbacks and unknown
    // results do nothing.
    void fireResult(int result);

    void layoutChanged() override;
    void draw(sf::RenderTarget& target, float frameTime) override;
    bool handleEvent(const sf::Event& event, bool& handled) override;

    Panel* body() const { return body_; }
    TitleBar* titleBar() const { return titleBar_; }

    std::function<void()> onClose;
    std::function<void(bool)> onChoice;
    sf::Vector2i shadowOffset{1, 2};

private:
    void drawShadows(sf::RenderTarget& target);

    Panel* body_;
    TitleBar* titleBar_;
};

} // namespace gui
