#pragma once
// Glyph grids of the bitmap fonts: read from the text sources in fonts/ and reshaped
// for the bold and outlined faces. Grids are drawn in the two art tones (Ink, Paper)
// on Clear; the sheet writer decides how the tones are stored.
#include "Canvas.h"

#include <cstdint>
#include <optional>
#include <vector>

struct FontGlyph {
    std::uint32_t codepoint;
    Canvas pixels;
};

// Parses glyph grids: a ": <character>" line (or ": U+XXXX") starts a glyph, then one
// line per row with '#' ink, 'o' paper and '.' clear; rows missing at the bottom are
// clear; "//" lines are comments. Every glyph is `height` rows tall. Prints the
// offending line and returns nothing when the source is malformed.
std::optional<std::vector<FontGlyph>> parseGlyphs(const char* source, int height);

// One column wider, every ink pixel doubled to the right: the bold face.
FontGlyph emboldened(const FontGlyph& glyph);
// Two columns and rows larger, ink ringed by paper so it reads on any background.
FontGlyph outlined(const FontGlyph& glyph);
