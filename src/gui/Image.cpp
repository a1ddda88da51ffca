#include "gui/Image.h"

namespace gui {

namespace {

sf::Vector2i spriteSize(const sf::Sprite& sprite) {
    const sf::FloatRect bounds = sprite.getLocalBounds();
    return {static_cast<int>(bounds.width), static_cast<int>(bounds.height)};
}

} // namespace

Image::Image(UI& ui, sf::Vector2i position, sf::Vector2i size, const sf::Sprite* sprite)
    : Widget(ui, position, size, WidgetKind::Image) {
    setSprite(sprite);
}

void Image::setSprite(const sf::Sprite* sprite) {
    sprite_ = sprite;
    if (!sprite)
        return;
    const sf::Vector2i size = spriteSize(*sprite);
    setWidth(size.x);
    setHeight(size.y);
}

void Image::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    if (sprite_) {
        const sf::Vector2i textureSize = spriteSize(*sprite_);
        sf::Vector2f at(getAbsolutePosition());
        if (centred)
            at += sprite_->getOrigin() + sf::Vector2f((size() - textureSize) / 2);
        sf::Sprite copy(*sprite_);
        copy.setTextureRect({0, 0, textureSize.x, textureSize.y});
        copy.setPosition(at);
        target.draw(copy);
    }
    drawChildren(target, frameTime);
}

} // namespace gui
