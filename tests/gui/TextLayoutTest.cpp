// Text layout with the game's "normal" font (row height 9, line spacing 1): line
// splitting, markup, alignment rounding and vertical placement.
#include "GuiTestSupport.h"
#include "assets/BitmapFont.h"
#include "gui/Text.h"

namespace {

using guitest::GuiTest;

class TextLayout : public GuiTest {
protected:
    std::unique_ptr<gui::Text> text(sf::Vector2i size, const std::string& content) {
        auto widget = std::make_unique<gui::Text>(*ui, sf::Vector2i(100, 50), size);
        widget->setText(content);
        return widget;
    }
    int widthOf(const std::string& s) { return ui->font(0)->measureString(s).x; }
};

TEST_F(TextLayout, LinesAndSizes) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one", {"one"}},     {"one\ntwo", {"one", "two"}},
        {"one\n", {"one"}},   {"one\n\nthree", {"one", "", "three"}},
        {"a<b>c", {"a{b}c"}},
    };
    for (const auto& c : cases) {
        const auto widget = text({200, 40}, c.text);
        EXPECT_EQ(widget->lines(), c.lines) << c.text;
        EXPECT_EQ(widget->getTextSize().y, 9 * int(c.lines.size())) << c.text;
    }
    EXPECT_EQ(text({200, 40}, "a<b>c")->getTextSize().x, widthOf("ac"));
}

// Centring rounds halves up; lines step by row height plus line spacing, while the text
// height leaves the spacing out.
TEST_F(TextLayout, AlignmentAndLineStep) {
    const int w = widthOf("a");
    const struct {
        gui::Align horizontal, vertical;
        sf::Vector2i size, offset;
    } cases[] = {
        {gui::Align::Left, gui::Align::Top, {w + 5, 30}, {0, 0}},
        {gui::Align::Center, gui::Align::Middle, {w + 5, 30}, {3, 6}},
        {gui::Align::Center, gui::Align::Middle, {w - 5, 29}, {-2, 6}},
        {gui::Align::Center, gui::Align::Middle, {w + 4, 12}, {2, -3}},
        {gui::Align::Right, gui::Align::Bottom, {w + 5, 30}, {5, 12}},
        {gui::Align::Right, gui::Align::Top, {w - 5, 30}, {-5, 0}},
    };
    for (const auto& c : cases) {
        const auto widget = text(c.size, "a\nb");
        widget->horizontalAlign = c.horizontal;
        widget->verticalAlign = c.vertical;
        EXPECT_EQ(widget->linePosition(0) - sf::Vector2i(100, 50), c.offset)
            << c.size.x << " x " << c.size.y;
        EXPECT_EQ(widget->linePosition(1).y - widget->linePosition(0).y, 10);
    }
    EXPECT_EQ(text({200, 40}, "a\nb\nc")->getTextSize().y, 27);
}

} // namespace
