#include "SpritesUiDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>

void drawArt(Canvas& c, int x, int y, const Art& rows) {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
        const std::string& row = rows[static_cast<std::size_t>(j)];
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            const int px = x + i, py = y + j;
            switch (row[static_cast<std::size_t>(i)]) {
            case '#':
                c.set(px, py, Ink);
                break;
            case '.':
                c.set(px, py, Paper);
                break;
            case ':':
                c.set(px, py, Canvas::ditherOn(Dither::Checker, px, py) ? Ink : Paper);
                break;
            case '\'':
                c.set(px, py, Canvas::ditherOn(Dither::Sparse, px, py) ? Ink : Paper);
                break;
            case '=':
                c.set(px, py, Canvas::ditherOn(Dither::Dense, px, py) ? Ink : Paper);
                break;
            default:
                break;
            }
        }
    }
}

Canvas artCanvas(const Art& rows) {
    std::size_t width = 0;
    for (const std::string& row : rows)
        width = std::max(width, row.size());
    Canvas c(static_cast<int>(width), static_cast<int>(rows.size()));
    drawArt(c, 0, 0, rows);
    return c;
}

Canvas flippedVertically(const Canvas& src) {
    Canvas out(src.width(), src.height());
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            out.set(i, src.height() - 1 - j, src.get(i, j));
    return out;
}

Canvas ghosted(const Canvas& src) {
    Canvas out = src;
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (src.get(i, j) == Ink && !Canvas::ditherOn(Dither::Checker, i, j))
                out.set(i, j, Clear);
    return out;
}

void haloOpaque(Canvas& c, Rgba colour) {
    const Canvas src = c;
    for (int j = 0; j < c.height(); ++j)
        for (int i = 0; i < c.width(); ++i) {
            if (src.get(i, j).a != 0)
                continue;
            bool touches = false;
            for (int dj = -1; dj <= 1 && !touches; ++dj)
                for (int di = -1; di <= 1 && !touches; ++di)
                    touches = src.get(i + di, j + dj).a != 0;
            if (touches)
                c.set(i, j, colour);
        }
}

