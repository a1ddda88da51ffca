#include "AssetTestSupport.h"
#include "assets/BitmapFont.h"
#include "game/Game.h"

#include <gtest/gtest.h>
#include <memory>

using namespace assettest;

namespace {

class FontScan : public testing::Test {
protected:
    std::unique_ptr<BitmapFont> build(const std::string& description,
                                      const std::vector<std::string>& rows, bool recolour = false) {
        return std::make_unique<BitmapFont>(game, describe(description), recolour,
                                            writeImage(folder, rows));
    }

    Game game;
    ScratchFolder folder;
};

} // namespace

TEST_F(FontScan, GlyphsAreRunsBetweenSeparatorColumns) {
    // One separator column, two separator columns, then a glyph ended by the edge.
    const auto font = build("begin\ncharacters abcd\nrowHeightBitmap 3\nend\n",
                            {"R##R#RR###R..", "#############", "#############"});
    EXPECT_EQ(font->glyphRect('a'), sf::IntRect(1, 0, 2, 3));
    EXPECT_EQ(font->glyphRect('b'), sf::IntRect(4, 0, 1, 3));
    EXPECT_EQ(font->glyphRect('c'), sf::IntRect(7, 0, 3, 3));
    // The last column never belongs to a glyph.
    EXPECT_EQ(font->glyphRect('d'), sf::IntRect(11, 0, 1, 3));

    // Characters beyond the runs get no glyph and measure nothing.
    const auto few = build("begin\ncharacters abc\nrowHeightBitmap 1\nend\n", {"R#RRRR"});
    EXPECT_TRUE(few->glyphRect('a'));
    EXPECT_FALSE(few->glyphRect('b'));
    EXPECT_EQ(few->measureString("abc").x, 1);
}

// Sets are strips stacked down the image; only the first 64 get glyphs.
TEST_F(FontScan, OnlyTheFirst64SetsGetGlyphs) {
    std::string description;
    for (int s = 0; s < 65; ++s)
        description +=
            "begin\ncharacters " + std::string(1, char('0' + s)) + "\nrowHeightBitmap 1\nend\n";
    testing::internal::CaptureStdout();
    const auto font = build(description, std::vector<std::string>(65, "R#R"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "FONT ERROR: Max font sets exceeded (max: 64). Call 911.\n");
    EXPECT_EQ(font->glyphRect('1'), sf::IntRect(1, 1, 1, 1));
    EXPECT_EQ(font->glyphRef(char('0' + 63))->set, 63);
    EXPECT_FALSE(font->glyphRef(char('0' + 64)));
}

TEST_F(FontScan, HostileStripHeightsStayInsideTheImage) {
    const auto font = build("begin\ncharacters a\nrowHeightBitmap -5\nend\n"
                            "begin\ncharacters b\nrowHeightBitmap 2147483647\nend\n"
                            "begin\ncharacters c\nrowHeightBitmap 1\nend\n",
                            {"R#R", "R#R"});
    EXPECT_EQ(font->glyphRect('a'), sf::IntRect(1, 0, 1, 0));
    EXPECT_EQ(font->glyphRect('b'), sf::IntRect(1, 0, 1, 2147483647));
    EXPECT_FALSE(font->glyphRect('c'));
}

TEST_F(FontScan, MissingImageOrNoSetsLeaveAnEmptyFont) {
    testing::internal::CaptureStdout();
    const std::string path = folder.file("none.png");
    BitmapFont font(game, describe("begin\ncharacters a\nend\n"), false, path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "FONT ERROR: Could not find file: " + path + "\n");
    EXPECT_EQ(font.measureString("aaa"), sf::Vector2i(0, 0));
    EXPECT_EQ(font.wrapString("aaa aaa", 1), "aaa aaa");
    EXPECT_EQ(font.getRowHeight(), 9);

    const auto noSets = build("", {"R#R"});
    EXPECT_EQ(noSets->getRowHeight(), 0);
    EXPECT_EQ(noSets->getLineSpacing(), 0);
    EXPECT_EQ(noSets->measureString("a"), sf::Vector2i(0, 0));
}

// A recoloured font paints paper and ink into its image and ignores setColor; a plain
// font keeps its image and tints with setColor.
TEST_F(FontScan, RecolouredAndPlainFonts) {
    game.paperColor = sf::Color(232, 206, 168);
    game.inkColor = sf::Color(70, 62, 108);
    const std::string description = "begin\ncharacters a\nrowHeightBitmap 2\nend\n";
    auto recoloured = build(description, {"R..R", "R#kg"}, true);
    recoloured->setColor(sf::Color::Red);
    EXPECT_EQ(recoloured->sprite().getColor(), sf::Color::White);
    EXPECT_EQ(recoloured->color(), sf::Color::Red);
    const sf::Image image = recoloured->texture().copyToImage();
    EXPECT_EQ(image.getPixel(1, 1), game.paperColor);
    EXPECT_EQ(image.getPixel(2, 1), game.inkColor);
    EXPECT_EQ(image.getPixel(3, 1), sf::Color(128, 128, 128));
    // Separator and clear pixels keep their values, so the scan still finds the glyph.
    EXPECT_EQ(recoloured->glyphRect('a'), sf::IntRect(1, 0, 2, 2));

    auto plain = build(description, {"R..R", "R#kR"});
    plain->setColor(sf::Color::Red);
    EXPECT_EQ(plain->sprite().getColor(), sf::Color::Red);
    EXPECT_EQ(plain->texture().copyToImage().getPixel(1, 1), sf::Color::White);
}
