#include "gui/Widget.h"

#include "gui/UI.h"

#include <algorithm>

namespace gui {

Widget::Widget(UI& ui, sf::Vector2i position, sf::Vector2i size, WidgetKind kind)
    : ui_(ui), position_(position), size_(size), kind_(kind) {}

Widget::~Widget() = default;

void Widget::draw(sf::RenderTarget& target, float frameTime) {
    if (visible_)
        drawChildren(target, frameTime);
}

void Widget::drawChildren(sf::RenderTarget& target, float frameTime) {
    for (const auto& child : children_)
        child->draw(target, frameTime);
}

bool Widget::handleEvent(const sf::Event& event, bool& handled) {
    if (!enabled_)
        return false;
    // A handler may close a sibling or add children; the closed ones stay alive until
    // the next draw, so a snapshot stays valid and a detached widget is just skipped.
    std::vector<Widget*> topmostFirst;
    topmostFirst.reserve(children_.size());
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        topmostFirst.push_back(it->get());
    bool consumed = false;
    for (Widget* child : topmostFirst) {
        if (child->parent_ != this || !child->visible_)
            continue;
        if (child->handleEvent(event, handled)) {
            handled = true;
            consumed = true;
        }
    }
    return consumed;
}

void Widget::setPosition(sf::Vector2i position, bool notify) {
    position_ = position;
    if (notify)
        layoutChanged();
}

void Widget::setX(int x, bool notify) {
    setPosition({x, position_.y}, notify);
}

void Widget::setY(int y, bool notify) {
    setPosition({position_.x, y}, notify);
}

void Widget::setWidth(int width, bool notify) {
    size_.x = width;
    if (notify)
        layoutChanged();
}

void Widget::setHeight(int height, bool notify) {
    size_.y = height;
    if (notify)
        layoutChanged();
}

void Widget::setVisible(bool visible) {
    visible_ = visible;
}

void Widget::setEnabled(bool enabled) {
    enabled_ = enabled;
}

Widget* Widget::findWidgetAt(sf::Vector2i point, Widget* current) {
    if (!visible_ || !enabled_)
        return current;
    if (contains(point))
        current = this;
    for (const auto& child : children_)
        current = child->findWidgetAt(point, current);
    return current;
}

Widget* Widget::addChild(std::unique_ptr<Widget> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    return children_.back().get();
}

std::unique_ptr<Widget> Widget::detachChild(Widget* child) {
    const auto found = std::find_if(children_.rbegin(), children_.rend(),
                                    [child](const auto& owned) { return owned.get() == child; });
    if (found == children_.rend())
        return nullptr;
    std::unique_ptr<Widget> owned = std::move(*found);
    children_.erase(std::next(found).base());
    owned->parent_ = nullptr;
    return owned;
}

void Widget::close() {
    if (!parent_)
        return;
    ui_.deferDelete(parent_->detachChild(this));
}

bool Widget::isActive() const {
    return enabled_ && (!parent_ || parent_->isActive());
}

sf::Vector2i Widget::getAbsolutePosition() const {
    return parent_ ? position_ + parent_->getAbsolutePosition() : position_;
}

bool Widget::contains(sf::Vector2i point) const {
    const sf::Vector2i origin = getAbsolutePosition();
    return point.x >= origin.x && point.y >= origin.y && point.x < origin.x + size_.x &&
           point.y < origin.y + size_.y;
}

bool Widget::mouseInside() const {
    return contains(ui_.mousePosition());
}

Game& Widget::game() const {
    return ui_.game;
}

} // namespace gui
