// The five bitmap fonts, in the game's font-number order: "normal", "small", "bold",
// "numbers" (two tones, loaded with the recolour flag) and "mixed" (normal letters with
// bold figures, for the upgrade button's price).
#include "AssetGen.h"
#include "FontsSheet.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The grids are compiled in, so editing a source rebuilds the generator and with it
// the data folder.
constexpr const char* normalSource =
#include "fonts/normal.txt"
    ;
constexpr const char* smallSource =
#include "fonts/small.txt"
    ;
constexpr const char* numbersSource =
#include "fonts/numbers.txt"
    ;

// Grid heights of the sources above.
constexpr int NormalRows = 9;
constexpr int SmallRows = 6;
constexpr int NumbersRows = 9;

// Glyph tops sit one row below the strip's marker row. Normal text keeps that row as
// its top margin, which centres capitals in the 9-pixel check boxes; the small face
// is pulled up so it centres in 9-pixel title bars; the outlined figures are pulled
// up so the ring, not the marker row, starts the line.
constexpr FontMetrics normalMetrics{9, 0, 1, 1};
constexpr FontMetrics smallMetrics{7, -1, 1, 0};
// The paper rings of neighbouring figures overlap by one column.
constexpr FontMetrics numbersMetrics{11, -1, -1, 0};

constexpr int NormalUnderline = 8;
constexpr int SmallUnderline = 6;
constexpr int NumbersUnderline = 11;

// Figures and the marks that go with prices and rates in the "mixed" face.
constexpr std::array<std::uint32_t, 14> mixedBoldCharacters{'0', '1', '2', '3', '4', '5', '6',
                                                            '7', '8', '9', '.', ',', '%', 0xA4};

template <typename Transform>
std::vector<FontGlyph> transformed(const std::vector<FontGlyph>& glyphs, Transform t) {
    std::vector<FontGlyph> out;
    for (const FontGlyph& g : glyphs)
        out.push_back(t(g));
    return out;
}

std::vector<FontGlyph> boldFigures(const std::vector<FontGlyph>& normal) {
    std::vector<FontGlyph> out;
    for (const FontGlyph& g : normal)
        if (std::find(mixedBoldCharacters.begin(), mixedBoldCharacters.end(), g.codepoint) !=
            mixedBoldCharacters.end())
            out.push_back(emboldened(g));
    return out;
}

} // namespace

bool generateFonts(const std::string& out) {
    const auto normal = parseGlyphs(normalSource, NormalRows);
    const auto small = parseGlyphs(smallSource, SmallRows);
    const auto numbers = parseGlyphs(numbersSource, NumbersRows);
    if (!normal || !small || !numbers)
        return false;
    // Later groups win for characters listed twice, so the bold figures of "mixed"
    // replace the normal ones.
    const std::array<FontSheet, 5> sheets{{
        {"normal", false, NormalUnderline, {{normalMetrics, *normal}}},
        {"small", false, SmallUnderline, {{smallMetrics, *small}}},
        {"bold", false, NormalUnderline, {{normalMetrics, transformed(*normal, emboldened)}}},
        {"numbers", true, NumbersUnderline, {{numbersMetrics, transformed(*numbers, outlined)}}},
        {"mixed",
         false,
         NormalUnderline,
         {{normalMetrics, *normal}, {normalMetrics, boldFigures(*normal)}}},
    }};
    for (const FontSheet& sheet : sheets)
        if (!writeFontSheet(out, sheet))
            return false;
    return true;
}
