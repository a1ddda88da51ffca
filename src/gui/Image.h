#pragma once
// Draws one sprite of the registry. The sprite is shared with other users, so each draw
// works on a copy with its own texture rectangle and position.
#include "gui/Widget.h"

#include <SFML/Graphics/Sprite.hpp>

namespace gui {

class Image : public Widget {
public:
    // With a sprite the widget takes the sprite's size instead of `size`.
    Image(UI& ui, sf::Vector2i position, sf::Vector2i size, const sf::Sprite* sprite);

    void setSprite(const sf::Sprite* sprite);
    const sf::Sprite* sprite() const { return sprite_; }
    void draw(sf::RenderTarget& target, float frameTime) override;

    // Centres the sprite in the widget's rectangle (icons of buttons).
    bool centred = false;

private:
    const sf::Sprite* sprite_ = nullptr;
};

} // namespace gui
