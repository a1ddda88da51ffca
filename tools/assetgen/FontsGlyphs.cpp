#include "FontsGlyphs.h"

#include "platform/StringUtil.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::optional<std::uint32_t> parseCodepoint(const std::string& name) {
    if (name.size() > 2 && name.compare(0, 2, "U+") == 0)
        return std::uint32_t(std::strtoul(name.c_str() + 2, nullptr, 16));
    const std::vector<std::uint32_t> cps = utf8ToCodepoints(name);
    if (cps.size() != 1)
        return std::nullopt;
    return cps.front();
}

std::optional<Rgba> tone(char c) {
    switch (c) {
    case '#':
        return Ink;
    case 'o':
        return Paper;
    case '.':
        return Clear;
    default:
        return std::nullopt;
    }
}

// Rows gathered for the glyph being read.
struct PendingGlyph {
    std::uint32_t codepoint;
    std::vector<std::string> rows;
};

std::optional<FontGlyph> finish(const PendingGlyph& pending, int height) {
    const int width = pending.rows.empty() ? 0 : int(pending.rows.front().size());
    if (width == 0 || int(pending.rows.size()) > height) {
        std::printf("font glyph U+%04X: needs 1 to %d rows of equal width\n",
                    unsigned(pending.codepoint), height);
        return std::nullopt;
    }
    FontGlyph glyph{pending.codepoint, Canvas(width, height)};
    for (int y = 0; y < int(pending.rows.size()); ++y) {
        const std::string& row = pending.rows[y];
        for (int x = 0; x < width; ++x) {
            const std::optional<Rgba> c = x < int(row.size()) ? tone(row[x]) : std::nullopt;
            if (!c || int(row.size()) != width) {
                std::printf("font glyph U+%04X: bad row \"%s\"\n", unsigned(pending.codepoint),
                            row.c_str());
                return std::nullopt;
            }
            glyph.pixels.set(x, y, *c);
        }
    }
    return glyph;
}

} // namespace

std::optional<std::vector<FontGlyph>> parseGlyphs(const char* source, int height) {
    std::vector<FontGlyph> glyphs;
    std::optional<PendingGlyph> pending;
    const auto flush = [&]() {
        if (!pending)
            return true;
        std::optional<FontGlyph> glyph = finish(*pending, height);
        if (glyph)
            glyphs.push_back(std::move(*glyph));
        pending.reset();
        return glyph.has_value();
    };
    std::istringstream in(source);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        if (line.rfind(": ", 0) == 0) {
            const std::optional<std::uint32_t> cp = parseCodepoint(line.substr(2));
            if (!flush() || !cp) {
                std::printf("font source: bad glyph line \"%s\"\n", line.c_str());
                return std::nullopt;
            }
            pending = PendingGlyph{*cp, {}};
        } else if (pending) {
            pending->rows.push_back(line);
        } else {
            std::printf("font source: row outside a glyph \"%s\"\n", line.c_str());
            return std::nullopt;
        }
    }
    if (!flush())
        return std::nullopt;
    return glyphs;
}

FontGlyph emboldened(const FontGlyph& glyph) {
    const Canvas& src = glyph.pixels;
    FontGlyph bold{glyph.codepoint, Canvas(src.width() + 1, src.height())};
    bold.pixels.blit(src, 0, 0);
    bold.pixels.blit(src, 1, 0);
    return bold;
}

FontGlyph outlined(const FontGlyph& glyph) {
    const Canvas& src = glyph.pixels;
    FontGlyph out{glyph.codepoint, Canvas(src.width() + 2, src.height() + 2)};
    for (int y = 0; y < out.pixels.height(); ++y) {
        for (int x = 0; x < out.pixels.width(); ++x) {
            bool nearInk = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    nearInk = nearInk || src.get(x - 1 + dx, y - 1 + dy) == Ink;
            if (nearInk)
                out.pixels.set(x, y, Paper);
        }
    }
    out.pixels.blit(src, 1, 1);
    return out;
}
