#include "gui/CheckBox.h"

#include "assets/BitmapFont.h"
#include "game/Game.h"
#include "gui/UI.h"

#include <SFML/Graphics/RectangleShape.hpp>

namespace gui {

namespace {

constexpr std::size_t LabelFont = 0; // "normal"

} // namespace

CheckBox::CheckBox(UI& ui, sf::Vector2i position)
    : Widget(ui, position, {BoxSize, BoxSize}, WidgetKind::CheckBox) {}

void CheckBox::setLabel(const std::string& text) {
    label_ = text;
    const BitmapFont* const font = ui().font(LabelFont);
    setWidth((font ? font->measureString(text).x : 0) + LabelOffset);
}

void CheckBox::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    const sf::Vector2f at(getAbsolutePosition());
    sf::RectangleShape box(sf::Vector2f(BoxSize, BoxSize));
    box.setPosition(at);
    box.setFillColor(game().paperColor);
    box.setOutlineColor(game().inkColor);
    // Outside the square, so a ring of paper parts the outline from the checked mark.
    box.setOutlineThickness(1.f);
    target.draw(box);
    if (checked) {
        sf::RectangleShape mark(sf::Vector2f(BoxSize - 2, BoxSize - 2));
        mark.setPosition(at + sf::Vector2f(1, 1));
        mark.setFillColor(game().inkColor);
        target.draw(mark);
    }
    if (BitmapFont* const font = ui().font(LabelFont)) {
        font->setColor(game().inkColor);
        font->drawString(label_, getAbsolutePosition() + sf::Vector2i(LabelOffset, 0), target);
    }
    drawChildren(target, frameTime);
}

bool CheckBox::handleEvent(const sf::Event& event, bool& handled) {
    if (!enabled() || event.type != sf::Event::MouseButtonReleased || handled || !mouseInside())
        return Widget::handleEvent(event, handled);
    checked = !checked;
    ui().playSound("click");
    ui().notifyWidgetEvent(WidgetEvent::CheckBoxToggle, *this);
    handled = true;
    const sf::Mouse::Button button = event.mouseButton.button;
    const std::function<void(bool)> callback = button == sf::Mouse::Left    ? onToggle
                                               : button == sf::Mouse::Right ? onRightToggle
                                                                            : nullptr;
    if (callback)
        callback(checked);
    return true;
}

} // namespace gui
