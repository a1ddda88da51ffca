#include "SpritesMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

struct Box {
    double a0, a1, b0, b1, z0, z1;
};

// The u range a wall of the box covers (u as SpritesMapIso.h defines it).
std::pair<double, double> wallSpan(Face f, const Box& b) {
    switch (f) {
    case Face::Front:
        return {b.a0, b.a1};
    case Face::Back:
        return {1 - b.a1, 1 - b.a0};
    case Face::West:
        return {b.b0, b.b1};
    default:
        return {1 - b.b1, 1 - b.b0};
    }
}

double frac(double t) {
    return t - std::floor(t);
}

// Window rows of a wall: `floors` rows from sill `z0`, one every `pitch` pixels, each
// `height` tall; columns spread evenly, about one per `spacing` tile units.
struct Windows {
    int floors = 1;
    double z0 = 3, pitch = 8, height = 3;
    double spacing = 0.25, width = 0.12;
    Dither glass = Dither::Solid;
};

struct Door {
    bool on = false;
    double u = 0.5, width = 0.14, height = 6;
    Dither fill = Dither::Solid;
};

struct Look {
    Dither lit = Dither::None, shade = Dither::Sparse, top = Dither::None;
    Windows windows;
    Door door;
    int bricks = 0; // brick courses every n pixels; 0 for smooth walls
};

bool inWindow(const Windows& w, const Box& box, const Surface& s) {
    const auto [lo, hi] = wallSpan(s.face, box);
    const int cols = std::max(1, static_cast<int>((hi - lo) / w.spacing + 0.5));
    const double step = (hi - lo) / cols;
    const double centre = lo + (std::floor((s.u - lo) / step) + 0.5) * step;
    if (std::abs(s.u - centre) > w.width / 2)
        return false;
    const double rel = s.z - box.z0 - w.z0;
    if (rel < 0 || rel >= w.floors * w.pitch)
        return false;
    return std::fmod(rel, w.pitch) < w.height;
}

Dither wallFill(const Look& look, const Surface& s) {
    return s.light == Light::Shade ? look.shade : look.lit;
}

Material walls(const Box& box, Look look) {
    return [box, look](const Surface& s) {
        if (s.face == Face::Top)
            return dither(look.top, s.x, s.y);
        if (s.face == Face::Front && look.door.on &&
            std::abs(s.u - look.door.u) < look.door.width / 2 && s.z - box.z0 < look.door.height)
            return dither(look.door.fill, s.x, s.y);
        if (inWindow(look.windows, box, s))
            return dither(look.windows.glass, s.x, s.y);
        if (look.bricks > 0 && static_cast<int>(std::floor(s.z)) % look.bricks == 0)
            return Ink;
        return dither(wallFill(look, s), s.x, s.y);
    };
}

// Roof tiles: courses along the contour lines, denser on the shaded slope.
Material tiles(int course = 3) {
    return [course](const Surface& s) {
        if (static_cast<int>(std::floor(s.z)) % course == 0)
            return Ink;
        return s.light == Light::Shade ? dither(Dither::Checker, s.x, s.y) : Paper;
    };
}

Material stripes(double period, Dither other) {
    return [period, other](const Surface& s) {
        const double t = s.face == Face::West || s.face == Face::East ? s.b : s.a;
        return frac(t / period) < 0.5 ? Ink : dither(other, s.x, s.y);
    };
}

// A grass lot with a path from the front door to the road edge.
Material garden(double pathU, double pathHalf) {
    return [=](const Surface& s) {
        if (s.face != Face::Top)
            return Ink;
        if (std::abs(s.a - pathU) < pathHalf && s.b > 0.5)
            return Paper;
        const bool tuft = s.x % 4 == 0 && s.y % 2 == 0 && (s.x / 4 + s.y / 2) % 2 == 0;
        return tuft ? Ink : Paper;
    };
}

Material paving() {
    return [](const Surface& s) {
        if (s.face != Face::Top)
            return Ink;
        return (s.x + 2 * s.y) % 8 == 0 ? Ink : Paper;
    };
}

void boxWith(IsoScene& s, const Box& b, const Look& look) {
    s.box(b.a0, b.a1, b.b0, b.b1, b.z0, b.z1, walls(b, look));
}

