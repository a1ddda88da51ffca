#pragma once
// The sprite registry: every image of the fixed list, loaded once at start-up,
// re-coloured from two-tone art (pure white = paper, pure black = ink) into the current
// palette and handed out by name. Users share one sprite per name and set position,
// origin, scale and texture rectangle on each draw. Non-copyable; main thread only.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>
#include <memory>
#include <string>

class Game;

class SpriteManager {
public:
    // Applies the palette stored in the settings ("palette"); loads nothing yet.
    explicit SpriteManager(Game& game);
    ~SpriteManager();
    SpriteManager(const SpriteManager&) = delete;
    SpriteManager& operator=(const SpriteManager&) = delete;

    // Replaces the whole registry with the images of the sprite list.
    void loadSprites();
    // Loads, re-colours and registers one image; an unreadable file still registers
    // an empty sprite so that drawing it is harmless.
    sf::Sprite* loadSprite(const std::string& name);
    // The shared sprite of that name; an unknown name gets an empty sprite.
    sf::Sprite* get(const std::string& name);

    // Sets the game's paper and ink from the palette table; an index outside it makes
    // both opaque black. Does not touch loaded textures.
    void setPalette(int index);
    // Random paper and ink (each channel 0 to 254), kept by the next recolourAll.
    void randomizeColours();
    // Re-colours every texture in place with the current colours (the stored palette
    // unless random colours were just chosen), then reloads the fonts.
    void recolourAll();

    // Two-tone to palette: opaque white becomes paper, opaque black ink; transparent,
    // grey, half-transparent and key-coloured pixels stay as they are.
    static void recolour(sf::Image& image, sf::Color paper, sf::Color ink) {
        const sf::Vector2u size = image.getSize();
        for (unsigned y = 0; y < size.y; ++y)
            for (unsigned x = 0; x < size.x; ++x) {
                const sf::Color c = image.getPixel(x, y);
                if (c == sf::Color::White)
                    image.setPixel(x, y, paper);
                else if (c == sf::Color::Black)
                    image.setPixel(x, y, ink);
            }
    }

    // Process-wide: set by randomizeColours so that the next recolourAll keeps the
    // random colours instead of re-applying the stored palette.
    static bool coloursRandomized;

private:
    sf::Image loadImage(const std::string& name) const;
    void applyStoredPalette();

    Game& game_;
    std::map<std::string, std::unique_ptr<sf::Sprite>> sprites_;
    std::map<std::string, std::unique_ptr<sf::Texture>> textures_;
    sf::Texture emptyTexture_;
    sf::Sprite missing_;
};
