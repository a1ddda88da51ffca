#include "gui/Text.h"

#include "assets/BitmapFont.h"
#include "game/Game.h"
#include "gui/UI.h"

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

std::string normaliseMarkup(std::string text) {
    std::replace(text.begin(), text.end(), '<', '{');
    std::replace(text.begin(), text.end(), '>', '}');
    return text;
}

// Centring rounds half pixels toward the right and bottom, also for negative room.
int ceilHalf(int room) {
    return static_cast<int>(std::ceil(room * 0.5));
}

} // namespace

Text::Text(UI& ui, sf::Vector2i position, sf::Vector2i size)
    : Widget(ui, position, size, WidgetKind::Text) {}

void Text::setText(const std::string& text, bool wrapText) {
    std::string normalised = normaliseMarkup(text);
    if (normalised == text_)
        return;
    text_ = std::move(normalised);
    std::string laidOut = text_;
    BitmapFont* const f = font();
    if ((wrapText || wrap) && f)
        laidOut = f->wrapString(laidOut, width());
    lines_ = laidOut.empty() ? std::vector<std::string>{""} : split(laidOut, '\n');
    measureLines();
}

void Text::setFont(std::uint16_t index) {
    fontIndex_ = index;
    measureLines();
}

void Text::measureLines() {
    const BitmapFont* const f = font();
    lineSizes_.clear();
    for (const std::string& line : lines_)
        lineSizes_.push_back(f ? f->measureString(line) : sf::Vector2i());
}

sf::Vector2i Text::getTextSize() const {
    const BitmapFont* const f = font();
    if (!f || lines_.empty())
        return {};
    int widest = 0;
    for (const sf::Vector2i& lineSize : lineSizes_)
        widest = std::max(widest, lineSize.x);
    return {widest, f->getRowHeight() * static_cast<int>(lines_.size())};
}

sf::Vector2i Text::linePosition(std::size_t index) const {
    const BitmapFont* const f = font();
    const int rowHeight = f ? f->getRowHeight() : 0;
    const int step = rowHeight + (f ? f->getLineSpacing() : 0);
    const int textHeight = rowHeight * static_cast<int>(lines_.size());
    const int lineWidth = index < lineSizes_.size() ? lineSizes_[index].x : 0;
    sf::Vector2i at = getAbsolutePosition();
    at.y += static_cast<int>(index) * step;
    if (horizontalAlign == Align::Center)
        at.x += ceilHalf(width() - lineWidth);
    else if (horizontalAlign == Align::Right)
        at.x += width() - lineWidth;
    if (verticalAlign == Align::Bottom)
        at.y += height() - textHeight;
    else if (verticalAlign == Align::Middle)
        at.y += ceilHalf(height() - textHeight);
    return at;
}

void Text::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    if (BitmapFont* const f = font())
        for (std::size_t i = 0; i < lines_.size(); ++i)
            drawLine(*f, lines_[i], linePosition(i), target);
    drawChildren(target, frameTime);
}

void Text::drawLine(BitmapFont& f, const std::string& line, sf::Vector2i at,
                    sf::RenderTarget& target) const {
    f.setColor(game().inkColor);
    if (outline) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0)
                    f.drawString(line, at + sf::Vector2i(dx, dy), target);
        f.setColor(game().paperColor);
    }
    f.drawString(line, at, target);
}

bool Text::handleEvent(const sf::Event& event, bool& handled) {
    Widget::handleEvent(event, handled);
    return false;
}

BitmapFont* Text::font() const {
    return ui().font(fontIndex_);
}

} // namespace gui
