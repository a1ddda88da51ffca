// The desktop icon: a small house on an isometric tile, drawn once at 32 x 32 in
// the two tones and enlarged by whole factors so every size stays crisp pixel art.
// It is coloured with the first palette, because desktops show it outside the game.
#include "AssetGen.h"
#include "Canvas.h"
#include "assets/Palettes.h"

#include <array>
#include <cstdio>
#include <string>

namespace {

constexpr int BaseSize = 32;
// Written as icons/<n>x<n>/apps/tapburg.png, the layout of the hicolor icon theme.
constexpr std::array<int, 4> IconScales{1, 2, 4, 8};

struct Point {
    int x, y;
};
using Quad = std::array<Point, 4>;

// The tile under the house and the house's faces, corners in drawing order.
constexpr Quad Ground{{{16, 16}, {31, 24}, {16, 31}, {1, 24}}};
constexpr Quad LeftWall{{{7, 14}, {16, 18}, {16, 27}, {7, 23}}};
constexpr Quad RightWall{{{16, 18}, {25, 14}, {25, 23}, {16, 27}}};
constexpr Quad LeftRoof{{{16, 5}, {16, 18}, {6, 14}, {6, 14}}};
constexpr Quad RightRoof{{{16, 5}, {26, 14}, {16, 18}, {16, 18}}};

// Signed area test: the point is on the inner side of every edge of a convex,
// clockwise quad (a repeated corner makes it a triangle).
bool inside(const Quad& q, int x, int y) {
    for (std::size_t i = 0; i < q.size(); ++i) {
        const Point a = q[i], b = q[(i + 1) % q.size()];
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0)
            return false;
    }
    return true;
}

void fillQuad(Canvas& c, const Quad& q, Dither shade) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (inside(q, x, y))
                c.set(x, y, Canvas::ditherOn(shade, x, y) ? Ink : Paper);
    for (std::size_t i = 0; i < q.size(); ++i)
        c.line(q[i].x, q[i].y, q[(i + 1) % q.size()].x, q[(i + 1) % q.size()].y, Ink);
}

Canvas drawHouse() {
    Canvas c(BaseSize, BaseSize);
    fillQuad(c, Ground, Dither::Sparse);
    // Lit from the left: the faces turned right are the darker ones.
    fillQuad(c, LeftWall, Dither::None);
    fillQuad(c, RightWall, Dither::Checker);
    fillQuad(c, LeftRoof, Dither::Sparse);
    fillQuad(c, RightRoof, Dither::Dense);
    c.fillRect(10, 20, 2, 4, Ink); // door
    c.fillRect(19, 20, 3, 3, Ink); // window frame on the shaded side
    c.set(20, 21, Paper);          // and its lit pane
    return c;
}

Rgba toRgba(const PaletteColour& colour) {
    return {colour.r, colour.g, colour.b, 255};
}

Canvas enlarged(const Canvas& art, int factor, const Palette& palette) {
    Canvas out(art.width() * factor, art.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const Rgba c = art.get(x / factor, y / factor);
            out.set(x, y, c == Ink ? toRgba(palette.ink) : c == Paper ? toRgba(palette.paper) : c);
        }
    return out;
}

} // namespace

bool generateIcon(const std::string& out) {
    const Canvas art = drawHouse();
    for (const int factor : IconScales) {
        const std::string size = std::to_string(BaseSize * factor);
        const std::string path = out + "icons/" + size + "x" + size + "/apps/tapburg.png";
        if (!enlarged(art, factor, palettes[0]).savePng(path))
            return false;
    }
    return true;
}
