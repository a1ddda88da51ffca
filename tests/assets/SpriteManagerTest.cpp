// The sprite registry: palette choice, the two-tone recolouring rules, random colours
// and in-place recolouring of loaded textures, against the generated data folder.
#include "assets/SpriteManager.h"

#include "assets/SpriteNames.h"
#include "game/Game.h"
#include "platform/Config.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace {

const sf::Color Grey(128, 128, 128, 255);
const sf::Color HalfWhite(255, 255, 255, 128);
const sf::Color HalfBlack(0, 0, 0, 128);
const sf::Color KeyYellow(255, 255, 0, 255);
const sf::Color Transparent(0, 0, 0, 0);

// One pixel of every class the rules distinguish, in a row.
sf::Image craftedImage() {
    const sf::Color row[] = {sf::Color::White, sf::Color::Black, Grey,       HalfWhite,
                             HalfBlack,        KeyYellow,        Transparent};
    sf::Image image;
    image.create(7, 1);
    for (unsigned x = 0; x < 7; ++x)
        image.setPixel(x, 0, row[x]);
    return image;
}

TEST(SpriteRecolour, OnlyOpaqueWhiteAndBlackChange) {
    const sf::Color paper(232, 206, 168), ink(70, 62, 108);
    sf::Image image = craftedImage();
    SpriteManager::recolour(image, paper, ink);
    const sf::Color expected[] = {paper, ink, Grey, HalfWhite, HalfBlack, KeyYellow, Transparent};
    for (unsigned x = 0; x < 7; ++x)
        EXPECT_EQ(image.getPixel(x, 0), expected[x]) << "pixel " << x;
}

TEST(SpriteRecolour, PaperEqualToInkMakesNoDifferenceToOtherPixels) {
    sf::Image image = craftedImage();
    SpriteManager::recolour(image, sf::Color::Black, sf::Color::Black);
    EXPECT_EQ(image.getPixel(0, 0), sf::Color::Black);
    EXPECT_EQ(image.getPixel(1, 0), sf::Color::Black);
    EXPECT_EQ(image.getPixel(2, 0), Grey);
    EXPECT_EQ(image.getPixel(3, 0), HalfWhite);
}

// A game whose settings hold the given palette text, and its sprite manager.
class Palettes : public ::testing::Test {
protected:
    void useStoredPalette(const std::string& value) {
        const std::filesystem::path conf = std::filesystem::temp_directory_path() /
                                           ("tapburg-sprite-test-" + std::to_string(getpid()));
        std::ofstream(conf) << "palette=" << value << "\n";
        game.config = std::make_unique<Config>();
        game.config->load(conf.string());
        std::filesystem::remove(conf);
    }
    // The manager reads the generated data folder through resourcePath().
    void SetUp() override {
        if (const char* old = std::getenv("TAPBURG_DATA_DIR"))
            savedDataDir = old;
        setenv("TAPBURG_DATA_DIR", TAPBURG_TEST_DATA_DIR, 1);
        SpriteManager::coloursRandomized = false;
    }
    void TearDown() override {
        savedDataDir ? setenv("TAPBURG_DATA_DIR", savedDataDir->c_str(), 1)
                     : unsetenv("TAPBURG_DATA_DIR");
        SpriteManager::coloursRandomized = false;
    }

    std::optional<std::string> savedDataDir;

    Game game;
};

TEST_F(Palettes, ConstructionAppliesTheStoredPalette) {
    struct Case {
        const char* stored;
        sf::Color paper, ink;
    };
    const Case cases[] = {
        {"0", {232, 206, 168}, {70, 62, 108}},      {"2", sf::Color::White, sf::Color::Black},
        {"5", {31, 34, 37}, {164, 92, 44}},         {"7", {40, 36, 42}, {82, 144, 74}},
        {"9", sf::Color::Black, sf::Color::Black},  // outside the table
        {"-1", sf::Color::Black, sf::Color::Black}, // outside the table
        {"junk", {232, 206, 168}, {70, 62, 108}},   // reads as 0
    };
    for (const Case& c : cases) {
        useStoredPalette(c.stored);
        SpriteManager sprites(game);
        EXPECT_EQ(game.paperColor, c.paper) << "palette " << c.stored;
        EXPECT_EQ(game.inkColor, c.ink) << "palette " << c.stored;
    }
}

TEST_F(Palettes, MissingSettingMeansPaletteZero) {
    game.config = std::make_unique<Config>();
    SpriteManager sprites(game);
    EXPECT_EQ(game.paperColor, sf::Color(232, 206, 168));
}

