#pragma once
// A 9 x 9 box, outlined just outside, with a label to its right. It toggles on a
// release of any mouse button over it and reports the new state: the left button to
// onToggle, the right one to onRightToggle; other buttons toggle without a callback.
#include "gui/Widget.h"

#include <functional>
#include <string>

namespace gui {

class CheckBox : public Widget {
public:
    static constexpr int BoxSize = 9;
    static constexpr int LabelOffset = 13; // from the box's left edge

    CheckBox(UI& ui, sf::Vector2i position);

    // The widget grows to cover the label, so clicks on it toggle the box too.
    void setLabel(const std::string& text);
    const std::string& label() const { return label_; }

    void draw(sf::RenderTarget& target, float frameTime) override;
    bool handleEvent(const sf::Event& event, bool& handled) override;

    bool checked = false;
    std::function<void(bool)> onToggle;
    std::function<void(bool)> onRightToggle;

private:
    std::string label_;
};

} // namespace gui