Look houseLook(double doorU) {
    Look look;
    look.windows = {1, 3, 8, 3, 0.3, 0.12, Dither::Solid};
    look.door = {true, doorU, 0.14, 6, Dither::Solid};
    return look;
}

// --- Level 1 houses: one storey, pitched roofs ------------------------------------

void houseSmall1(IsoScene& s) {
    s.lot(garden(0.5, 0.07));
    const Box b{0.2, 0.8, 0.22, 0.72, 0, 8};
    boxWith(s, b, houseLook(0.5));
    s.gable(0.16, 0.84, 0.18, 0.76, 8, 16, true, tiles());
    s.box(0.62, 0.7, 0.3, 0.38, 10, 19, flat(Paper)); // chimney
}

void houseSmall2(IsoScene& s) {
    s.lot(garden(0.36, 0.06));
    const Box b{0.24, 0.76, 0.18, 0.78, 0, 8};
    Look look = houseLook(0.36);
    look.lit = Dither::None;
    look.shade = Dither::Checker;
    boxWith(s, b, look);
    s.gable(0.2, 0.8, 0.14, 0.82, 8, 18, false, tiles(2));
    s.box(0.3, 0.38, 0.5, 0.58, 10, 20, flat(Paper)); // chimney through the slope
}

void houseSmall3(IsoScene& s) {
    s.lot(garden(0.45, 0.06));
    const Box b{0.26, 0.74, 0.26, 0.74, 0, 9};
    Look look = houseLook(0.45);
    look.bricks = 3;
    boxWith(s, b, look);
    s.pyramid(0.22, 0.78, 0.22, 0.78, 9, 18, tiles());
    s.box(0.36, 0.54, 0.74, 0.86, 0, 5, walls({0.36, 0.54, 0.74, 0.86, 0, 5}, Look{})); // porch
    s.gable(0.34, 0.56, 0.72, 0.88, 5, 8, false, flat(Ink));
}

void houseSmall4(IsoScene& s) {
    s.lot(garden(0.32, 0.06));
    const Box b{0.14, 0.58, 0.24, 0.74, 0, 8};
    boxWith(s, b, houseLook(0.32));
    s.gable(0.1, 0.62, 0.2, 0.78, 8, 16, true, tiles());
    const Box shed{0.62, 0.88, 0.36, 0.7, 0, 5};
    Look wood;
    wood.lit = Dither::Sparse;
    wood.shade = Dither::Dense;
    wood.windows.floors = 0;
    boxWith(s, shed, wood);
    s.gable(0.6, 0.9, 0.34, 0.72, 5, 9, false, flat(Paper));
}

// --- Level 2 houses: two storeys ---------------------------------------------------

Look largeLook(double doorU) {
    Look look = houseLook(doorU);
    look.windows.floors = 2;
    look.windows.spacing = 0.22;
    return look;
}

void houseLarge1(IsoScene& s) {
    s.lot(garden(0.5, 0.08));
    const Box b{0.12, 0.88, 0.18, 0.76, 0, 15};
    boxWith(s, b, largeLook(0.5));
    s.gable(0.08, 0.92, 0.14, 0.8, 15, 24, true, tiles());
    s.box(0.2, 0.28, 0.3, 0.38, 18, 28, flat(Paper));
    s.box(0.72, 0.8, 0.3, 0.38, 18, 28, flat(Paper));
}

void houseLarge2(IsoScene& s) {
    s.lot(garden(0.7, 0.07));
    const Box main{0.1, 0.56, 0.14, 0.86, 0, 15};
    Look look = largeLook(0.3);
    look.bricks = 3;
    boxWith(s, main, look);
    s.gable(0.06, 0.6, 0.1, 0.9, 15, 25, false, tiles());
    const Box wing{0.56, 0.9, 0.22, 0.62, 0, 10};
    boxWith(s, wing, houseLook(0.72));
    s.gable(0.56, 0.94, 0.18, 0.66, 10, 17, true, tiles(2));
}

