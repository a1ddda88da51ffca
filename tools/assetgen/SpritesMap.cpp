#include "SpritesMap.h"

#include "SpriteSets.h"

#include <array>
#include <cmath>

namespace {

// Carriageway half-width across its direction, in tile units; the rest of the tile is
// pavement, so a street fills its tile like any lot.
constexpr double RoadHalf = 0.3;
constexpr double LineHalf = 0.05;

enum Side : unsigned { North = 1, East = 2, South = 4, West = 8 };

struct RoadPiece {
    const char* name;
    unsigned sides; // the edges the road leaves by; one side only is a dead end
};

constexpr std::array<RoadPiece, 15> roadPieces{{
    {"road1", West | East},
    {"road2", North | South},
    {"road3", North | East},
    {"road4", North | West},
    {"road5", North | West | East},
    {"road6", South | West},
    {"road7", South | East},
    {"road8", South | West | East},
    {"road9", North | South | West},
    {"road10", North | South | East},
    {"road11", North | South | West | East},
    {"road1_end1", West},
    {"road1_end2", East},
    {"road2_end1", South},
    {"road2_end2", North},
}};

struct TilePoint {
    double a, b;
};

// Pixel centre to tile space (see SpritesMapIso.h for a and b).
TilePoint tilePoint(int x, int y) {
    const double s = (x + 0.5) / 16.0, d = (y + 0.5 - 8) / 8.0;
    return {(s - d) / 2, (s + d) / 2};
}

// Whether a point lies on the road surface. Arms run on past the tile edge so that
// kerbs are never drawn across a join; the clip to the diamond happens later.
bool onRoad(unsigned sides, TilePoint p) {
    const bool acrossA = std::abs(p.b - 0.5) <= RoadHalf; // inside a west-east band
    const bool acrossB = std::abs(p.a - 0.5) <= RoadHalf; // inside a north-south band
    if (acrossA && acrossB)
        return true;
    return (acrossA && (((sides & West) && p.a <= 0.5) || ((sides & East) && p.a >= 0.5))) ||
           (acrossB && (((sides & North) && p.b <= 0.5) || ((sides & South) && p.b >= 0.5)));
}

// Centre-line dashes: four a tile, so they continue in step across joins.
bool onCentreLine(unsigned sides, TilePoint p) {
    const bool dash = [](double t) {
        return t - std::floor(t) < 0.5;
    }((std::abs(p.b - 0.5) <= LineHalf ? p.a : p.b) * 4);
    const bool alongA = std::abs(p.b - 0.5) <= LineHalf && std::abs(p.a - 0.5) > RoadHalf;
    const bool alongB = std::abs(p.a - 0.5) <= LineHalf && std::abs(p.b - 0.5) > RoadHalf;
    return (alongA || alongB) && dash && onRoad(sides, p);
}

bool onKerb(unsigned sides, int x, int y) {
    return !onRoad(sides, tilePoint(x - 1, y)) || !onRoad(sides, tilePoint(x + 1, y)) ||
           !onRoad(sides, tilePoint(x, y - 1)) || !onRoad(sides, tilePoint(x, y + 1));
}

// Pavement with paving joints out to the tile's edges, ink kerbs, lightly dithered
// asphalt and bold centre dashes: the carriageway reads as one band through every
// piece and junction, the dashes give it a direction.
Canvas road(unsigned sides) {
    Canvas c(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!inDiamond(x, y))
                continue;
            const TilePoint p = tilePoint(x, y);
            if (!onRoad(sides, p))
                c.set(x, y, (x + 2 * y) % 8 == 0 ? Ink : Paper);
            else if (onKerb(sides, x, y))
                c.set(x, y, Ink);
            else if (onCentreLine(sides, p))
                c.set(x, y, Ink);
            else
                c.set(x, y, dither(Dither::Sparse, x, y));
        }
    return c;
}

// The picking image: which tile owns each pixel of a tile's 34 x 17 box. Pixels owned by
// a diagonal neighbour go to whichever side neighbour they are closer to.
Canvas isomap() {
    constexpr Rgba white{255, 255, 255, 255};
    constexpr Rgba yellow{255, 255, 0, 255}, green{0, 255, 0, 255};
    constexpr Rgba magenta{255, 0, 255, 255}, cyan{0, 255, 255, 255};
    Canvas c(34, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 34; ++x) {
            const TilePoint p = tilePoint(x, y);
            // How far outside the tile the point is along a and along b (0 inside).
            const double outA = p.a < 0 ? -p.a : (p.a >= 1 ? p.a - 1 : 0);
            const double outB = p.b < 0 ? -p.b : (p.b >= 1 ? p.b - 1 : 0);
            Rgba key = white;
            if (outA > outB)
                key = p.a < 0 ? magenta : green;
            else if (outB > 0)
                key = p.b < 0 ? yellow : cyan;
            c.set(x, y, key);
        }
    return c;
}

Canvas diamondMarker(Dither fill, bool edge) {
    Canvas c(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!inDiamond(x, y))
                continue;
            if (edge && onDiamondEdge(x, y))
                c.set(x, y, Ink);
            else if (Canvas::ditherOn(fill, x, y))
                c.set(x, y, Ink);
        }
    return c;
}

// The empty ground: a dotted grid, dots on every other row so that the shared edges of
// two neighbours dot in step.
Canvas tileBorder() {
    Canvas c(32, 16);
    for (int y = 0; y < 16; y += 2)
        for (int x = 0; x < 32; ++x)
            if (onDiamondEdge(x, y) && (x & 1) == 0)
                c.set(x, y, Ink);
    return c;
}

} // namespace

bool inDiamond(int x, int y) {
    if (x < 0 || x > 31 || y < 0 || y > 15)
        return false;
    const int r = y < 8 ? y : 15 - y;
    return std::abs(2 * x - 31) <= 3 + 4 * r;
}

bool onDiamondEdge(int x, int y) {
    return inDiamond(x, y) && (!inDiamond(x - 2, y) || !inDiamond(x + 2, y) || y == 0 || y == 15);
}

bool saveSprite(const Canvas& c, const std::string& out, const std::string& name) {
    return c.savePng(out + "sprites/" + name + ".png");
}

bool generateGroundSprites(const std::string& out) {
    bool ok = saveSprite(tileBorder(), out, "tile_border") &&
              saveSprite(diamondMarker(Dither::None, true), out, "tile_outline") &&
              saveSprite(diamondMarker(Dither::Checker, true), out, "tile_highlighted") &&
              saveSprite(diamondMarker(Dither::Sparse, true), out, "tile_semi_filled") &&
              saveSprite(diamondMarker(Dither::Dense, false), out, "hidden_tile_overlay") &&
              saveSprite(isomap(), out, "isomap");
    for (const RoadPiece& piece : roadPieces)
        ok = ok && saveSprite(road(piece.sides), out, piece.name);
    return ok;
}

bool generateMapSprites(const std::string& out) {
    return generateGroundSprites(out) && generateBuildingSprites(out) && generateSceneSprites(out);
}
