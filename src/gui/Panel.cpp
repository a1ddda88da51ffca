#include "gui/Panel.h"

#include "game/Game.h"

#include <SFML/Graphics/RectangleShape.hpp>

namespace gui {

namespace {

// Draws one piece of the frame's texture; a sprite without texture draws nothing.
class PieceDrawer {
public:
    PieceDrawer(sf::RenderTarget& target, const sf::Sprite& sprite)
        : target_(target), texture_(sprite.getTexture()) {}

    void operator()(sf::Vector2i source, sf::Vector2i size, sf::Vector2i at) const {
        if (!texture_ || size.x <= 0 || size.y <= 0)
            return;
        sf::Sprite piece(*texture_, sf::IntRect(source.x, source.y, size.x, size.y));
        piece.setPosition(float(at.x), float(at.y));
        target_.draw(piece);
    }

private:
    sf::RenderTarget& target_;
    const sf::Texture* texture_;
};

} // namespace

Panel::Panel(UI& ui, sf::Vector2i position, sf::Vector2i size)
    : Widget(ui, position, size, WidgetKind::Panel) {}

void Panel::setFrame(const sf::Sprite* sprite, const Slices& slices) {
    if (!sprite)
        return;
    frameSprite_ = sprite;
    slices_ = slices;
    fill = true;
}

void Panel::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    if (frameSprite_)
        drawFrame(target, getAbsolutePosition(), false);
    drawChildren(target, frameTime);
}

void Panel::drawShadow(sf::RenderTarget& target, sf::Vector2i offset) {
    if (castsShadow())
        drawFrame(target, getAbsolutePosition() + offset, true);
}

void Panel::drawFrame(sf::RenderTarget& target, sf::Vector2i origin, bool shadowMode) const {
    const sf::Sprite* sprite = frameSprite_;
    if (shadowMode)
        sprite = shadowSprite;
    else if (showAlternate && alternateSprite)
        sprite = alternateSprite;
    const PieceDrawer piece(target, *sprite);
    const auto [a, b, c, d] = slices_;
    const int x = origin.x, y = origin.y, w = width(), h = height();
    const sf::Vector2i bottomRow(0, b.y + c.y);

    if (!shadowMode)
        piece({0, 0}, a, {x, y});
    piece({a.x + d.x, 0}, a, {x + w - a.x, y});
    piece(bottomRow, b, {x, y + h - b.y});
    piece(bottomRow + sf::Vector2i(b.x + d.x, 0), b, {x + w - b.x, y + h - b.y});

    // Edges repeat their piece and end with a half-width cut of the remainder.
    const int innerWidth = w - 2 * a.x;
    const int caps = d.x > 0 ? innerWidth / d.x : 0;
    const sf::Vector2i capCut(innerWidth - caps * d.x, 0);
    for (int k = 0; k <= caps; ++k) {
        const sf::Vector2i size = k < caps ? d : sf::Vector2i(capCut.x / 2, d.y);
        if (!shadowMode)
            piece({a.x, 0}, size, {x + a.x + k * d.x, y});
        piece({b.x, b.y + c.y}, size, {x + a.x + k * d.x, y + h - b.y});
    }
    const int innerHeight = h - 2 * a.y;
    const int sides = c.y > 0 ? innerHeight / c.y : 0;
    const int sideCut = innerHeight - sides * c.y;
    for (int k = 0; k <= sides; ++k) {
        const sf::Vector2i size = k < sides ? c : sf::Vector2i(c.x, sideCut / 2);
        if (!shadowMode)
            piece({0, a.y}, size, {x, y + a.y + k * c.y});
        piece({a.x + d.x, a.y}, size, {x + w - c.x, y + a.y + k * c.y});
    }

    if (!shadowMode && fill && innerWidth > 0 && innerHeight > 0) {
        sf::RectangleShape centre{sf::Vector2f(float(innerWidth), float(innerHeight))};
        centre.setPosition(float(x + a.x), float(y + a.y));
        centre.setFillColor(game().paperColor);
        target.draw(centre);
    }
}

} // namespace gui
