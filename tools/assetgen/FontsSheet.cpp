#include "FontsSheet.h"

#include "platform/StringUtil.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

// Keeps the image compact and each strip easy to inspect.
constexpr std::size_t GlyphsPerStrip = 32;
// Never drawn (glyph rectangles exclude separator columns), so any colour outside the
// two art tones works; it must not be recoloured.
constexpr Rgba Separator{255, 0, 64, 255};

struct Strip {
    const FontMetrics* metrics;
    std::vector<const FontGlyph*> glyphs;
    int height() const { return 1 + (glyphs.empty() ? 0 : glyphs.front()->pixels.height()); }
    int width() const {
        int w = 1;
        for (const FontGlyph* g : glyphs)
            w += g->pixels.width() + 1;
        return w;
    }
};

std::vector<Strip> layOut(const FontSheet& sheet) {
    std::vector<Strip> strips;
    for (const FontGlyphGroup& group : sheet.groups) {
        for (std::size_t i = 0; i < group.glyphs.size(); ++i) {
            if (i % GlyphsPerStrip == 0)
                strips.push_back(Strip{&group.metrics, {}});
            strips.back().glyphs.push_back(&group.glyphs[i]);
        }
    }
    return strips;
}

// The description format cannot quote '"' or '#' (the splitter eats them), and a
// space only inside quotes. The decoder reads the two-byte form of an ASCII
// character like the character itself, so those two go in that form.
std::string listedCharacter(std::uint32_t cp) {
    if (cp == '"' || cp == '#')
        return {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
    return codepointsToUtf8({cp});
}

Rgba stored(Rgba tone, bool recoloured) {
    return recoloured || tone != Ink ? tone : Paper;
}

Canvas drawStrips(const std::vector<Strip>& strips, bool recoloured) {
    int width = 2, height = 0;
    for (const Strip& strip : strips) {
        width = std::max(width, strip.width());
        height += strip.height();
    }
    Canvas image(width, std::max(height, 1));
    int top = 0;
    for (const Strip& strip : strips) {
        image.fillRect(0, top, width, 1, Separator);
        int x = 1;
        for (const FontGlyph* glyph : strip.glyphs) {
            const Canvas& px = glyph->pixels;
            image.fillRect(x, top, px.width(), 1, Clear);
            for (int gy = 0; gy < px.height(); ++gy)
                for (int gx = 0; gx < px.width(); ++gx)
                    image.set(x + gx, top + 1 + gy, stored(px.get(gx, gy), recoloured));
            x += px.width() + 1;
        }
        top += strip.height();
    }
    return image;
}

bool writeDescription(const std::string& path, const FontSheet& sheet,
                      const std::vector<Strip>& strips) {
    std::ofstream dat(path);
    dat << "// Bitmap font \"" << sheet.name << "\": one block per strip of " << sheet.name
        << ".png, top to bottom.\n";
    dat << "underlinePosition " << sheet.underlinePosition << "\n";
    for (const Strip& strip : strips) {
        std::string characters;
        for (const FontGlyph* glyph : strip.glyphs)
            characters += listedCharacter(glyph->codepoint);
        const FontMetrics& m = *strip.metrics;
        dat << "\nbegin\n"
            << "\tcharacters \"" << characters << "\"\n"
            << "\trowHeight " << m.rowHeight << "\n"
            << "\trowOffset " << m.rowOffset << "\n"
            << "\tletterSpacing " << m.letterSpacing << "\n"
            << "\tlineSpacing " << m.lineSpacing << "\n"
            << "\trowHeightBitmap " << strip.height() << "\n"
            << "end\n";
    }
    dat.close();
    if (!dat) {
        std::printf("could not write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool writeFontSheet(const std::string& out, const FontSheet& sheet) {
    const std::vector<Strip> strips = layOut(sheet);
    const std::string base = out + "fonts/" + sheet.name;
    return drawStrips(strips, sheet.recoloured).savePng(base + ".png") &&
           writeDescription(base + ".dat", sheet, strips);
}
