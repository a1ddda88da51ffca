#include "assets/BitmapFont.h"

#include "game/Game.h"
#include "platform/StringUtil.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

using Codepoints = std::vector<std::uint32_t>;

constexpr std::uint32_t Tab = 0x09;
constexpr std::uint32_t Space = 0x20;
constexpr std::int32_t TabStop = 8;
const sf::Color OpaqueWhite(255, 255, 255, 255);
const sf::Color OpaqueBlack(0, 0, 0, 255);

bool isLineBreak(std::uint32_t cp) {
    return cp == '\n' || cp == '\r';
}

// Index of the "}" that closes a "{" at `open`, if there is one; an unclosed "{" is an
// ordinary character.
std::optional<std::size_t> spanEnd(const Codepoints& text, std::size_t open) {
    if (text[open] != '{')
        return std::nullopt;
    const auto close = std::find(text.begin() + open + 1, text.end(), std::uint32_t('}'));
    if (close == text.end())
        return std::nullopt;
    return std::size_t(close - text.begin());
}

std::string slice(const Codepoints& text, std::size_t from, std::size_t to) {
    return codepointsToUtf8(Codepoints(text.begin() + from, text.begin() + to));
}

} // namespace

BitmapFont::BitmapFont(Game& game, FontDescription description, bool recolour,
                       const std::string& imagePath)
    : game_(game), description_(std::move(description)), recolour_(recolour) {
    if (loadImage(imagePath))
        sprite_.setTexture(texture_, true);
}

bool BitmapFont::loadImage(const std::string& path) {
    sf::Image image;
    if (!image.loadFromFile(path)) {
        std::printf("FONT ERROR: Could not find file: %s\n", path.c_str());
        return false;
    }
    if (image.getSize().x == 0 || image.getSize().y == 0) {
        std::printf("FONT ERROR: Font image size is 0\n");
        return false;
    }
    if (recolour_)
        recolourImage(image);
    scanGlyphs(image);
    return texture_.loadFromImage(image);
}

void BitmapFont::recolourImage(sf::Image& image) const {
    const sf::Vector2u size = image.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            const sf::Color pixel = image.getPixel(x, y);
            if (pixel == OpaqueWhite)
                image.setPixel(x, y, game_.paperColor);
            else if (pixel == OpaqueBlack)
                image.setPixel(x, y, game_.inkColor);
        }
    }
}

void BitmapFont::scanGlyphs(const sf::Image& image) {
    const sf::Color separator = image.getPixel(0, 0);
    const std::size_t setCount = std::min(description_.sets.size(), MaxSets);
    glyphRects_.assign(setCount, {});
    // 64-bit so that hostile strip heights cannot wrap around into the image again.
    std::int64_t top = 0;
    for (std::size_t s = 0; s < description_.sets.size(); ++s) {
        if (s == MaxSets) {
            std::printf("FONT ERROR: Max font sets exceeded (max: %d). Call 911.\n", int(MaxSets));
            return;
        }
        const FontSet& set = description_.sets[s];
        glyphRects_[s].assign(set.characters.size(), sf::IntRect());
        // A strip that starts below the image has no top row to scan.
        if (top < std::int64_t(image.getSize().y))
            scanStrip(image, s, unsigned(top), separator);
        top += std::max(0, set.rowHeightBitmap);
    }
}

// Glyphs are runs of non-separator pixels along the strip's top row, separated by one
// or more separator columns. Column 0 is taken to be a separator and the rightmost
// column never belongs to a glyph.
void BitmapFont::scanStrip(const sf::Image& image, std::size_t setIndex, unsigned top,
                           sf::Color separator) {
    const FontSet& set = description_.sets[setIndex];
    const std::int64_t width = image.getSize().x;
    const auto isSeparator = [&](std::int64_t x) {
        return x >= width || image.getPixel(unsigned(x), top) == separator;
    };
    std::int64_t cursor = 0;
    bool inside = true;
    for (std::size_t k = 0; k < set.characters.size(); ++k) {
        const std::int64_t cursorBefore = cursor;
        const bool insideBefore = inside;
        std::int64_t start = cursor;
        std::optional<std::int64_t> end;
        for (std::int64_t x = cursor + 1; x < width && !end; ++x) {
            if (inside && (x == width - 1 || isSeparator(x))) {
                end = x - 1;
            } else if (!inside && !isSeparator(x)) {
                start = x - 1;
                inside = true;
            }
        }
        if (!end) {
            cursor = start;
            // Nothing changed, so every later character would fail the same walk.
            if (cursor == cursorBefore && inside == insideBefore)
                return;
            continue;
        }
        glyphRects_[setIndex][k] = sf::IntRect(int(start + 1), int(top), int(*end - start),
                                               std::max(0, set.rowHeightBitmap));
        characterMap_[set.characters[k]] = GlyphRef{std::int32_t(setIndex), std::int32_t(k)};
        inside = !isSeparator(*end + 2);
        cursor = *end + 1;
    }
}