void houseLarge3(IsoScene& s) {
    s.lot(garden(0.4, 0.07));
    const Box b{0.16, 0.84, 0.16, 0.78, 0, 15};
    Look look = largeLook(0.4);
    look.lit = Dither::None;
    look.shade = Dither::Checker;
    boxWith(s, b, look);
    s.pyramid(0.12, 0.88, 0.12, 0.82, 15, 26, tiles(2));
    // Dormer on the front slope.
    s.box(0.56, 0.72, 0.58, 0.72, 15, 22, walls({0.56, 0.72, 0.58, 0.72, 15, 22}, houseLook(0)));
    s.gable(0.54, 0.74, 0.56, 0.74, 22, 25, false, flat(Ink));
}

// --- Level 3: blocks of flats -------------------------------------------------------

Look flatsLook(int floors) {
    Look look;
    look.windows = {floors, 3, 7, 3, 0.16, 0.1, Dither::Solid};
    look.door = {true, 0.5, 0.12, 5, Dither::Solid};
    look.top = Dither::Sparse;
    return look;
}

void flats1(IsoScene& s) {
    s.lot(paving());
    const Box b{0.14, 0.86, 0.16, 0.82, 0, 36};
    boxWith(s, b, flatsLook(5));
    s.box(0.14, 0.86, 0.16, 0.82, 36, 38, flat(Paper)); // parapet cap
    s.box(0.3, 0.5, 0.3, 0.5, 38, 43, walls({0.3, 0.5, 0.3, 0.5, 38, 43}, Look{}));
}

void flats2(IsoScene& s) {
    s.lot(paving());
    const Box b{0.1, 0.9, 0.2, 0.78, 0, 29};
    Look look = flatsLook(4);
    look.lit = Dither::Sparse;
    look.shade = Dither::Checker;
    look.windows.glass = Dither::Solid;
    boxWith(s, b, look);
    // Balcony slabs along the front, one per floor above the ground.
    for (int f = 1; f < 4; ++f) {
        const double z = 7.0 * f + 1;
        s.box(0.14, 0.86, 0.78, 0.86, z, z + 1, flat(Paper));
    }
    s.gable(0.08, 0.92, 0.18, 0.8, 29, 34, true, tiles(2));
}

void flats3(IsoScene& s) {
    s.lot(paving());
    const Box low{0.1, 0.9, 0.46, 0.86, 0, 22};
    const Box high{0.1, 0.6, 0.12, 0.46, 0, 43};
    boxWith(s, high, flatsLook(6));
    boxWith(s, low, flatsLook(3));
    s.box(0.62, 0.8, 0.56, 0.72, 22, 26, flat(Paper)); // roof-top tank
}

void flats4(IsoScene& s) {
    s.lot(paving());
    const Box b{0.22, 0.78, 0.22, 0.78, 0, 50};
    Look look = flatsLook(7);
    look.windows.spacing = 0.14;
    look.windows.width = 0.08;
    look.shade = Dither::Checker;
    boxWith(s, b, look);
    s.box(0.2, 0.8, 0.2, 0.8, 50, 52, flat(Paper));
    s.box(0.46, 0.5, 0.46, 0.5, 52, 60, flat(Ink)); // aerial
}

// --- Shops ------------------------------------------------------------------------

// A thin slab sloping down towards the front: z = zBack at b0, zFront at b1.
void slopedSlab(IsoScene& s, const Box& span, double zBack, double zFront, Material m) {
    const double k = (zBack - zFront) / (span.b1 - span.b0), top = zBack + k * span.b0;
    s.add({{-1, 0, 0, -span.a0},
           {1, 0, 0, span.a1},
           {0, -1, 0, -span.b0},
           {0, 1, 0, span.b1},
           {0, k, 1, top},
           {0, -k, -1, 1.5 - top}},
          std::move(m));
}

// Produce heaped in a crate: round fruit as ink rings on paper.
Material produce() {
    return [](const Surface& su) {
        if (su.face == Face::Top)
            return (su.x % 3 == 0) != (su.y % 2 == 0) ? Ink : Paper;
        return std::abs(su.z - 1.5) < 0.5 ? Ink : Paper;
    };
}

