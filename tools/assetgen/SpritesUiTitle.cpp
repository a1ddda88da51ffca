// The title screen art: the game's name in large lettering, an ornamental rule, the
// subtitle, and an isometric town on a floating block of land. The town is drawn
// with the map's own tile geometry (32 x 16 diamonds) so it looks like the game.
#include "SpritesUiParts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// ---- lettering ------------------------------------------------------------------------

// Lower-case letters on a 12-row grid: ascenders from row 0, x-height rows 3 to 8,
// descenders to row 11.
struct BigGlyph {
    char ch;
    Art rows;
};

const std::vector<BigGlyph> titleGlyphs{
    {'T',
     {"########", "########", "...##...", "...##...", "...##...", "...##...", "...##...",
      "...##...", "...##..."}},
    {'a', {"", "", "", ".#####.", ".....##", ".######", "##...##", "##...##", ".######"}},
    {'p',
     {"", "", "", "######.", "##...##", "##...##", "##...##", "##...##", "######.", "##.....",
      "##.....", "##....."}},
    {'b',
     {"##.....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##",
      "######."}},
    {'u', {"", "", "", "##...##", "##...##", "##...##", "##...##", "##...##", ".######"}},
    {'r', {"", "", "", "##.###.", "####.##", "##.....", "##.....", "##.....", "##....."}},
    {'g',
     {"", "", "", ".######", "##...##", "##...##", "##...##", "##...##", ".######", ".....##",
      ".....##", "######."}},
};

constexpr int glyphRows = 12;

// The word as a grid of cells, one column of space between letters.
std::vector<std::string> wordGrid(const std::string& word) {
    std::vector<std::string> grid(glyphRows);
    for (const char ch : word) {
        const auto it = std::find_if(titleGlyphs.begin(), titleGlyphs.end(),
                                     [ch](const BigGlyph& g) { return g.ch == ch; });
        if (it == titleGlyphs.end())
            continue;
        std::size_t width = 0;
        for (const std::string& row : it->rows)
            width = std::max(width, row.size());
        for (std::size_t j = 0; j < grid.size(); ++j) {
            std::string row = j < it->rows.size() ? it->rows[j] : "";
            row.resize(width, '.');
            grid[j] += row + ".";
        }
    }
    for (std::string& row : grid)
        row.pop_back();
    return grid;
}

bool cellOn(const std::vector<std::string>& grid, int x, int y) {
    if (y < 0 || y >= static_cast<int>(grid.size()) || x < 0 ||
        x >= static_cast<int>(grid[static_cast<std::size_t>(y)].size()))
        return false;
    return grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
}

// Scales the grid up, rounding outer corners and filling inner ones, so the strokes
// read as lettering rather than as blocks.
bool smoothOn(const std::vector<std::string>& grid, int px, int py, int scale) {
    const int gx = px / scale, gy = py / scale;
    const int u = px % scale, v = py % scale, cut = scale / 2;
    const bool on = cellOn(grid, gx, gy);
    for (const int sx : {-1, 1})
        for (const int sy : {-1, 1}) {
            const int du = sx < 0 ? u : scale - 1 - u, dv = sy < 0 ? v : scale - 1 - v;
            if (du + dv >= cut)
                continue;
            const bool side = cellOn(grid, gx + sx, gy), vert = cellOn(grid, gx, gy + sy);
            const bool diag = cellOn(grid, gx + sx, gy + sy);
            if (on && !side && !vert && !diag)
                return false;
            if (!on && side && vert && diag)
                return true;
        }
    return on;
}

Canvas titleLettering() {
    constexpr int scale = 7, depth = 5;
    Canvas c(512, 96);
    const std::vector<std::string> grid = wordGrid("Tapburg");
    const int w = static_cast<int>(grid[0].size()) * scale;
    const int x0 = (c.width() - w - depth) / 2, y0 = 3;
    Canvas face(c.width(), c.height());
    for (int py = 0; py < glyphRows * scale; ++py)
        for (int px = 0; px < w; ++px)
            if (smoothOn(grid, px, py, scale))
                face.set(x0 + px, y0 + py, Paper);
    for (int k = depth; k >= 1; --k)
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                if (face.get(x - k, y - k).a != 0)
                    c.set(x, y, Ink);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (std::abs(dx) + std::abs(dy) <= 3 && face.get(x + dx, y + dy).a != 0)
                        c.set(x, y, Ink);
    // The faces shade towards their lower edge, like the lit tops of the town's blocks.
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (face.get(x, y).a != 0) {
                const int row = (y - y0) / scale;
                const Dither d = row >= 8   ? Dither::Checker
                                 : row == 7 ? Dither::Sparse
                                            : Dither::None;
                c.set(x, y, Canvas::ditherOn(d, x, y) ? Ink : Paper);
            }
    haloOpaque(c, Paper);
    return c;
}

