#pragma once
// Copies of a set of registry sprites packed into one texture, so that a whole pass of
// the map goes to the GPU as one vertex array and one draw call instead of one call
// per sprite. The copies go stale when the registry's textures are re-coloured; the
// owner builds again then. Main thread only (it makes a texture).
#include "game/MapDrawRules.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <cstddef>
#include <vector>

class SpriteAtlas {
public:
    using Id = std::size_t;
    // Quads, four vertices each.
    using Vertices = std::vector<sf::Vertex>;

    // Registers a sprite to be copied by the next build; null copies nothing.
    Id add(const sf::Sprite* sprite);
    // Copies another sprite (or none) into the entry from the next build on: a font
    // reloaded after a palette change is a new object.
    void replace(Id id, const sf::Sprite* sprite) { entries[id].sprite = sprite; }
    // Copies every registered sprite's whole texture into the atlas. False (and an
    // empty atlas) when the copies do not fit one texture.
    bool build();

    // Size of the registered sprite's texture as last built; (0, 0) for a missing one.
    sf::Vector2i size(Id id) const { return entries[id].size; }
    const sf::Texture& texture() const { return atlas; }
    // Whether every texel of the atlas as last built is fully clear or fully opaque.
    bool clearOrOpaque() const { return binaryAlpha; }

    // Appends the quad that draws cell `frame` of sprite `id` with its origin at `at`,
    // its texels multiplied by `color`. A cell reaching outside the sprite is not drawn.
    void appendQuad(Vertices& vertices, Id id, sf::Vector2i at, const SpriteFrame& frame,
                    sf::Color color = sf::Color::White) const;
    // Appends a rectangle of one colour, as an untextured shape would draw it.
    void appendFill(Vertices& vertices, const sf::IntRect& area, sf::Color color) const;

private:
    struct Entry {
        const sf::Sprite* sprite;
        sf::Vector2i offset; // in the atlas
        sf::Vector2i size;
    };

    void appendCorners(Vertices& vertices, const sf::FloatRect& placed, sf::Vector2f texel,
                       sf::Vector2f texelSize, sf::Color color) const;

    std::vector<Entry> entries;
    sf::Texture atlas;
    bool built = false;
    bool binaryAlpha = false;
};
