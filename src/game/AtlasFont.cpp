#include "game/AtlasFont.h"

#include "assets/BitmapFont.h"

#include <algorithm>

AtlasFont::AtlasFont(SpriteAtlas& owner) : atlas(owner), cell(owner.add(nullptr)) {}

void AtlasFont::use(const BitmapFont* font) {
    font_ = font;
    atlas.replace(cell, font != nullptr ? &font->sprite() : nullptr);
    glyphs.fill(Glyph{});
    if (font == nullptr)
        return;
    for (std::uint32_t c = 0; c < kAscii; ++c) {
        const auto ref = font->glyphRef(c);
        if (!ref)
            continue;
        const FontSet& set = font->description().sets[static_cast<std::size_t>(ref->set)];
        const sf::IntRect rect = *font->glyphRect(c);
        glyphs[c] = Glyph{SpriteFrame{rect, sf::Vector2f(1.f, 1.f),
                                      sf::Vector2f(0.f, static_cast<float>(-set.rowOffset))},
                          rect.width + set.letterSpacing, set.rowHeight, true};
    }
}

const AtlasFont::Glyph& AtlasFont::glyph(char c) const {
    static const Glyph none{};
    const auto code = static_cast<unsigned char>(c);
    return code < kAscii ? glyphs[code] : none;
}

sf::Vector2i AtlasFont::measure(std::string_view text) const {
    int width = 0, height = 0, pen = 0;
    for (const char c : text) {
        const Glyph& g = glyph(c);
        if (!g.present)
            continue;
        height = std::max(height, g.rowHeight);
        pen += g.advance;
        width = std::max(width, pen);
    }
    return {width, height};
}

void AtlasFont::append(SpriteAtlas::Vertices& vertices, std::string_view text, sf::Vector2i at,
                       sf::Color color) const {
    int pen = 0;
    for (const char c : text) {
        const Glyph& g = glyph(c);
        if (!g.present)
            continue;
        atlas.appendQuad(vertices, cell, sf::Vector2i(at.x + pen, at.y), g.frame, color);
        pen += g.advance;
    }
}