// One big stall: a broad-striped awning with a valance on four poles, a counter
// under it, crates of produce in front and a stack of empty ones at the side.
void market(IsoScene& s) {
    s.lot(paving());
    Look counter;
    counter.lit = Dither::None;
    counter.shade = Dither::Sparse;
    counter.windows.floors = 0;
    boxWith(s, {0.18, 0.82, 0.34, 0.52, 0, 5}, counter);
    // Kept lower than the shop of the next level, awning and all.
    for (const double a : {0.12, 0.85})
        for (const double b : {0.2, 0.6})
            s.box(a, a + 0.03, b, b + 0.03, 0, 11, flat(Ink));
    slopedSlab(s, {0.08, 0.92, 0.16, 0.66, 0, 0}, 14, 11, stripes(0.24, Dither::None));
    // The valance hanging from the awning's front edge, striped in step with it.
    s.box(0.08, 0.92, 0.64, 0.66, 8, 11, stripes(0.24, Dither::None));
    for (const double a : {0.16, 0.4, 0.64})
        s.box(a, a + 0.2, 0.7, 0.9, 0, 3.5, produce());
    s.box(0.88, 1.0, 0.72, 0.86, 0, 6, stripes(0.12, Dither::Sparse)); // empty crates
}

void shop(IsoScene& s) {
    s.lot(paving());
    const Box b{0.16, 0.84, 0.2, 0.78, 0, 13};
    Look look;
    look.windows = {1, 2, 13, 6, 0.34, 0.22, Dither::Checker}; // display windows
    look.door = {true, 0.5, 0.12, 8, Dither::Solid};
    look.bricks = 4;
    boxWith(s, b, look);
    // Striped awning over the front and a sign board on the roof edge.
    s.add({{-1, 0, 0, -0.16},
           {1, 0, 0, 0.84},
           {0, -1, 0, -0.78},
           {0, 1, 0, 0.92},
           {0, 0, -1, -9},
           {0, 16, 1, 0.78 * 16 + 13}},
          stripes(0.1, Dither::None));
    s.box(0.2, 0.8, 0.66, 0.72, 13, 19, [](const Surface& su) {
        return (su.face == Face::Front && su.z > 14.5 && su.z < 17.5 && frac(su.u * 12) < 0.6)
                   ? Ink
                   : Paper;
    });
}

void convenienceStore(IsoScene& s) {
    s.lot([](const Surface& su) {
        if (su.face != Face::Top)
            return Ink;
        // Parking bays painted in front.
        return (su.b > 0.7 && frac(su.a * 5) < 0.12) ? Ink : Paper;
    });
    const Box b{0.08, 0.92, 0.1, 0.66, 0, 14};
    Look look;
    look.windows = {1, 2, 14, 7, 0.2, 0.14, Dither::Checker};
    look.door = {true, 0.5, 0.16, 9, Dither::Checker};
    look.shade = Dither::Checker;
    look.top = Dither::Sparse;
    boxWith(s, b, look);
    // A big lit sign across the front roof edge, and a pylon sign by the car park.
    s.box(0.12, 0.88, 0.6, 0.64, 14, 21, [](const Surface& su) {
        const bool band = su.z > 15.5 && su.z < 19.5;
        return band && frac(su.u * 9) < 0.5 ? Paper : Ink;
    });
    s.box(0.84, 0.9, 0.8, 0.86, 0, 18, flat(Ink));
    s.box(0.78, 0.96, 0.8, 0.86, 18, 24, stripes(0.06, Dither::None));
}

// --- Industry and offices -----------------------------------------------------------

// A round chimney with dark bands every few courses.
Material bandedStack() {
    return [](const Surface& su) {
        if (static_cast<int>(su.z) % 8 < 2)
            return Ink;
        return dither(su.light == Light::Shade ? Dither::Checker : Dither::None, su.x, su.y);
    };
}

void factory1(IsoScene& s) {
    s.lot(paving());
    const Box hall{0.08, 0.92, 0.26, 0.88, 0, 12};
    Look look;
    look.windows = {1, 5, 12, 4, 0.16, 0.1, Dither::Solid};
    look.door = {true, 0.3, 0.22, 9, Dither::Checker};
    look.bricks = 3;
    boxWith(s, hall, look);
    // Saw-tooth roof: three north-lit teeth.
    for (int i = 0; i < 3; ++i) {
        const double b0 = 0.26 + i * 0.2067, b1 = b0 + 0.2067;
        s.add({{-1, 0, 0, -0.08},
               {1, 0, 0, 0.92},
               {0, -1, 0, -b0},
               {0, 0, -1, -12},
               {0, 1, 0, b1},
               {0, 40, 1, 12 + 40 * b1}},
              tiles(2));
    }
    s.prism(0.2, 0.16, 0.1, 12, 0, 36, bandedStack());
}

