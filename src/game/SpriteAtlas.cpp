#include "game/SpriteAtlas.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cstdio>

namespace {

// Sprites are laid out in shelves this wide (wider sprites widen the atlas).
constexpr unsigned kShelfWidth = 1024;

} // namespace

SpriteAtlas::Id SpriteAtlas::add(const sf::Sprite& sprite) {
    entries.push_back(Entry{&sprite, {}, {}});
    return entries.size() - 1;
}

bool SpriteAtlas::build() {
    std::vector<sf::Image> images;
    images.reserve(entries.size());
    unsigned width = kShelfWidth;
    for (const Entry& entry : entries) {
        const sf::Texture* texture = entry.sprite->getTexture();
        images.push_back(texture != nullptr ? texture->copyToImage() : sf::Image());
        width = std::max(width, images.back().getSize().x);
    }
    // Shelves: left to right, a new shelf below the tallest sprite of the last one.
    unsigned x = 0, y = 0, shelfHeight = 0;
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
    const unsigned height = std::max(1u, y + shelfHeight);
    if (height > sf::Texture::getMaximumSize() || width > sf::Texture::getMaximumSize()) {
        std::printf("sprite atlas of %ux%u is too large\n", width, height);
        entries.assign(entries.size(), Entry{nullptr, {}, {}});
        return false;
    }
    sf::Image packed;
    packed.create(width, height, sf::Color::Transparent);
    for (std::size_t i = 0; i < entries.size(); ++i)
        packed.copy(images[i], static_cast<unsigned>(entries[i].offset.x),
                    static_cast<unsigned>(entries[i].offset.y));
    return atlas.loadFromImage(packed);
}

void SpriteAtlas::appendQuad(sf::VertexArray& vertices, Id id, sf::Vector2i at,
                             const SpriteFrame& frame) const {
    const Entry& entry = entries[id];
    const sf::IntRect& r = frame.rect;
    if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0 ||
        r.left + r.width > entry.size.x || r.top + r.height > entry.size.y)
        return;
    const sf::Vector2f corners[4] = {
        {0.f, 0.f},
        {static_cast<float>(r.width), 0.f},
        {static_cast<float>(r.width), static_cast<float>(r.height)},
        {0.f, static_cast<float>(r.height)},
    };
    const sf::Vector2f position(at);
    const sf::Vector2f texel(static_cast<float>(entry.offset.x + r.left),
                             static_cast<float>(entry.offset.y + r.top));
    for (const sf::Vector2f& corner : corners) {
        const sf::Vector2f placed(position.x + (corner.x - frame.origin.x) * frame.scale.x,
                                  position.y + (corner.y - frame.origin.y) * frame.scale.y);
        vertices.append(sf::Vertex(placed, texel + corner));
    }
}
