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

TEST_F(TextLayout, EmptyTextOnANewWidgetHasNoLinesButClearingOneLeavesAnEmptyLine) {
    const auto widget = text({200, 40}, "");
    EXPECT_TRUE(widget->lines().empty());
    EXPECT_EQ(widget->getTextSize(), sf::Vector2i(0, 0));
    widget->setText("shown");
    widget->setText("");
    EXPECT_EQ(widget->lines(), std::vector<std::string>{""});
    EXPECT_EQ(widget->getTextSize(), sf::Vector2i(0, 9));
}

TEST_F(TextLayout, HorizontalAlignmentRoundsHalvesUp) {
    const int w = widthOf("Line");
    const struct {
        gui::Align align;
        int widgetWidth;
        int offset;
    } cases[] = {
        {gui::Align::Left, w + 5, 0},    {gui::Align::Center, w + 5, 3},
        {gui::Align::Center, w - 5, -2}, {gui::Align::Center, w + 4, 2},
        {gui::Align::Right, w + 5, 5},   {gui::Align::Right, w - 5, -5},
    };
    for (const auto& c : cases) {
        const auto widget = text({c.widgetWidth, 9}, "Line");
        widget->horizontalAlign = c.align;
        EXPECT_EQ(widget->linePosition(0).x - 100, c.offset)
            << int(c.align) << " in " << c.widgetWidth;
    }
}

TEST_F(TextLayout, VerticalPlacementAndLineStep) {
    const struct {
        gui::Align align;
        int height;
        int firstY;
    } cases[] = {
        {gui::Align::Middle, 30, 6}, {gui::Align::Middle, 29, 6},  {gui::Align::Middle, 12, -3},
        {gui::Align::Top, 30, 0},    {gui::Align::Bottom, 30, 12},
    };
    for (const auto& c : cases) {
        const auto widget = text({200, c.height}, "a\nb");
        widget->verticalAlign = c.align;
        EXPECT_EQ(widget->linePosition(0).y - 50, c.firstY) << int(c.align) << " " << c.height;
        // Lines step by row height plus line spacing; the text height leaves spacing out.
        EXPECT_EQ(widget->linePosition(1).y - widget->linePosition(0).y, 10);
    }
    EXPECT_EQ(text({200, 40}, "a\nb\nc")->getTextSize().y, 27);
}

TEST_F(TextLayout, MissingFontKeepsTheLinesButMeasuresNothing) {
    const auto widget = text({200, 40}, "one\ntwo");
    widget->setFont(99);
    EXPECT_EQ(widget->lines().size(), 2u);
    EXPECT_EQ(widget->getTextSize(), sf::Vector2i(0, 0));
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(8, 8));
    widget->draw(target, 0.f); // draws nothing, and does not fail
}

} // namespace
