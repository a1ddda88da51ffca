#pragma once
// A bitmap font's glyphs as a cell of a SpriteAtlas, so that short labels join the
// atlas's vertex array: no draw call and no allocation per glyph. Lays out a line of
// ASCII without tabs or "{" markup exactly as BitmapFont measures and draws it. Main
// thread only.
#include "game/SpriteAtlas.h"

#include <array>
#include <string_view>

class BitmapFont;

class AtlasFont {
public:
    // Registers the font's cell, empty until `use` names a font.
    explicit AtlasFont(SpriteAtlas& atlas);
    AtlasFont(const AtlasFont&) = delete;
    AtlasFont& operator=(const AtlasFont&) = delete;

    // Takes the glyphs of `font` (null: none); the atlas copies its image on the next
    // build. The font must outlive its use.
    void use(const BitmapFont* font);
    const BitmapFont* font() const { return font_; }

    // As BitmapFont::measureString.
    sf::Vector2i measure(std::string_view text) const;
    // As BitmapFont::drawString with the font's sprite colour `color`.
    void append(SpriteAtlas::Vertices& vertices, std::string_view text, sf::Vector2i at,
                sf::Color color) const;

private:
    struct Glyph {
        SpriteFrame frame{};
        int advance = 0;
        int rowHeight = 0;
        bool present = false;
    };
    static constexpr std::size_t kAscii = 128;

    const Glyph& glyph(char c) const;

    SpriteAtlas& atlas;
    SpriteAtlas::Id cell;
    const BitmapFont* font_ = nullptr;
    std::array<Glyph, kAscii> glyphs{};
};