void factory2(IsoScene& s) {
    s.lot(paving());
    const Box hall{0.3, 0.92, 0.14, 0.86, 0, 16};
    Look look;
    look.windows = {2, 3, 7, 3, 0.14, 0.08, Dither::Solid};
    look.door = {true, 0.6, 0.26, 11, Dither::Checker};
    look.shade = Dither::Checker;
    look.top = Dither::Sparse;
    boxWith(s, hall, look);
    s.gable(0.3, 0.92, 0.14, 0.86, 16, 21, false, tiles(2));
    // Two silos and a short stack.
    for (const double b : {0.3, 0.66}) {
        s.prism(0.16, b, 0.12, 8, 0, 26, shaded(Dither::None, Dither::Checker, Dither::None));
        s.prism(0.16, b, 0.13, 8, 26, 27, flat(Paper)); // rim and hatch
        s.prism(0.16, b, 0.05, 8, 27, 29, flat(Paper));
    }
    s.prism(0.8, 0.26, 0.07, 10, 21, 36, bandedStack());
}

// Smoke rising from a chimney top at (a, b, z) in model space.
Decorate smoke(double a, double b, double z) {
    return [a, b, z](Canvas& c, bool turned, bool quiet) {
        if (quiet)
            return;
        const double ma = turned ? 1 - a : a, mb = turned ? 1 - b : b;
        const double x = (ma + mb) * 16, y = c.height() - 17 + (mb - ma) * 8 + 8 - z;
        blob(c, x + 1, y - 4, 3, 2.5, Dither::Sparse);
        blob(c, x + 4, y - 9, 2.5, 2, Dither::Sparse);
    };
}

Look officeLook(int floors, double spacing) {
    Look look;
    look.windows = {floors, 2, 6, 4, spacing, spacing * 0.6, Dither::Checker};
    look.door = {true, 0.5, 0.16, 5, Dither::Solid};
    look.lit = Dither::None;
    look.shade = Dither::Sparse;
    look.top = Dither::Sparse;
    return look;
}

void commercial1(IsoScene& s) {
    s.lot(paving());
    const Box b{0.2, 0.8, 0.2, 0.8, 0, 54};
    boxWith(s, b, officeLook(9, 0.12));
    s.box(0.3, 0.7, 0.3, 0.7, 54, 58, flat(Paper));
    s.box(0.48, 0.52, 0.48, 0.52, 58, 68, flat(Ink));
}

void commercial2(IsoScene& s) {
    s.lot(paving());
    const std::array<Box, 3> tiers{
        {{0.1, 0.9, 0.1, 0.9, 0, 18}, {0.2, 0.8, 0.2, 0.8, 18, 36}, {0.3, 0.7, 0.3, 0.7, 36, 50}}};
    for (const Box& t : tiers) {
        Look look = officeLook(3, 0.16);
        look.door.on = t.z0 == 0;
        look.windows.glass = Dither::Solid;
        boxWith(s, t, look);
    }
}

void commercial3(IsoScene& s) {
    s.lot(paving());
    const Box b{0.1, 0.9, 0.14, 0.86, 0, 30};
    Look look;
    // Ribbon windows: one glass band per floor.
    look.windows = {5, 2, 6, 3, 0.8, 0.8, Dither::Checker};
    look.door = {true, 0.5, 0.2, 5, Dither::Solid};
    look.top = Dither::Sparse;
    boxWith(s, b, look);
    s.box(0.14, 0.34, 0.2, 0.4, 30, 34, flat(Paper));
    s.box(0.6, 0.8, 0.5, 0.7, 30, 32, stripes(0.05, Dither::None));
}