Canvas separator() {
    Canvas c(512, 12);
    constexpr int mid = 256, reach = 200, fade = 40;
    for (int x = mid - reach - fade; x <= mid + reach + fade; ++x) {
        const int d = std::abs(x - mid);
        if (d <= reach) {
            c.set(x, 4, Ink);
            c.set(x, 7, Ink);
            c.set(x, 5, Paper);
            c.set(x, 6, Paper);
        } else if (Canvas::ditherOn(d < reach + fade / 2 ? Dither::Checker : Dither::Sparse, x,
                                    5)) {
            c.set(x, 5, Ink);
            c.set(x, 6, Ink);
        }
    }
    for (const int cx : {mid - 100, mid, mid + 100}) {
        const int r = cx == mid ? 5 : 3;
        for (int y = 0; y < 12; ++y)
            for (int x = cx - r - 1; x <= cx + r + 1; ++x) {
                const int d = std::abs(x - cx) + std::abs(2 * y - 11) / 2;
                if (d <= r)
                    c.set(x, y, d == r || d <= r / 2 - 1 ? Ink : Paper);
            }
    }
    return c;
}

Canvas subtitle() {
    Canvas c(320, 64);
    const std::string lines[] = {"A CITY BUILT", "ONE CLICK AT A TIME"};
    for (int i = 0; i < 2; ++i) {
        const int w = letteringWidth(lines[i], 2);
        drawLettering(c, (c.width() - w) / 2, 14 + 22 * i, lines[i], Ink, 2);
    }
    haloOpaque(c, Paper);
    haloOpaque(c, Paper);
    return c;
}

// ---- the town ---------------------------------------------------------------------------

