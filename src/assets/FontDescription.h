#pragma once
// The text half of a bitmap font: which characters each strip of the font image
// holds and how to space them. Plain C++ on purpose, so that the parser can be fuzzed
// and tested without a window.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// One "begin" ... "end" block of a description file: one horizontal strip of glyphs.
struct FontSet {
    std::int32_t rowHeight = 9;            // line height for measuring and line advance
    std::int32_t rowOffset = 0;            // added to y when a glyph of this set is drawn
    std::int32_t lineOffset = 0;           // kept for readers; no drawing uses it
    std::int32_t letterSpacing = 0;        // added after every glyph
    std::int32_t lineSpacing = 0;          // extra pixels between text lines
    std::int32_t underlinePosition = 0;    // kept for readers; no drawing uses it
    std::int32_t rowHeightBitmap = 0;      // height of the strip in image pixels
    std::vector<std::uint32_t> characters; // the strip's glyphs, left to right
};

struct FontDescription {
    std::string name;
    std::vector<FontSet> sets; // file order; a set's index is its strip's index

    // Parses a whole description. Never fails: unknown keys, junk numbers and an
    // unclosed last block are skipped, so hostile input yields a smaller font.
    static FontDescription parse(const std::string& name, std::istream& in);
    // Reads the file at `path`; a missing file gives a description without sets.
    static FontDescription load(const std::string& name, const std::string& path);
};