void commercial4(IsoScene& s) {
    s.lot(paving());
    s.prism(0.5, 0.5, 0.36, 8, 0, 46, [](const Surface& su) {
        if (su.face == Face::Top)
            return dither(Dither::Sparse, su.x, su.y);
        if (static_cast<int>(su.z) % 5 < 2)
            return Ink;
        return dither(su.light == Light::Shade ? Dither::Checker : Dither::Sparse, su.x, su.y);
    });
    // A crown ring, a plant room and a mast on the flat top.
    s.prism(0.5, 0.5, 0.39, 12, 44, 47, flat(Paper));
    s.prism(0.5, 0.5, 0.18, 12, 47, 51, shaded(Dither::None, Dither::Checker, Dither::Sparse));
    s.box(0.48, 0.52, 0.48, 0.52, 51, 60, flat(Ink));
    // Entrance porch with a flat canopy, so the front reads from the back.
    s.box(0.4, 0.6, 0.82, 0.94, 0, 6, walls({0.4, 0.6, 0.82, 0.94, 0, 6}, officeLook(0, 0.2)));
    s.box(0.36, 0.64, 0.8, 0.98, 6, 7, flat(Paper));
}

// --- Services ------------------------------------------------------------------------

// Whether a front-wall point lies in one of the bays centred at `centres` (wall u).
bool inBay(const Surface& su, std::initializer_list<double> centres, double half, double height) {
    if (su.face != Face::Front || su.z >= height)
        return false;
    for (const double c : centres)
        if (std::abs(su.u - c) < half)
            return true;
    return false;
}

// Two tall engine-bay openings across a long front with the doors rolled up, a hatched
// apron before them, and a slim hose tower with open louvres rising behind: long, low
// and one tall finger.
void fireStation(IsoScene& s) {
    s.lot([](const Surface& su) {
        if (su.face != Face::Top)
            return Ink;
        const bool apron = su.b > 0.86 && su.a > 0.1 && su.a < 0.9;
        return apron && (su.x + su.y) % 4 == 0 ? Ink : Paper;
    });
    const Box tower{0.08, 0.3, 0.1, 0.32, 0, 28};
    s.box(tower.a0, tower.a1, tower.b0, tower.b1, tower.z0, tower.z1, [](const Surface& su) {
        if (su.face == Face::Top)
            return Paper;
        if (su.z > 22 && su.z < 26)
            return frac(su.u * 4) < 0.5 ? Ink : Paper; // louvres where the hoses hang
        if (std::abs(frac(su.u * 2) - 0.5) < 0.12 && static_cast<int>(su.z) % 6 > 2)
            return Ink; // stair windows
        return su.light == Light::Shade ? dither(Dither::Sparse, su.x, su.y) : Paper;
    });
    s.box(0.06, 0.32, 0.08, 0.34, 28, 29.5, flat(Ink)); // overhanging flat roof
    const Box hall{0.04, 0.96, 0.34, 0.84, 0, 12};
    s.box(hall.a0, hall.a1, hall.b0, hall.b1, hall.z0, hall.z1, [](const Surface& su) {
        if (su.face == Face::Top)
            return dither(Dither::Sparse, su.x, su.y);
        if (inBay(su, {0.3, 0.7}, 0.14, 8))
            return std::abs(su.z - 6.5) < 0.5 ? Paper : Ink; // the rolled-up door's edge
        if (su.z > 10.5)
            return Ink; // dark band round the top
        if (su.face != Face::Front && su.z > 4 && su.z < 8 && frac(su.u * 4) < 0.3)
            return Ink;
        return su.light == Light::Shade ? dither(Dither::Sparse, su.x, su.y) : Paper;
    });
}

// A badge: a pointed shield, paper with an ink rim and a star at its heart, on a wall
// point `du`, `dz` pixels from its centre. Returns false outside it.
bool badge(double du, double dz, Rgba& out) {
    const double half = dz < -1 ? 3 + (dz + 1) : 3;
    if (std::abs(du) > half || dz > 3 || dz < -4)
        return false;
    const bool rim = std::abs(du) > half - 1 || dz > 2;
    const bool star = std::abs(du) < 0.5 && std::abs(dz) < 1.5;
    out = rim || star ? Ink : Paper;
    return true;
}

// Squares of ink and paper two pixels a side, the pattern police buildings wear.
Rgba chequer(const Surface& su) {
    return ((su.x / 2) + (static_cast<int>(std::floor(su.z)) / 2)) % 2 == 0 ? Ink : Paper;
}