// A small fixed hash so the town is the same on every run and every platform.
std::uint32_t lotHash(int gx, int gy) {
    std::uint32_t h =
        static_cast<std::uint32_t>(gx) * 73856093u ^ static_cast<std::uint32_t>(gy) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

// The band behind the subtitle: on the smallest screen the subtitle covers the picture's
// columns 240 to 559 down to row 48, so nothing of the town may rise into it.
constexpr int SubtitleBandLeft = 236, SubtitleBandRight = 564, SubtitleBandBottom = 52;

struct Town {
    static constexpr int grid = 32, centreX = 380, centreY = 168, radiusX = 250, radiusY = 104;
    static constexpr int originX = centreX - 16 - 16 * (grid - 1), originY = centreY - 8;
    static int tileX(int gx, int gy) { return originX + (gx + gy) * 16; }
    static int tileY(int gx, int gy) { return originY + (gy - gx) * 8; }
    // Squared distance from the centre in units of the land's ellipse, times 100.
    static int reach(int gx, int gy) {
        const int dx = tileX(gx, gy) + 16 - centreX, dy = tileY(gx, gy) + 8 - centreY;
        return (dx * dx * 100) / (radiusX * radiusX) + (dy * dy * 100) / (radiusY * radiusY);
    }
    static bool land(int gx, int gy) {
        return gx >= 0 && gy >= 0 && gx < grid && gy < grid && reach(gx, gy) <= 100;
    }
    static bool road(int gx, int gy) { return gx % 6 == 2 || gy % 7 == 3; }
};

enum class Lot : std::int32_t { Road = 0, Park = 1, Trees = 2, House = 3, Block = 4, Tower = 5 };

// Towers crowd the middle, blocks and houses ring them, trees fringe the shore, and a
// few lots are left as parks so the streets have somewhere to breathe.
Lot lotKind(int gx, int gy) {
    if (Town::road(gx, gy))
        return Lot::Road;
    const std::uint32_t h = lotHash(gx, gy);
    const int reach = Town::reach(gx, gy);
    if (lotHash(gx / 3, gy / 3) % 7 == 0 && reach > 20)
        return Lot::Park;
    if (h % 9 == 0 || reach > 85)
        return Lot::Trees;
    if (reach > 55)
        return Lot::House;
    return reach < 22 ? Lot::Tower : Lot::Block;
}

// How far above (fx, fy) something reaching `half` pixels to each side may rise before
// it enters the subtitle's band.
int roomUnderBand(int fx, int fy, int half) {
    if (fx + half < SubtitleBandLeft || fx - half > SubtitleBandRight)
        return fy;
    return fy - SubtitleBandBottom;
}

void groundTile(Canvas& c, int gx, int gy, Lot lot) {
    const int x = Town::tileX(gx, gy), y = Town::tileY(gx, gy);
    const Dither surface = lot == Lot::Road   ? Dither::Checker
                           : lot == Lot::Park ? Dither::Sparse
                                              : Dither::None;
    for (int j = 0; j < 16; ++j) {
        const int half = j < 8 ? 2 * j + 2 : 2 * (15 - j) + 2;
        for (int i = 16 - half; i < 16 + half; ++i)
            c.set(x + i, y + j, Canvas::ditherOn(surface, x + i, y + j) ? Ink : Paper);
    }
    if (lot == Lot::Road) {
        const bool alongX = gy % 7 == 3 && gx % 6 != 2;
        for (int k = -3; k <= 3; k += 3)
            c.set(x + 16 + 2 * k, y + 8 + (alongX ? -k : k), Paper);
    } else {
        c.set(x + 16, y, Ink);
    }
    if (!Town::land(gx - 1, gy) || !Town::land(gx, gy + 1))
        drawIsoBlock(c, {x + 16, y + 16 + 9, 16, 16, 9, Dither::Dense, false});
}

void townTree(Canvas& c, int x, int y) {
    c.fillRect(x - 1, y - 4, 2, 5, Ink);
    ditherDisc(c, x, y - 8, 5, Dither::Sparse);
    circleOutline(c, x, y - 8, 5, Ink);
    c.set(x + 2, y - 6, Ink);
    c.set(x + 3, y - 7, Ink);
}

void townLot(Canvas& c, int gx, int gy, Lot lot) {
    const std::uint32_t h = lotHash(gx, gy);
    const int x = Town::tileX(gx, gy), y = Town::tileY(gx, gy);
    switch (lot) {
    case Lot::Road:
        return;
    case Lot::Park:
        if (h % 3 != 0)
            townTree(c, x + 12 + static_cast<int>(h % 9), y + 10);
        return;
    case Lot::Trees:
        townTree(c, x + 11, y + 8);
        if (h % 2)
            townTree(c, x + 22, y + 11);
        return;
    case Lot::House: {
        const IsoBlock house{x + 16,          y + 13, 10, 10, 7 + static_cast<int>(h % 4),
                             Dither::Checker, false};
        drawIsoBlock(c, house);
        drawIsoRoof(c, house, 5);
        drawIsoWindows(c, house, 4, 20);
        return;
    }
    case Lot::Block:
    case Lot::Tower:
        break;
    }
    const int want =
        lot == Lot::Tower ? 46 + static_cast<int>(h % 44) : 14 + static_cast<int>(h % 20);
    // The block's back corner stands 12 pixels above its front one.
    const int room = roomUnderBand(x + 16, y + 14, 12);
    const int tall = std::min(want, room - 12);
    const IsoBlock block{x + 16, y + 14, 12, 12, tall, h % 3 == 0 ? Dither::Dense : Dither::Checker,
                         true};
    drawIsoBlock(c, block);
    drawIsoWindows(c, block, 4, h % 2 ? 6 : 5);
    if (tall > 60 && tall + 20 <= room)
        c.line(x + 16, y + 14 - tall - 12, x + 16, y + 14 - tall - 20, Ink);
    else if (h % 4 == 1)
        drawIsoBlock(c, {x + 16, y + 14 - tall - 4, 4, 4, 4, Dither::Checker, true});
}

Canvas town() {
    Canvas c(640, 320);
    std::vector<std::pair<int, int>> lots;
    for (int gy = 0; gy < Town::grid; ++gy)
        for (int gx = 0; gx < Town::grid; ++gx)
            if (Town::land(gx, gy))
                lots.emplace_back(gx, gy);
    // Back to front: rows further down the screen cover the ones behind them.
    std::stable_sort(lots.begin(), lots.end(), [](const auto& a, const auto& b) {
        return a.second - a.first < b.second - b.first;
    });
    for (const auto& [gx, gy] : lots) {
        const Lot lot = lotKind(gx, gy);
        groundTile(c, gx, gy, lot);
        townLot(c, gx, gy, lot);
    }
    return c;
}

} // namespace

void addTitleSprites(UiSpriteList& out) {
    out.push_back({"ui/menu/title", titleLettering()});
    out.push_back({"ui/menu/title_separator", separator()});
    out.push_back({"ui/menu/subtitle", subtitle()});
    out.push_back({"ui/menu/city", town()});
}
