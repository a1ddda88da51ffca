#pragma once
// Writes a bitmap font: "fonts/<name>.png" with one strip of glyphs per set, and
// "fonts/<name>.dat" describing the strips, in the layout the game's glyph scanner
// reads (a marker row on top of each strip: separator colour between glyphs, clear
// over them).
#include "FontsGlyphs.h"

#include <string>
#include <vector>

struct FontMetrics {
    int rowHeight;     // line advance
    int rowOffset;     // shifts glyphs up past the strip's marker row
    int letterSpacing; // after every glyph
    int lineSpacing;   // between lines of a text widget
};

// Glyphs sharing one set of metrics; written as one or more strips.
struct FontGlyphGroup {
    FontMetrics metrics;
    std::vector<FontGlyph> glyphs;
};

struct FontSheet {
    std::string name;
    // Fonts loaded with the recolour flag keep both tones (black ink, white paper);
    // the others store ink as white so that the sprite colour tints it.
    bool recoloured;
    int underlinePosition;
    std::vector<FontGlyphGroup> groups;
};

// `out` is the data folder ending with "/". Prints what failed and returns false.
bool writeFontSheet(const std::string& out, const FontSheet& sheet);
