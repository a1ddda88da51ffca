#pragma once
// A bitmap font: glyph strips cut out of one image, drawn glyph by glyph with one
// sprite. Strings are UTF-8. "{" ... "}" spans are markup: they take no width when
// measuring or wrapping (the text widget turns "<" ">" into them).
#include "assets/FontDescription.h"

#include <SFML/Graphics.hpp>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Game;

class BitmapFont {
public:
    // The strips the glyph scan looks at; later sets get no glyphs.
    static constexpr std::size_t MaxSets = 64;

    // Where a code point's glyph lives: its set and its index within the set.
    struct GlyphRef {
        std::int32_t set = 0;
        std::int32_t index = 0;
    };

    // Loads the image at `imagePath`. A missing or empty image is reported on standard
    // output and leaves a font that measures (0, 0) and draws nothing. With `recolour`
    // the image's pure white and black take the palette's paper and ink, and the font
    // always draws with its image colours.
    BitmapFont(Game& game, FontDescription description, bool recolour,
               const std::string& imagePath);
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    void setColor(sf::Color color);
    // Single line: line breaks are not interpreted; a tab moves the pen to the next
    // multiple of 8.
    void drawString(const std::string& text, sf::Vector2i position, sf::RenderTarget& target);

    // (width, height); the width includes the spacing after the last glyph.
    sf::Vector2i measureString(const std::string& text) const;
    // Breaks at spaces so that lines fit `maxWidth` (0: unchanged). A word wider than
    // the width on its own is not broken.
    std::string wrapString(const std::string& text, std::int32_t maxWidth) const;
    // Only a to z change, whatever the locale.
    static std::string toUpper(const std::string& text);

    // Fields of the first set; 0 for a font without sets.
    std::int32_t getRowHeight() const;
    std::int32_t getLineSpacing() const;
    std::int32_t getLineOffset() const;

    const FontDescription& description() const { return description_; }
    sf::Color color() const { return color_; }
    const sf::Sprite& sprite() const { return sprite_; }
    const sf::Texture& texture() const { return texture_; }
    std::optional<GlyphRef> glyphRef(std::uint32_t codepoint) const;
    std::optional<sf::IntRect> glyphRect(std::uint32_t codepoint) const;

private:
    struct Glyph {
        const sf::IntRect* rect;
        const FontSet* set;
    };

    bool loadImage(const std::string& path);
    void recolourImage(sf::Image& image) const;
    void scanGlyphs(const sf::Image& image);
    void scanStrip(const sf::Image& image, std::size_t setIndex, unsigned top, sf::Color separator);
    std::optional<Glyph> glyph(std::uint32_t codepoint) const;
    const FontSet* firstSet() const;

    Game& game_;
    FontDescription description_;
    bool recolour_;
    sf::Color color_ = sf::Color::Black;
    sf::Texture texture_;
    sf::Sprite sprite_;
    std::vector<std::vector<sf::IntRect>> glyphRects_; // [set][character]
    std::map<std::uint32_t, GlyphRef> characterMap_;
};
