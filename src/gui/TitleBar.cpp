#include "gui/TitleBar.h"

#include "assets/BitmapFont.h"
#include "game/Game.h"
#include "gui/UI.h"

#include <SFML/Graphics/RectangleShape.hpp>

namespace gui {

namespace {

constexpr std::size_t TitleFont = 1; // "small"
constexpr int CapWidth = 4;
constexpr int RightCapX = 20; // in "ui/titlebar"
const sf::Vector2i TitleOffset(6, 2);

} // namespace

TitleBar::TitleBar(UI& ui, sf::Vector2i position, int width)
    : Widget(ui, position, {width, Height}, WidgetKind::TitleBar) {}

void TitleBar::setTitle(const std::string& text, bool upperCase) {
    title_ = upperCase ? BitmapFont::toUpper(text) : text;
}

void TitleBar::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    const sf::Vector2i at = getAbsolutePosition();
    const sf::Sprite* const sprite = ui().sprite("ui/titlebar");
    if (const sf::Texture* caps = sprite ? sprite->getTexture() : nullptr) {
        sf::Sprite left(*caps, {0, 0, CapWidth, Height});
        left.setPosition(sf::Vector2f(at));
        target.draw(left);
        sf::Sprite right(*caps, {RightCapX, 0, CapWidth, Height});
        right.setPosition(float(at.x + width() - CapWidth), float(at.y));
        target.draw(right);
    }
    sf::RectangleShape bar(sf::Vector2f(float(width() - 2 * CapWidth), float(Height)));
    bar.setPosition(float(at.x + CapWidth), float(at.y));
    bar.setFillColor(game().inkColor);
    target.draw(bar);
    if (BitmapFont* const font = ui().font(TitleFont)) {
        font->setColor(game().paperColor);
        font->drawString(title_, at + TitleOffset, target);
    }
    drawChildren(target, frameTime);
}

} // namespace gui
