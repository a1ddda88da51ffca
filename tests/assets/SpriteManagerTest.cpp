// The sprite registry: palette choice, the two-tone recolouring rules, random colours
// and in-place recolouring of loaded textures, against the generated data folder.
#include "assets/SpriteManager.h"

#include "AssetTestSupport.h"
#include "game/Game.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using assettest::configWith;
using assettest::spriteFile;

const sf::Color Paper0(232, 206, 168), Ink0(70, 62, 108);

TEST(SpriteRecolour, OnlyOpaqueWhiteAndBlackChange) {
    const sf::Color before[] = {sf::Color::White,      sf::Color::Black, {128, 128, 128},
                                {255, 255, 255, 128},  {0, 0, 0, 128},   {255, 255, 0},
                                sf::Color::Transparent};
    const sf::Color after[] = {Paper0, Ink0, before[2], before[3], before[4], before[5], before[6]};
    sf::Image image;
    image.create(7, 1);
    for (unsigned x = 0; x < 7; ++x)
        image.setPixel(x, 0, before[x]);
    SpriteManager::recolour(image, Paper0, Ink0);
    for (unsigned x = 0; x < 7; ++x)
        EXPECT_EQ(image.getPixel(x, 0), after[x]) << "pixel " << x;
}

class Palettes : public ::testing::Test {
protected:
    void SetUp() override { SpriteManager::coloursRandomized = false; }
    void TearDown() override { SpriteManager::coloursRandomized = false; }

    assettest::DataFolder data;
    Game game;
};

TEST_F(Palettes, ConstructionAppliesTheStoredPalette) {
    const struct {
        const char* settings;
        sf::Color paper, ink;
    } cases[] = {
        {"palette=0\n", Paper0, Ink0},
        {"palette=2\n", sf::Color::White, sf::Color::Black},
        {"palette=5\n", {31, 34, 37}, {164, 92, 44}},
        {"palette=9\n", sf::Color::Black, sf::Color::Black},  // outside the table
        {"palette=-1\n", sf::Color::Black, sf::Color::Black}, // outside the table
        {"palette=junk\n", Paper0, Ink0},                     // reads as 0
        {"", Paper0, Ink0},
    };
    for (const auto& c : cases) {
        game.config = configWith(c.settings);
        SpriteManager sprites(game);
        EXPECT_EQ(game.paperColor, c.paper) << c.settings;
        EXPECT_EQ(game.inkColor, c.ink) << c.settings;
    }
}

TEST_F(Palettes, RandomColoursStayForOneRecolourThenThePaletteReturns) {
    game.config = configWith("palette=3\n");
    SpriteManager sprites(game);
    std::srand(7);
    sprites.randomizeColours();
    const sf::Color paper = game.paperColor, ink = game.inkColor;
    EXPECT_LT(std::max({paper.r, paper.g, paper.b, ink.r, ink.g, ink.b}), 255);
    sprites.recolourAll();
    EXPECT_EQ(game.paperColor, paper);
    EXPECT_EQ(game.inkColor, ink);
    sprites.recolourAll();
    EXPECT_EQ(game.paperColor, sf::Color(228, 217, 192));
}

// Palette 2 is black on white, so it shows the file as stored; a new palette repaints the
// same texture that sprites already point at.
TEST_F(Palettes, RecolourAllRepaintsTheSameTexturesInPlace) {
    game.config = configWith("palette=2\n");
    SpriteManager sprites(game);
    sf::Sprite* sprite = sprites.loadSprite("house_small_1");
    const sf::Texture* texture = sprite->getTexture();
    const sf::Image stored = spriteFile("house_small_1");
    const sf::Image shown = texture->copyToImage();
    ASSERT_EQ(shown.getSize(), stored.getSize());
    sf::Vector2u inkAt{};
    for (unsigned y = 0; y < stored.getSize().y; ++y)
        for (unsigned x = 0; x < stored.getSize().x; ++x) {
            ASSERT_EQ(shown.getPixel(x, y), stored.getPixel(x, y)) << x << "," << y;
            if (stored.getPixel(x, y) == sf::Color::Black)
                inkAt = {x, y};
        }

    game.config->setInt("palette", 5);
    sprites.recolourAll();
    EXPECT_EQ(sprites.get("house_small_1"), sprite);
    EXPECT_EQ(sprite->getTexture(), texture);
    EXPECT_EQ(texture->copyToImage().getPixel(inkAt.x, inkAt.y), sf::Color(164, 92, 44));
}

TEST_F(Palettes, MissingFilesAndUnknownNamesGiveEmptySprites) {
    SpriteManager sprites(game);
    sf::Sprite* missing = sprites.loadSprite("no_such_sprite");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->getTexture()->getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(sprites.get("no_such_sprite"), missing);
    sprites.recolourAll(); // must cope with the empty texture
    const sf::Sprite* unknown = sprites.get("never_loaded");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->getTextureRect().width, 0);
}

} // namespace
