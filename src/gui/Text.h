#pragma once
// Lines of bitmap-font text in a rectangle: optionally wrapped to the width, each line
// aligned horizontally and the block vertically, optionally outlined. "<" and ">" are
// stored as "{" and "}", the font's markup that takes no width.
#include "gui/Widget.h"

#include <cstdint>
#include <string>
#include <vector>

class BitmapFont;

namespace gui {

class Text : public Widget {
public:
    Text(UI& ui, sf::Vector2i position, sf::Vector2i size);

    // Lays the text out again unless it is the text already shown. With `wrap` (or the
    // wrap flag) it is first broken to the widget's width.
    void setText(const std::string& text, bool wrap = false);
    // Font numbers past the font list keep the lines but measure and draw nothing.
    void setFont(std::uint16_t index);
    // Widest line by the row height times the line count (line spacing not included).
    sf::Vector2i getTextSize() const;
    // Where line `index` is drawn, in absolute UI pixels.
    sf::Vector2i linePosition(std::size_t index) const;

    const std::string& text() const { return text_; }
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<sf::Vector2i>& lineSizes() const { return lineSizes_; }
    std::uint16_t fontIndex() const { return fontIndex_; }

    void draw(sf::RenderTarget& target, float frameTime) override;
    // Text lets everything through to what lies underneath.
    bool handleEvent(const sf::Event& event, bool& handled) override;

    Align horizontalAlign = Align::Left;
    Align verticalAlign = Align::Middle;
    bool wrap = false;
    bool outline = false;

private:
    BitmapFont* font() const;
    void measureLines();
    void drawLine(BitmapFont& font, const std::string& line, sf::Vector2i at,
                  sf::RenderTarget& target) const;

    std::string text_;
    std::vector<std::string> lines_;
    std::vector<sf::Vector2i> lineSizes_;
    std::uint16_t fontIndex_ = 0;
};

} // namespace gui
