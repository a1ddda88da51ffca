#pragma once
// A push button: a framed text label, a bare icon or a framed icon. A click needs the
// press and the release inside the same button; moving out before releasing cancels
// it. Every click plays the button's sound and is reported to the UI (which resolves
// dialog buttons) before the button's own callback runs. A held button is drawn one
// pixel lower. The inner widgets never receive events and are never hit.
#include "gui/Widget.h"

#include <SFML/Graphics/Sprite.hpp>
#include <functional>
#include <string>

namespace gui {

class Image;
class Panel;
class Text;

class Button : public Widget {
public:
    Button(UI& ui, sf::Vector2i position, sf::Vector2i size, ButtonKind kind);

    // Text buttons only.
    void setText(const std::string& text);
    // Icon buttons only; ignored without a normal sprite. The disabled sprite (may be
    // null) shows while the button is disabled.
    void setIcon(const sf::Sprite* normal, const sf::Sprite* disabled = nullptr);

    void layoutChanged() override;
    Widget* findWidgetAt(sf::Vector2i point, Widget* current) override;
    void draw(sf::RenderTarget& target, float frameTime) override;
    bool handleEvent(const sf::Event& event, bool& handled) override;

    ButtonKind buttonKind() const { return buttonKind_; }
    Panel* frame() const { return frame_; }
    Text* label() const { return label_; }
    Image* icon() const { return icon_; }
    bool held() const { return held_; }
    bool pressed() const { return pressed_; }
    bool hover() const { return hover_; }

    std::function<void()> onClick;
    std::function<void()> onRightClick;
    std::string soundName = "click"; // empty: silent
    bool shadow = false;             // the frame's shadow is drawn under the button

private:
    void centreIcon();
    bool release(const sf::Event& event, bool inside, bool& handled);
    void drawHeld(sf::RenderTarget& target, float frameTime);

    ButtonKind buttonKind_;
    Panel* frame_ = nullptr;
    Text* label_ = nullptr;
    Image* icon_ = nullptr;
    const sf::Sprite* normalIcon_ = nullptr;
    const sf::Sprite* disabledIcon_ = nullptr;
    bool held_ = false;
    bool pressed_ = false;
    bool hover_ = false;
};

} // namespace gui