TEST_F(Palettes, RandomColoursStayForOneRecolourThenThePaletteReturns) {
    useStoredPalette("3");
    SpriteManager sprites(game);
    std::srand(7);
    sprites.randomizeColours();
    EXPECT_TRUE(SpriteManager::coloursRandomized);
    const sf::Color paper = game.paperColor, ink = game.inkColor;
    for (const sf::Color c : {paper, ink}) {
        EXPECT_LT(c.r, 255);
        EXPECT_LT(c.g, 255);
        EXPECT_LT(c.b, 255);
        EXPECT_EQ(c.a, 255);
    }
    sprites.recolourAll();
    EXPECT_EQ(game.paperColor, paper);
    EXPECT_EQ(game.inkColor, ink);
    EXPECT_FALSE(SpriteManager::coloursRandomized);

    // The options screen's cycle step: stored index + 1, then recolour.
    game.config->setInt("palette", (game.config->getInt("palette") + 1) % 8);
    sprites.recolourAll();
    EXPECT_EQ(game.paperColor, sf::Color(231, 230, 224));
    EXPECT_EQ(game.inkColor, sf::Color(81, 79, 79));
}

TEST_F(Palettes, CyclingFromSevenWrapsToZero) {
    useStoredPalette("7");
    SpriteManager sprites(game);
    game.config->setInt("palette", (game.config->getInt("palette") + 1) % 8);
    sprites.recolourAll();
    EXPECT_EQ(game.config->getInt("palette"), 0);
    EXPECT_EQ(game.paperColor, sf::Color(232, 206, 168));
}

sf::Image fileImage(const std::string& name) {
    sf::Image image;
    image.loadFromFile(std::string(TAPBURG_TEST_DATA_DIR) + "sprites/" + name + ".png");
    return image;
}

TEST_F(Palettes, LoadsEveryListedSpriteAtItsFileSize) {
    useStoredPalette("2");
    SpriteManager sprites(game);
    testing::internal::CaptureStdout();
    sprites.loadSprites();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load sprites ... done!\n");
    for (const std::string_view name : spriteNames) {
        const sf::Sprite* sprite = sprites.get(std::string(name));
        ASSERT_NE(sprite, nullptr);
        ASSERT_NE(sprite->getTexture(), nullptr) << name;
        EXPECT_EQ(sprite->getTexture()->getSize(), fileImage(std::string(name)).getSize()) << name;
        EXPECT_EQ(sprite->getTextureRect().width,
                  static_cast<int>(sprite->getTexture()->getSize().x));
    }
}

TEST_F(Palettes, PaletteTwoShowsTheImagesAsStored) {
    useStoredPalette("2");
    SpriteManager sprites(game);
    const sf::Image stored = fileImage("house_small_1");
    const sf::Image shown = sprites.loadSprite("house_small_1")->getTexture()->copyToImage();
    ASSERT_EQ(shown.getSize(), stored.getSize());
    for (unsigned y = 0; y < stored.getSize().y; ++y)
        for (unsigned x = 0; x < stored.getSize().x; ++x)
            ASSERT_EQ(shown.getPixel(x, y), stored.getPixel(x, y)) << x << "," << y;
}

TEST_F(Palettes, RecolourAllUpdatesTheSameTexturesInPlace) {
    useStoredPalette("0");
    SpriteManager sprites(game);
    sf::Sprite* sprite = sprites.loadSprite("tile_outline");
    const sf::Texture* texture = sprite->getTexture();
    const sf::Image stored = fileImage("tile_outline");
    // The first opaque black pixel of the file shows the ink colour.
    sf::Vector2u inkAt{};
    for (unsigned y = 0; y < stored.getSize().y; ++y)
        for (unsigned x = 0; x < stored.getSize().x; ++x)
            if (stored.getPixel(x, y) == sf::Color::Black)
                inkAt = {x, y};
    EXPECT_EQ(texture->copyToImage().getPixel(inkAt.x, inkAt.y), sf::Color(70, 62, 108));

    game.config->setInt("palette", 5);
    sprites.recolourAll();
    EXPECT_EQ(sprites.get("tile_outline"), sprite);
    EXPECT_EQ(sprite->getTexture(), texture);
    EXPECT_EQ(texture->copyToImage().getPixel(inkAt.x, inkAt.y), sf::Color(164, 92, 44));
}

TEST_F(Palettes, MissingFilesAndUnknownNamesGiveEmptySprites) {
    useStoredPalette("0");
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
