#include "game/SpriteAtlas.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cstdio>

namespace {

// Sprites are laid out in shelves this wide (wider sprites widen the atlas).
constexpr unsigned kShelfWidth = 1024;
// A white block in the top-left corner for plain fills. Every corner of a fill samples
// its middle, so neither the filter nor the fill's size can reach a sprite's texels.
constexpr unsigned kFillBlock = 2;
const sf::Vector2f kFillTexel(kFillBlock / 2.f, kFillBlock / 2.f);

} // namespace

SpriteAtlas::Id SpriteAtlas::add(const sf::Sprite* sprite) {
    entries.push_back(Entry{sprite, {}, {}});
    return entries.size() - 1;
}

bool SpriteAtlas::build() {
    std::vector<sf::Image> images;
    images.reserve(entries.size());
    unsigned width = kShelfWidth;
    for (const Entry& entry : entries) {
        const sf::Texture* texture = entry.sprite ? entry.sprite->getTexture() : nullptr;
        images.push_back(texture != nullptr ? texture->copyToImage() : sf::Image());
        width = std::max(width, images.back().getSize().x);
    }
    // Shelves: left to right, a new shelf below the tallest sprite of the last one.
    unsigned x = kFillBlock, y = 0, shelfHeight = kFillBlock;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const sf::Vector2u size = images[i].getSize();
        if (x + size.x > width) {
            x = 0;
            y += shelfHeight;
            shelfHeight = 0;
        }
        entries[i].offset = sf::Vector2i(static_cast<int>(x), static_cast<int>(y));
        entries[i].size = sf::Vector2i(size);
        x += size.x;
        shelfHeight = std::max(shelfHeight, size.y);
    }
    const unsigned height = y + shelfHeight;
    built = height <= sf::Texture::getMaximumSize() && width <= sf::Texture::getMaximumSize();
    if (!built) {
        std::printf("sprite atlas of %ux%u is too large\n", width, height);
        // The sprites stay registered, so a later build can try again.
        for (Entry& entry : entries)
            entry.offset = entry.size = sf::Vector2i();
        return false;
    }
    sf::Image packed;
    packed.create(width, height, sf::Color::Transparent);
    for (unsigned fy = 0; fy < kFillBlock; ++fy)
        for (unsigned fx = 0; fx < kFillBlock; ++fx)
            packed.setPixel(fx, fy, sf::Color::White);
    for (std::size_t i = 0; i < entries.size(); ++i)
        packed.copy(images[i], static_cast<unsigned>(entries[i].offset.x),
                    static_cast<unsigned>(entries[i].offset.y));
    built = atlas.loadFromImage(packed);
    const sf::Uint8* texels = packed.getPixelsPtr();
    const std::size_t bytes = std::size_t{width} * height * 4;
    binaryAlpha = true;
    for (std::size_t alpha = 3; alpha < bytes && binaryAlpha; alpha += 4)
        binaryAlpha = texels[alpha] == 0 || texels[alpha] == 255;
    return built;
}

void SpriteAtlas::appendQuad(Vertices& vertices, Id id, sf::Vector2i at, const SpriteFrame& frame,
                             sf::Color color) const {
    const Entry& entry = entries[id];
    const sf::IntRect& r = frame.rect;
    if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0 ||
        r.left + r.width > entry.size.x || r.top + r.height > entry.size.y)
        return;
    const sf::Vector2f size(static_cast<float>(r.width), static_cast<float>(r.height));
    const sf::FloatRect placed(static_cast<float>(at.x) - frame.origin.x * frame.scale.x,
                               static_cast<float>(at.y) - frame.origin.y * frame.scale.y,
                               size.x * frame.scale.x, size.y * frame.scale.y);
    const sf::Vector2f texel(static_cast<float>(entry.offset.x + r.left),
                             static_cast<float>(entry.offset.y + r.top));
    appendCorners(vertices, placed, texel, size, color);
}

void SpriteAtlas::appendFill(Vertices& vertices, const sf::IntRect& area, sf::Color color) const {
    if (!built || area.width <= 0 || area.height <= 0)
        return;
    appendCorners(vertices, sf::FloatRect(area), kFillTexel, sf::Vector2f(), color);
}

void SpriteAtlas::appendCorners(Vertices& vertices, const sf::FloatRect& placed, sf::Vector2f texel,
                                sf::Vector2f texelSize, sf::Color color) const {
    const float right = placed.left + placed.width;
    const float bottom = placed.top + placed.height;
    vertices.push_back(sf::Vertex({placed.left, placed.top}, color, texel));
    vertices.push_back(
        sf::Vertex({right, placed.top}, color, texel + sf::Vector2f(texelSize.x, 0.f)));
    vertices.push_back(sf::Vertex({right, bottom}, color, texel + texelSize));
    vertices.push_back(
        sf::Vertex({placed.left, bottom}, color, texel + sf::Vector2f(0.f, texelSize.y)));
}
