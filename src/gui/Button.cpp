#include "gui/Button.h"

#include "gui/Image.h"
#include "gui/Panel.h"
#include "gui/Text.h"
#include "gui/UI.h"

namespace gui {

Button::Button(UI& ui, sf::Vector2i position, sf::Vector2i size, ButtonKind kind)
    : Widget(ui, position, size, WidgetKind::Button), buttonKind_(kind) {
    if (kind != ButtonKind::Icon)
        frame_ = add(std::make_unique<Panel>(ui, sf::Vector2i(), size));
    if (kind == ButtonKind::Text) {
        label_ = add(std::make_unique<Text>(ui, sf::Vector2i(), size - sf::Vector2i(0, 1)));
        label_->horizontalAlign = Align::Center;
        label_->verticalAlign = Align::Middle;
    } else {
        icon_ = add(std::make_unique<Image>(ui, sf::Vector2i(), sf::Vector2i(), nullptr));
        icon_->centred = true;
    }
}

void Button::setText(const std::string& text) {
    if (label_)
        label_->setText(text, false);
}

void Button::setIcon(const sf::Sprite* normal, const sf::Sprite* disabled) {
    if (!icon_ || !normal)
        return;
    normalIcon_ = normal;
    disabledIcon_ = disabled;
    icon_->setSprite(normal);
    centreIcon();
}

void Button::centreIcon() {
    icon_->setPosition((size() - icon_->size()) / 2);
}

void Button::layoutChanged() {
    if (frame_) {
        frame_->setWidth(width(), true);
        frame_->setHeight(height(), true);
    }
    if (label_) {
        label_->setWidth(width(), true);
        label_->setHeight(height() - 1, true);
    }
    if (icon_ && !held_)
        centreIcon();
}

Widget* Button::findWidgetAt(sf::Vector2i point, Widget* current) {
    // Hidden buttons must not swallow clicks meant for the map; disabled ones still do,
    // so a click on a greyed-out button never builds on the tile underneath.
    if (!visible())
        return current;
    return contains(point) ? this : current;
}

void Button::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    if (shadow && frame_)
        frame_->drawShadow(target);
    if (icon_) {
        const bool greyed = !enabled() && disabledIcon_;
        icon_->setSprite(greyed ? disabledIcon_ : normalIcon_);
    }
    if (held_)
        drawHeld(target, frameTime);
    else
        drawChildren(target, frameTime);
}

void Button::drawHeld(sf::RenderTarget& target, float frameTime) {
    const sf::Vector2i rest = position();
    setY(rest.y + 1, true);
    drawChildren(target, frameTime);
    setX(rest.x, true);
    setY(rest.y, true);
}

bool Button::handleEvent(const sf::Event& event, bool& handled) {
    if (!enabled())
        return false;
    const bool inside = mouseInside();
    switch (event.type) {
    case sf::Event::MouseButtonPressed:
        if (!inside || handled || held_)
            return false;
        held_ = pressed_ = true;
        return true;
    case sf::Event::MouseMoved:
        if (buttonKind_ == ButtonKind::Text) {
            hover_ = inside;
            frame_->showAlternate = inside;
        }
        return false;
    case sf::Event::MouseButtonReleased:
        return release(event, inside, handled);
    default:
        return false;
    }
}

bool Button::release(const sf::Event& event, bool inside, bool& handled) {
    const bool click = pressed_ && inside;
    // A release counts only for the button it was pressed on, even when a widget above
    // took it already.
    held_ = pressed_ = false;
    if (!click)
        return false;
    handled = true;
    const bool right = event.mouseButton.button == sf::Mouse::Right;
    ui().playSound(soundName);
    ui().notifyWidgetEvent(right ? WidgetEvent::ButtonRightClick : WidgetEvent::ButtonClick, *this);
    // A copy: the callback may replace the button's callbacks or rebuild its screen.
    const std::function<void()> callback = right ? onRightClick : onClick;
    if (callback)
        callback();
    return true;
}

} // namespace gui