// A flat-roofed block with a chequered band all round, a big badge over the door, a
// lamp over the roof sending out light and a chequered sign board by the path.
void policeStation(IsoScene& s) {
    s.lot(garden(0.5, 0.07));
    const Box b{0.14, 0.86, 0.22, 0.74, 0, 17};
    Look look = largeLook(0.5);
    look.door.width = 0.16;
    look.door.height = 5;
    look.windows.spacing = 0.34;
    look.windows.z0 = 2;
    look.windows.pitch = 5;
    look.windows.floors = 2;
    look.shade = Dither::Sparse;
    const Material plain = walls(b, look);
    s.box(b.a0, b.a1, b.b0, b.b1, b.z0, b.z1, [plain](const Surface& su) {
        if (su.face == Face::Top)
            return Paper;
        if (su.z > 12 && su.z < 16)
            return chequer(su);
        const double du = (su.u - 0.5) * 16;
        Rgba mark;
        if (su.face == Face::Front && badge(du, su.z - 8.5, mark))
            return mark;
        if (su.face == Face::Front && su.z > 5)
            return su.light == Light::Shade ? dither(Dither::Sparse, su.x, su.y) : Paper;
        return plain(su);
    });
    s.box(0.12, 0.88, 0.2, 0.76, 17, 18, [](const Surface& su) { // parapet round the roof
        return su.face == Face::Top ? dither(Dither::Sparse, su.x, su.y) : Ink;
    });
    // The lamp stands on a short mast so that it and its light clear the roof line.
    s.box(0.48, 0.52, 0.46, 0.5, 18, 23, flat(Ink));
    s.prism(0.5, 0.48, 0.09, 8, 23, 26, [](const Surface& su) { return su.z > 25 ? Ink : Paper; });
    for (const double a : {0.05, 0.29})
        s.box(a, a + 0.03, 0.84, 0.87, 0, 5, flat(Ink)); // the sign's posts
    s.box(0.04, 0.33, 0.83, 0.86, 5, 9, chequer);
}

// Light from the police station's roof lamp: a short beam to each side, drawn after
// rendering because light is not a solid.
void lampRays(Canvas& c, bool turned, bool quiet) {
    if (quiet)
        return;
    const double a = 0.5, b = turned ? 0.52 : 0.48; // the lamp, seen from either side
    const int x = static_cast<int>((a + b) * 16);
    const int y = c.height() - 17 + static_cast<int>((b - a) * 8) + 8 - 25;
    for (const int side : {-1, 1})
        c.line(x + side * 4, y, x + side * 7, y, Ink);
}

void hospital(IsoScene& s) {
    s.lot(paving());
    const Box b{0.08, 0.92, 0.12, 0.88, 0, 26};
    Look look = flatsLook(2);
    look.windows = {2, 4, 8, 2, 0.14, 0.08, Dither::Solid};
    look.door = {true, 0.5, 0.22, 6, Dither::Checker};
    look.top = Dither::None;
    const Material plain = walls(b, look);
    // Upright crosses, square to the screen so they read at any size: one on a pale
    // panel over the entrance, a big one on the roof.
    s.box(b.a0, b.a1, b.b0, b.b1, b.z0, b.z1, [plain](const Surface& su) {
        if (su.face == Face::Top) {
            const double dx = std::abs((su.a + su.b - 1) * 16), dy = std::abs((su.b - su.a) * 8);
            const bool cross = (dx < 1.6 && dy < 5) || (dx < 5.5 && dy < 1.1);
            return cross ? Ink : Paper;
        }
        if (su.face != Face::Front || std::abs(su.u - 0.5) > 0.2 || su.z < 15)
            return plain(su);
        const double du = std::abs(su.u - 0.5) * 16, dz = std::abs(su.z - 20.5);
        return (du < 1 && dz < 3.5) || (du < 3 && dz < 1) ? Ink : Paper;
    });
    // Entrance canopy.
    s.box(0.36, 0.64, 0.88, 0.98, 7, 8, flat(Paper));
}

// Open water, darker than any roof, with paper ripples.
Rgba water(const Surface& su) {
    if (su.y % 3 == 0 && (su.x + su.y) % 6 < 3)
        return Paper;
    return dither(Dither::Dense, su.x, su.y);
}