namespace {

constexpr int glyphWidth = 5;
constexpr int glyphHeight = 7;

using Glyph = std::array<const char*, glyphHeight>;

const std::map<char, Glyph>& glyphs() {
    static const std::map<char, Glyph> table{
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
        {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
        {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
        {'$', {"..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."}},
        {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
        {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    };
    return table;
}

} // namespace

int letteringWidth(const std::string& text, int scale) {
    if (text.empty())
        return 0;
    return static_cast<int>(text.size()) * (glyphWidth + 1) * scale - scale;
}

void drawLettering(Canvas& c, int x, int y, const std::string& text, Rgba colour, int scale) {
    for (const char ch : text) {
        if (const auto it = glyphs().find(ch); it != glyphs().end())
            for (int j = 0; j < glyphHeight; ++j)
                for (int i = 0; i < glyphWidth; ++i)
                    if (it->second[static_cast<std::size_t>(j)][i] == '#')
                        c.fillRect(x + i * scale, y + j * scale, scale, scale, colour);
        x += (glyphWidth + 1) * scale;
    }
}

namespace {

template <typename Plot> void forDisc(int cx, int cy, int r, Plot plot) {
    for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i)
            if (i * i + j * j <= r * r + r)
                plot(cx + i, cy + j);
}

} // namespace

void fillDisc(Canvas& c, int cx, int cy, int r, Rgba colour) {
    forDisc(cx, cy, r, [&](int x, int y) { c.set(x, y, colour); });
}

void ditherDisc(Canvas& c, int cx, int cy, int r, Dither d) {
    forDisc(cx, cy, r, [&](int x, int y) { c.set(x, y, Canvas::ditherOn(d, x, y) ? Ink : Paper); });
}

void circleOutline(Canvas& c, int cx, int cy, int r, Rgba colour) {
    const int inner = (r - 1) * (r - 1) + (r - 1);
    forDisc(cx, cy, r, [&](int x, int y) {
        const int dx = x - cx, dy = y - cy;
        if (dx * dx + dy * dy > inner)
            c.set(x, y, colour);
    });
}

namespace {

// The top-left corner; the other three are mirror images, and the corner's last
// column and row are the one-pixel edge pieces.
const Art frameCornerArt{
    "   ######", "  #......", " #..#####", "#..#.....", "#.#......",
    "#.#......", "#.#......", "#.#......", "#.#......",
};

// The 19 x 19 nine-slice: four corners around a one-pixel cross of edges and centre.
const Canvas& frameSheet() {
    static const Canvas sheet = [] {
        const Canvas corner = artCanvas(frameCornerArt);
        Canvas s(2 * frameCorner + 1, 2 * frameCorner + 1);
        const Canvas top = [&] {
            Canvas t(2 * frameCorner + 1, frameCorner);
            t.blit(corner, 0, 0);
            t.blit(corner.crop(frameCorner - 1, 0, 1, frameCorner), frameCorner, 0);
            t.blit(corner.flippedHorizontally(), frameCorner + 1, 0);
            return t;
        }();
        s.blit(top, 0, 0);
        s.blit(top.crop(0, frameCorner - 1, top.width(), 1), 0, frameCorner);
        s.blit(flippedVertically(top), 0, frameCorner + 1);
        return s;
    }();
    return sheet;
}

int sliceSource(int i, int size) {
    if (i < frameCorner && i < size - i)
        return i;
    if (size - 1 - i < frameCorner)
        return 2 * frameCorner - (size - 1 - i);
    return frameCorner;
}

template <typename Map> void nineSlice(Canvas& c, int x, int y, int w, int h, Map map) {
    const Canvas& sheet = frameSheet();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (const Rgba p = sheet.get(sliceSource(i, w), sliceSource(j, h)); p.a != 0)
                c.set(x + i, y + j, map(p));
}

} // namespace

void drawFrame(Canvas& c, int x, int y, int w, int h) {
    nineSlice(c, x, y, w, h, [](Rgba p) { return p; });
}

void drawFrameSilhouette(Canvas& c, int x, int y, int w, int h) {
    nineSlice(c, x, y, w, h, [](Rgba) { return Ink; });
}

void drawRaisedFrame(Canvas& c, int x, int y, int w, int h) {
    drawFrameSilhouette(c, x + 1, y + 2, w - 1, h - 2);
    drawFrame(c, x, y, w - 1, h - 2);
}

namespace {

// Half-pixel offsets give the clean two-across, one-down staircase of isometric edges.
int isoDrop(int x, int vertexX) {
    return static_cast<int>(std::floor(std::abs(x + 0.5 - vertexX) / 2.0));
}

void shadePixel(Canvas& c, int x, int y, Dither d) {
    c.set(x, y, Canvas::ditherOn(d, x, y) ? Ink : Paper);
}

} // namespace

void drawIsoBlock(Canvas& c, const IsoBlock& b) {
    const int x0 = b.fx - b.left, x1 = b.fx + b.right - 1;
    const int backX = b.fx + b.right - b.left;
    const int backY = b.fy - b.height - (b.left + b.right) / 2;
    for (int x = x0; x <= x1; ++x) {
        const int bottom = b.fy - isoDrop(x, b.fx);
        const int top = bottom - b.height;
        const Dither face = x < b.fx ? Dither::None : b.shade;
        for (int y = top + 1; y < bottom; ++y)
            shadePixel(c, x, y, face);
        c.set(x, bottom, Ink);
        c.set(x, top, Ink);
        if (!b.drawTop)
            continue;
        const int upper = backY + isoDrop(x, backX);
        for (int y = upper + 1; y < top; ++y)
            c.set(x, y, Paper);
        c.set(x, upper, Ink);
    }
    const int frontTop = b.fy - b.height;
    for (int y = frontTop; y <= b.fy; ++y) {
        c.set(x0, y - isoDrop(x0, b.fx), Ink);
        c.set(x1, y - isoDrop(x1, b.fx), Ink);
        c.set(b.fx, y, Ink);
    }
}

void drawIsoWindows(Canvas& c, const IsoBlock& b, int columnStep, int rowStep) {
    for (int v = 4; v + 3 < b.height - 1; v += rowStep)
        for (int u = 2; u + 2 < std::min(b.left, b.right) - 1; u += columnStep)
            for (int k = 0; k < 2; ++k) {
                const int lx = b.fx - 1 - u - k, rx = b.fx + 1 + u + k;
                for (int dv = 0; dv < 3; ++dv) {
                    c.set(lx, b.fy - isoDrop(lx, b.fx) - v - dv, Ink);
                    c.set(rx, b.fy - isoDrop(rx, b.fx) - v - dv, Paper);
                }
            }
}

void drawIsoRoof(Canvas& c, const IsoBlock& b, int rise) {
    const int eaveY = b.fy - b.height;
    const int apexY = eaveY - b.left / 2 - rise;
    for (int x = b.fx - b.left; x < b.fx + b.right; ++x) {
        const int eave = eaveY - isoDrop(x, b.fx);
        const int span = x < b.fx ? b.left : b.right;
        const int dist = std::abs(x - b.fx) + (x < b.fx ? 0 : 1);
        const int edge = apexY + (eave - apexY) * dist / std::max(1, span);
        const Dither face = x < b.fx ? Dither::Checker : Dither::Dense;
        for (int y = edge + 1; y < eave; ++y)
            shadePixel(c, x, y, face);
        c.set(x, edge, Ink);
        c.set(x, eave, Ink);
    }
    for (int y = apexY; y <= eaveY; ++y)
        c.set(b.fx, y, Ink);
}
