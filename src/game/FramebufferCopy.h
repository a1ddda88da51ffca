#pragma once
// Copies of whole pictures in ways SFML 2.5 offers no call for, each cheaper for a
// software renderer than a plain sprite: a framebuffer blit between render textures,
// which it does as a memory copy when the two share a format, and a sprite drawn with
// its texels taken as they are. Main thread only.
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>

// Copies all of `from` to `to` with its top-left corner at `at`, both in pixels from
// the top. False, and nothing copied, when the driver or either texture cannot.
bool copyFramebuffer(sf::RenderTexture& from, sf::RenderTexture& to, sf::Vector2i at);

// Draws `sprite` in place of what is under it, its texels as they are: not blended, and
// not multiplied by the sprite's colour, which spares a software renderer a multiply
// at every pixel. The sprite's colour must be white.
void drawCopy(sf::RenderTarget& target, const sf::Sprite& sprite);