// A round tank with two hoops and a hatch on its flat top.
void tank(IsoScene& s, double ca, double cb, double r, double h) {
    s.prism(ca, cb, r, 12, 0, h, [h](const Surface& su) {
        if (std::abs(su.z - h / 3) < 0.5 || std::abs(su.z - 2 * h / 3) < 0.5)
            return Ink;
        return su.light == Light::Shade ? dither(Dither::Sparse, su.x, su.y) : Paper;
    });
    s.prism(ca, cb, r * 0.4, 12, h, h + 2, flat(Paper)); // inspection hatch
}

// Waterworks: a tank, a pump house, a walled basin of open water in front and a fat pipe
// joining the tank to the pumps.
void pumpingStation(IsoScene& s) {
    s.lot(paving());
    s.box(0.06, 0.62, 0.5, 0.94, 0, 2, [](const Surface& su) {
        if (su.face != Face::Top)
            return Paper;
        const bool inner = su.a > 0.1 && su.a < 0.58 && su.b > 0.54 && su.b < 0.9;
        return inner ? water(su) : Paper;
    });
    tank(s, 0.3, 0.26, 0.22, 12);
    const Box house{0.64, 0.94, 0.24, 0.72, 0, 9};
    Look look = houseLook(0.79);
    look.windows.spacing = 0.4;
    boxWith(s, house, look);
    s.gable(0.62, 0.96, 0.22, 0.74, 9, 14, false, tiles(2));
    s.box(0.5, 0.64, 0.22, 0.32, 4, 7, [](const Surface& su) {
        if (std::abs(su.a - 0.57) < 0.015)
            return Ink; // flange
        return su.light == Light::Shade ? dither(Dither::Checker, su.x, su.y) : Paper;
    });
}

void waterTower(IsoScene& s) {
    s.lot(garden(0.5, 0.0));
    for (const double a : {0.3, 0.66})
        for (const double b : {0.3, 0.66})
            s.box(a, a + 0.04, b, b + 0.04, 0, 26, flat(Ink));
    s.box(0.33, 0.67, 0.48, 0.5, 10, 11, flat(Ink)); // bracing
    s.box(0.48, 0.5, 0.33, 0.67, 16, 17, flat(Ink));
    s.prism(0.5, 0.5, 0.3, 10, 26, 40, [](const Surface& su) {
        if (su.face == Face::Top)
            return Paper;
        if (static_cast<int>(su.z) % 5 == 0)
            return Ink;
        return su.light == Light::Shade ? dither(Dither::Checker, su.x, su.y) : Paper;
    });
    s.pyramid(0.18, 0.82, 0.18, 0.82, 40, 47, tiles(2));
}

struct Sheet {
    const char* name;
    void (*build)(IsoScene&);
    Decorate decorate;
};

} // namespace

bool generateBuildingSprites(const std::string& out) {
    const std::array<Sheet, 24> sheets{{
        {"house_small_1", houseSmall1, {}},
        {"house_small_2", houseSmall2, {}},
        {"house_small_3", houseSmall3, {}},
        {"house_small_4", houseSmall4, {}},
        {"house_large_1", houseLarge1, {}},
        {"house_large_2", houseLarge2, {}},
        {"house_large_3", houseLarge3, {}},
        {"flats_1", flats1, {}},
        {"flats_2", flats2, {}},
        {"flats_3", flats3, {}},
        {"flats_4", flats4, {}},
        {"market", market, {}},
        {"shop", shop, {}},
        {"convenience_store", convenienceStore, {}},
        {"factory_1", factory1, smoke(0.2, 0.16, 36)},
        {"factory_2", factory2, smoke(0.8, 0.26, 36)},
        {"commercial_1", commercial1, {}},
        {"commercial_2", commercial2, {}},
        {"commercial_3", commercial3, {}},
        {"commercial_4", commercial4, {}},
        {"fire_station", fireStation, {}},
        {"police_station", policeStation, lampRays},
        {"hospital", hospital, {}},
        {"pumping_station", pumpingStation, {}},
    }};
    bool ok = saveSprite(wholeImage(waterTower), out, "watertower");
    for (const Sheet& sheet : sheets)
        ok = ok && saveSprite(facingFrames(sheet.build, sheet.decorate), out, sheet.name);
    return ok;
}
