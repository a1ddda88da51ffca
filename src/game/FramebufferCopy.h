#pragma once
// Copies the pixels of one render texture into another by a framebuffer blit, which a
// software renderer does as a memory copy when the two share a format instead of
// texturing every pixel of a quad: a small part of the time for a whole window. SFML
// 2.5 offers no such call. Main thread only.
#include <SFML/Graphics/RenderTexture.hpp>

// Copies all of `from` to `to` with its top-left corner at `at`, both in pixels from
// the top. False, and nothing copied, when the driver or either texture cannot.
bool copyFramebuffer(sf::RenderTexture& from, sf::RenderTexture& to, sf::Vector2i at);
