#include "assets/SpriteManager.h"

#include "assets/FontManager.h"
#include "assets/Palettes.h"
#include "assets/SpriteNames.h"
#include "game/Game.h"
#include "platform/Config.h"
#include "platform/Folders.h"

#include <cstdio>
#include <cstdlib>

bool SpriteManager::coloursRandomized = false;

SpriteManager::SpriteManager(Game& game) : game_(game) {
    applyStoredPalette();
}

SpriteManager::~SpriteManager() = default;

void SpriteManager::loadSprites() {
    std::printf("Load sprites ... ");
    std::fflush(stdout);
    sprites_.clear();
    textures_.clear();
    for (const std::string_view name : spriteNames)
        loadSprite(std::string(name));
    std::puts("done!");
}

sf::Image SpriteManager::loadImage(const std::string& name) const {
    sf::Image image;
    if (image.loadFromFile(resourcePath() + "sprites/" + name + ".png"))
        recolour(image, game_.paperColor, game_.inkColor);
    return image;
}

sf::Sprite* SpriteManager::loadSprite(const std::string& name) {
    const sf::Image image = loadImage(name);
    auto texture = std::make_unique<sf::Texture>();
    // An empty texture is valid and draws nothing; creating one from a 0 x 0 image
    // would only add a second error line to the loader's.
    if (image.getSize().x > 0 && image.getSize().y > 0)
        texture->loadFromImage(image);
    auto sprite = std::make_unique<sf::Sprite>(*texture); // rectangle = whole texture
    sf::Sprite* const result = sprite.get();
    // The sprite is replaced before its texture so that no sprite ever points at a
    // freed texture, even briefly.
    sprites_[name] = std::move(sprite);
    textures_[name] = std::move(texture);
    return result;
}

sf::Sprite* SpriteManager::get(const std::string& name) {
    const auto it = sprites_.find(name);
    return it != sprites_.end() ? it->second.get() : &missing_;
}

void SpriteManager::setPalette(int index) {
    if (index < 0 || index >= static_cast<int>(palettes.size())) {
        game_.paperColor = sf::Color::Black;
        game_.inkColor = sf::Color::Black;
        return;
    }
    const Palette& p = palettes[static_cast<std::size_t>(index)];
    game_.paperColor = sf::Color(p.paper.r, p.paper.g, p.paper.b);
    game_.inkColor = sf::Color(p.ink.r, p.ink.g, p.ink.b);
}

void SpriteManager::applyStoredPalette() {
    setPalette(game_.config ? game_.config->getInt("palette") : 0);
}

namespace {
// Channels are taken R, G, B, each rand() mod 255, so a channel never reaches 255.
sf::Color randomColour() {
    const auto channel = [] { return static_cast<sf::Uint8>(std::rand() % 255); };
    const sf::Uint8 r = channel();
    const sf::Uint8 g = channel();
    const sf::Uint8 b = channel();
    return sf::Color(r, g, b, 255);
}
} // namespace

void SpriteManager::randomizeColours() {
    game_.paperColor = randomColour();
    game_.inkColor = randomColour();
    coloursRandomized = true;
}

void SpriteManager::recolourAll() {
    if (!coloursRandomized)
        applyStoredPalette();
    coloursRandomized = false;
    for (const auto& [name, texture] : textures_) {
        const sf::Image image = loadImage(name);
        // The texture object stays the same so that every sprite and widget holding it
        // shows the new colours; a file that vanished since start-up keeps the old ones.
        if (image.getSize() == texture->getSize() && image.getSize().x > 0)
            texture->update(image);
    }
    if (game_.fontManager)
        game_.fontManager->loadFonts();
}
