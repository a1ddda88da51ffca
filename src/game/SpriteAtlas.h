#pragma once
// Copies of a set of registry sprites packed into one texture, so that a whole pass of
// the map goes to the GPU as one vertex array and one draw call instead of one call
// per sprite. The copies go stale when the registry's textures are re-coloured; the
// owner builds again then. Main thread only (it makes a texture).
#include "game/MapDrawRules.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <cstddef>
#include <vector>

class SpriteAtlas {
public:
    using Id = std::size_t;

    // Registers a sprite to be copied by the next build.
    Id add(const sf::Sprite& sprite);
    // Copies every registered sprite's whole texture into the atlas. False (and an
    // empty atlas) when the copies do not fit one texture.
    bool build();

    // Size of the registered sprite's texture as last built; (0, 0) for a missing one.
    sf::Vector2i size(Id id) const { return entries[id].size; }
    const sf::Texture& texture() const { return atlas; }

    // Appends the quad that draws cell `frame` of sprite `id` with its origin at `at`.
    // A cell reaching outside the sprite is not drawn.
    void appendQuad(sf::VertexArray& vertices, Id id, sf::Vector2i at,
                    const SpriteFrame& frame) const;

private:
    struct Entry {
        const sf::Sprite* sprite;
        sf::Vector2i offset; // in the atlas
        sf::Vector2i size;
    };

    std::vector<Entry> entries;
    sf::Texture atlas;
};
