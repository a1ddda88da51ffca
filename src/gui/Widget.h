#pragma once
// The base of every interface element: a rectangle in UI pixels (window pixels divided by
// the game's scale) relative to its parent, owning its children. Children are drawn in
// list order and offered events in reverse order, so later children lie on top. A
// widget leaves the tree through close(), which defers its deletion to the next UI draw
// so that a window may close itself from inside its own button's handler.
// Main thread only. Non-copyable.
#include "gui/WidgetTypes.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <cstdint>
#include <memory>
#include <vector>

class Game;
class UI;

namespace gui {

class Widget {
public:
    Widget(UI& ui, sf::Vector2i position = {}, sf::Vector2i size = {},
           WidgetKind kind = WidgetKind::Widget);
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Draws the children in list order; nothing of an invisible subtree is drawn.
    virtual void draw(sf::RenderTarget& target, float frameTime);
    // Re-lays out inner widgets after a notifying setter changed position or size.
    virtual void layoutChanged() {}
    // Offers the event to the visible children, topmost first, all of them even after
    // one consumed it: `handled` tells the ones underneath. Returns whether any child
    // consumed it; a disabled widget passes nothing on.
    virtual bool handleEvent(const sf::Event& event, bool& handled);

    virtual void setPosition(sf::Vector2i position, bool notify = false);
    virtual void setX(int x, bool notify = false);
    virtual void setY(int y, bool notify = false);
    virtual void setWidth(int width, bool notify = false);
    virtual void setHeight(int height, bool notify = false);
    virtual void setVisible(bool visible);
    virtual void setEnabled(bool enabled);

    // The topmost visible, enabled widget of this subtree containing `point` (absolute),
    // or `current` when there is none.
    virtual Widget* findWidgetAt(sf::Vector2i point, Widget* current);
    virtual Widget* addChild(std::unique_ptr<Widget> child);
    template <class T> T* add(std::unique_ptr<T> child) {
        T* raw = child.get();
        addChild(std::move(child));
        return raw;
    }
    // Hands back ownership of the child's last occurrence; null when it is not a child.
    std::unique_ptr<Widget> detachChild(Widget* child);
    // Leaves the parent and is deleted at the next UI draw. A widget without a parent is
    // owned by whoever holds it, so closing it changes nothing.
    void close();

    // This widget and all its ancestors are enabled.
    bool isActive() const;
    sf::Vector2i getAbsolutePosition() const;
    // Half-open: the left and top edges are inside, the right and bottom ones are not.
    bool contains(sf::Vector2i point) const;
    // The game's mouse position in UI pixels lies on this widget.
    bool mouseInside() const;

    sf::Vector2i position() const { return position_; }
    sf::Vector2i size() const { return size_; }
    int width() const { return size_.x; }
    int height() const { return size_.y; }
    WidgetKind kind() const { return kind_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    Widget* parent() const { return parent_; }
    const std::vector<std::unique_ptr<Widget>>& children() const { return children_; }

    std::int32_t id = -1;

protected:
    Game& game() const;
    UI& ui() const { return ui_; }
    void drawChildren(sf::RenderTarget& target, float frameTime);

private:
    UI& ui_;
    Widget* parent_ = nullptr;
    std::vector<std::unique_ptr<Widget>> children_;
    sf::Vector2i position_;
    sf::Vector2i size_;
    WidgetKind kind_;
    bool visible_ = true;
    bool enabled_ = true;
};

} // namespace gui
