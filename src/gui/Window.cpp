#include "gui/Window.h"

#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Panel.h"
#include "gui/TitleBar.h"

namespace gui {

namespace {

const sf::Vector2i TitleBarPosition(5, 6);
constexpr int TitleBarInset = 10; // title bar width = window width - inset

// The frame a direct child casts its shadow with, if any.
Panel* shadowCaster(Widget& child) {
    if (auto* panel = dynamic_cast<Panel*>(&child))
        return panel;
    if (auto* button = dynamic_cast<Button*>(&child))
        return button->frame();
    return nullptr;
}

} // namespace

Window::Window(UI& ui, sf::Vector2i position, sf::Vector2i size)
    : Widget(ui, position, size, WidgetKind::Window),
      body_(add(std::make_unique<Panel>(ui, sf::Vector2i(), size))),
      titleBar_(add(std::make_unique<TitleBar>(ui, TitleBarPosition, size.x - TitleBarInset))) {
    titleBar_->setVisible(false);
}

void Window::setTitle(const std::string& text) {
    titleBar_->setVisible(!text.empty());
    if (!text.empty())
        titleBar_->setTitle(text, true);
}

void Window::fireResult(int result) {
    // Copies: a callback may close this window or set new callbacks.
    if (result == Closed) {
        const std::function<void()> callback = onClose;
        if (callback)
            callback();
    } else if (result == Yes || result == No) {
        const std::function<void(bool)> callback = onChoice;
        if (callback)
            callback(result == Yes);
    }
}

void Window::layoutChanged() {
    body_->setWidth(width(), true);
    body_->setHeight(height(), true);
    titleBar_->setWidth(width() - TitleBarInset, true);
}

void Window::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    drawShadows(target);
    drawChildren(target, frameTime);
}

void Window::drawShadows(sf::RenderTarget& target) {
    for (auto it = children().rbegin(); it != children().rend(); ++it) {
        if (Panel* const caster = shadowCaster(**it))
            caster->drawShadow(target, shadowOffset);
    }
}

bool Window::handleEvent(const sf::Event& event, bool& handled) {
    const bool consumed = Widget::handleEvent(event, handled);
    if (event.type != sf::Event::MouseButtonPressed ||
        event.mouseButton.button != sf::Mouse::Left || handled)
        return consumed;
    const int scale = game().scale > 0 ? game().scale : 1;
    return contains({event.mouseButton.x / scale, event.mouseButton.y / scale}) || consumed;
}

} // namespace gui
