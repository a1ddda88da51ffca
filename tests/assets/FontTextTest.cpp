#include "AssetTestSupport.h"
#include "assets/BitmapFont.h"
#include "game/Game.h"

#include <gtest/gtest.h>
#include <memory>

using namespace assettest;

namespace {

// Letters 3 wide and a space 2 wide, one pixel of spacing: "abc" is 12 wide, "abc " 15.
class FontText : public testing::Test {
protected:
    FontText()
        : font(game,
               describe("begin\ncharacters \"abcdefxyz{} \"\nrowHeight 9\nletterSpacing 1\n"
                        "rowHeightBitmap 2\nend\n"),
               false, writeImage(folder, solidStrip({3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2}, 1))) {}

    Game game;
    ScratchFolder folder;
    BitmapFont font;
};

// Nine glyphs one pixel wide with no spacing, drawn one row below the marker row.
class FontDraw : public testing::Test {
protected:
    FontDraw()
        : font(game, describe("begin\ncharacters 12345678A\nrowOffset 1\nrowHeightBitmap 2\nend\n"),
               false, writeImage(folder, solidStrip(std::vector<int>(9, 1), 1))) {
        target.create(40, 6);
    }

    // Columns with drawn pixels on the given row, after drawing `text` at (2, 1).
    std::vector<int> litColumns(const std::string& text, unsigned row) {
        target.clear(sf::Color::Transparent);
        font.drawString(text, {2, 1}, target);
        target.display();
        const sf::Image image = target.getTexture().copyToImage();
        std::vector<int> columns;
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (image.getPixel(x, row).a != 0)
                columns.push_back(int(x));
        return columns;
    }

    Game game;
    ScratchFolder folder;
    BitmapFont font;
    sf::RenderTexture target;
};

} // namespace

TEST_F(FontText, MeasureCountsGlyphsSpacingAndLines) {
    const struct {
        const char* text;
        sf::Vector2i size;
    } cases[] = {
        {"", {0, 0}},
        {"abc ", {15, 9}},
        {"a\n\nb", {4, 18}}, // a blank line adds no height
        {"ab\rabc", {12, 18}},
        {"a{bcd}b", {8, 9}}, // a closed span counts nothing
        {"a{b", {12, 9}},    // an unclosed brace is a character
        {"a\tb", {8, 9}},    // tabs count nothing when measuring
        {"a\xE2\x82\xAC", {4, 9}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(font.measureString(c.text), c.size) << c.text;
}

TEST_F(FontText, WrapBreaksAtTheLastSpaceThatFits) {
    const struct {
        const char* text;
        int width;
        const char* wrapped;
    } cases[] = {
        {"abc def", 0, "abc def"},
        {"abc def", 27, "abc def"},
        {"abc def", 15, "abc\ndef"},
        // The final letter is tested too: "abc def" is 28 wide.
        {"abc def", 26, "abc\ndef"},
        {"abc def ", 15, "abc\ndef "},
        {"abc def{zzz}", 15, "abc\ndef{zzz}"},
        {"abcdefabcdef", 5, "abcdefabcdef"},
        {"ab\nab\n", 100, "ab\nab"},
        {"a b c d e f", 15, "a b\nc d\ne f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(font.wrapString(c.text, c.width), c.wrapped)
            << '"' << c.text << "\" at " << c.width;
}

TEST(FontUpperCase, OnlyAsciiLettersChange) {
    EXPECT_EQ(BitmapFont::toUpper("abc xyz {q} 09 \xC3\xA9\xC3\xBF\xE2\x82\xAC"),
              "ABC XYZ {Q} 09 \xC3\xA9\xC3\xBF\xE2\x82\xAC");
}

// Drawn at (2, 1) with row offset 1: the marker row lands on row 2, the glyphs on row 3.
// Tabs move the pen to the next multiple of eight.
TEST_F(FontDraw, GlyphsAdvanceThePenAndTakeTheRowOffset) {
    EXPECT_EQ(litColumns("12A", 2), std::vector<int>());
    const struct {
        const char* text;
        std::vector<int> columns;
    } cases[] = {
        {"12A", {2, 3, 4}},
        {"1\n2", {2, 3}},
        {"\tA", {10}},
        {"1234567\tA", {2, 3, 4, 5, 6, 7, 8, 10}},
        {"12345678\tA", {2, 3, 4, 5, 6, 7, 8, 9, 18}},
        {"A\t\tA", {2, 18}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(litColumns(c.text, 3), c.columns) << c.text;
}
