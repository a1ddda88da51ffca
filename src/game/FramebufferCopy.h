#pragma once
// Drawing SFML 2.5 offers no call for, each cheaper for a software renderer than the
// plain way: render textures in the window's byte order, a framebuffer blit of a
// render texture into any target, which it does as a memory copy when the two share a
// format, a sprite drawn with its texels taken as they are, sprites drawn with an
// alpha test instead of blending, and drawing clipped to a rectangle. Main thread only.
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>

// Creates `texture` with its pixels kept as blue, green, red, alpha bytes, the order of
// a window's: a software renderer draws into that faster, and copies between such
// textures as plain memory. False when the texture cannot be made.
bool createInWindowOrder(sf::RenderTexture& texture, sf::Vector2u size);

// Copies the texels `fromArea` of `from` over the pixels `area` of `to` (both counted
// from the top), each texel taken whole, stretched when the sizes differ, turned upside
// down when `flip`. False, and nothing copied, when the driver or either target cannot.
bool copyFramebuffer(sf::RenderTexture& from, const sf::IntRect& fromArea, sf::RenderTarget& to,
                     const sf::IntRect& area, bool flip);

// Draws `sprite` in place of what is under it, its texels as they are: not blended, and
// not multiplied by the sprite's colour, which spares a software renderer a multiply
// at every pixel. The sprite's colour must be white.
void drawCopy(sf::RenderTarget& target, const sf::Sprite& sprite);

// Draws `vertices` textured, writing the texels that are not fully clear in place of
// what is under them and leaving the rest. That is what blending gives when every
// texel is either clear or opaque and every vertex colour opaque, without the software
// renderer reading back each pixel it blends.
void drawOpaqueTexels(sf::RenderTarget& target, const sf::Vertex* vertices, std::size_t count,
                      sf::PrimitiveType type, const sf::Texture& texture);

// While it lives, what is drawn into `target`, clears included, reaches only its pixels
// `area` (counted from the top); whatever reaches them is what an unclipped draw gives
// there. Converts to false when the driver cannot clip, and then nothing is clipped.
class ClipGuard {
public:
    ClipGuard(sf::RenderTarget& target, const sf::IntRect& area);
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;
    ~ClipGuard();

    explicit operator bool() const { return clipping; }

private:
    sf::RenderTarget& target;
    bool clipping = false;
};