std::optional<BitmapFont::GlyphRef> BitmapFont::glyphRef(std::uint32_t codepoint) const {
    const auto found = characterMap_.find(codepoint);
    if (found == characterMap_.end())
        return std::nullopt;
    return found->second;
}

std::optional<sf::IntRect> BitmapFont::glyphRect(std::uint32_t codepoint) const {
    if (const auto g = glyph(codepoint))
        return *g->rect;
    return std::nullopt;
}

std::optional<BitmapFont::Glyph> BitmapFont::glyph(std::uint32_t codepoint) const {
    const auto ref = glyphRef(codepoint);
    if (!ref)
        return std::nullopt;
    return Glyph{&glyphRects_[ref->set][ref->index], &description_.sets[ref->set]};
}

void BitmapFont::setColor(sf::Color color) {
    color_ = color;
    if (!recolour_)
        sprite_.setColor(color);
}

void BitmapFont::drawString(const std::string& text, sf::Vector2i position,
                            sf::RenderTarget& target) {
    std::int32_t pen = 0;
    for (const std::uint32_t cp : utf8ToCodepoints(text)) {
        if (cp == Tab)
            pen = (pen + TabStop) / TabStop * TabStop;
        const auto g = glyph(cp);
        if (!g)
            continue;
        sprite_.setTextureRect(*g->rect);
        sprite_.setPosition(float(position.x + pen), float(position.y + g->set->rowOffset));
        target.draw(sprite_);
        pen += g->rect->width + g->set->letterSpacing;
    }
}

sf::Vector2i BitmapFont::measureString(const std::string& text) const {
    const Codepoints cps = utf8ToCodepoints(text);
    std::int32_t height = 0, lineHeight = 0, pen = 0, width = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (const auto close = spanEnd(cps, i)) {
            i = *close;
        } else if (isLineBreak(cps[i])) {
            height += lineHeight;
            lineHeight = 0;
            pen = 0;
        } else if (const auto g = glyph(cps[i])) {
            height = std::max(height, g->set->rowHeight);
            lineHeight = std::max(lineHeight, g->set->rowHeight);
            pen += g->rect->width + g->set->letterSpacing;
            width = std::max(width, pen);
        }
    }
    return {width, height};
}

std::string BitmapFont::wrapString(const std::string& text, std::int32_t maxWidth) const {
    if (maxWidth == 0)
        return text;
    const Codepoints cps = utf8ToCodepoints(text);
    std::vector<std::string> lines;
    std::size_t lineStart = 0;
    std::int32_t pen = 0;
    std::optional<std::size_t> lastSpace;
    const auto breakLine = [&](std::size_t at) {
        lines.push_back(slice(cps, lineStart, at));
        lineStart = at + 1;
        pen = 0;
        lastSpace.reset();
    };
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (const auto close = spanEnd(cps, i)) {
            i = *close;
            continue;
        }
        if (cps[i] == Space)
            lastSpace = i;
        if (isLineBreak(cps[i])) {
            breakLine(i);
            continue;
        }
        const auto g = glyph(cps[i]);
        if (!g)
            continue;
        const std::int32_t w = pen + g->rect->width + g->set->letterSpacing;
        // The last character is tested like any other, so a final word that does not
        // fit moves to its own line instead of running past the width.
        if (lastSpace && w > maxWidth) {
            const std::size_t space = *lastSpace;
            breakLine(space);
            i = space;
        } else {
            pen = w;
        }
    }
    if (lineStart < cps.size())
        lines.push_back(slice(cps, lineStart, cps.size()));
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i)
        joined += (i ? "\n" : "") + lines[i];
    return joined;
}

std::string BitmapFont::toUpper(const std::string& text) {
    Codepoints cps = utf8ToCodepoints(text);
    for (std::uint32_t& cp : cps)
        if (cp >= 'a' && cp <= 'z')
            cp -= 'a' - 'A';
    return codepointsToUtf8(cps);
}

const FontSet* BitmapFont::firstSet() const {
    return description_.sets.empty() ? nullptr : &description_.sets.front();
}

std::int32_t BitmapFont::getRowHeight() const {
    return firstSet() ? firstSet()->rowHeight : 0;
}

std::int32_t BitmapFont::getLineSpacing() const {
    return firstSet() ? firstSet()->lineSpacing : 0;
}

std::int32_t BitmapFont::getLineOffset() const {
    return firstSet() ? firstSet()->lineOffset : 0;
}
