#include "SpritesMap.h"

#include <array>
#include <cmath>

namespace {

constexpr int LandfillFrames = 8;
constexpr int LitterFrames = 4;
constexpr int FireFrames = 6;
constexpr int EffectFrameW = 34, EffectFrameH = 24; // landfill and litter frames
constexpr int FireW = 20, FireH = 51;

// A fixed pseudo-random value in [0, 1) per pixel, for scattered texture.
double noise(int x, int y) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xffffu) / 65536.0;
}

Material grass() {
    return [](const Surface& s) {
        if (s.face != Face::Top)
            return Ink;
        return s.x % 4 == 0 && s.y % 2 == 0 && (s.x / 4 + s.y / 2) % 2 == 0 ? Ink : Paper;
    };
}

// Long grass under trees: twice the tufts of a lawn, so a wooded tile reads as green
// space even with its tree kept small.
Material meadow() {
    return [](const Surface& s) {
        if (s.face != Face::Top)
            return Ink;
        return s.x % 2 == 0 && s.y % 2 == 0 && (s.x / 2 + s.y / 2) % 2 == 0 ? Ink : Paper;
    };
}

Material dirt(double density) {
    return [density](const Surface& s) {
        if (s.face != Face::Top)
            return Ink;
        return noise(s.x, s.y) < density ? Ink : Paper;
    };
}

// Ground centre of a cell whose bottom 17 rows are the tile.
double groundY(const Canvas& c) {
    return c.height() - 17 + 8;
}

// No taller than a small house and about a third of the tile wide, so that a tree in
// front of a lot never hides what stands on it; low shrubs keep the tile green.
Canvas tree() {
    return wholeImage(
        [](IsoScene& s) {
            s.lot(meadow());
            s.box(0.47, 0.53, 0.47, 0.53, 0, 8,
                  shaded(Dither::Checker, Dither::Dense, Dither::None));
        },
        [](Canvas& c, bool, bool) {
            const double g = groundY(c);
            blob(c, 7, g + 1, 2.5, 2, Dither::Dense, Dither::Checker);
            blob(c, 24, g + 2, 2.5, 2, Dither::Dense, Dither::Checker);
            blob(c, 16, g - 11.5, 5, 5.5, Dither::Checker, Dither::Sparse);
            blob(c, 16.5, g - 7.5, 4, 2.5, Dither::Dense, Dither::Checker);
        });
}

Canvas park() {
    return wholeImage(
        [](IsoScene& s) {
            s.lot([](const Surface& su) {
                if (su.face != Face::Top)
                    return Ink;
                // Two crossing gravel paths edged in ink.
                const double da = std::abs(su.a - 0.5), db = std::abs(su.b - 0.5);
                if ((da < 0.07 && da > 0.04) || (db < 0.07 && db > 0.04))
                    return (da < 0.04 || db < 0.04) ? Paper : Ink;
                if (da < 0.04 || db < 0.04)
                    return Paper;
                return grass()(su);
            });
            s.box(0.62, 0.8, 0.2, 0.26, 1, 3, flat(Paper)); // bench
            s.box(0.62, 0.64, 0.2, 0.26, 0, 1, flat(Ink));
            s.box(0.78, 0.8, 0.2, 0.26, 0, 1, flat(Ink));
            s.prism(0.5, 0.5, 0.1, 8, 0, 2, flat(Paper)); // fountain basin
            s.box(0.48, 0.52, 0.48, 0.52, 2, 6, flat(Ink));
        },
        [](Canvas& c, bool, bool) {
            const double g = groundY(c);
            blob(c, 8, g - 9, 5, 5, Dither::Checker, Dither::Sparse);
            blob(c, 23, g - 3, 4, 4, Dither::Dense, Dither::Sparse);
            blob(c, 12, g + 4, 3, 2, Dither::Sparse); // shrub
        });
}

Canvas rubble() {
    return wholeImage([](IsoScene& s) {
        s.lot(dirt(0.18));
        const std::array<std::array<double, 5>, 6> chunks{{{0.2, 0.3, 0.4, 0.5, 4},
                                                           {0.5, 0.62, 0.22, 0.36, 6},
                                                           {0.58, 0.78, 0.56, 0.7, 3},
                                                           {0.3, 0.42, 0.64, 0.78, 5},
                                                           {0.7, 0.8, 0.3, 0.4, 2},
                                                           {0.16, 0.26, 0.7, 0.8, 2}}};
        for (const auto& k : chunks)
            s.box(k[0], k[1], k[2], k[3], 0, k[4],
                  shaded(Dither::Sparse, Dither::Dense, Dither::None));
        s.pyramid(0.34, 0.7, 0.36, 0.66, 0, 9, dirt(0.45));
        // A broken wall stump.
        s.box(0.14, 0.2, 0.18, 0.46, 0, 10, shaded(Dither::None, Dither::Checker, Dither::Sparse));
    });
}

// Waste: scattered ink on paper, dark on the slopes away from the light so that heaps
// stand out against the pale floor of the pit.
Material refuse() {
    return [](const Surface& su) {
        return noise(su.x, su.y) < (su.light == Light::Shade ? 0.7 : 0.2) ? Ink : Paper;
    };
}

// A small bulldozer at the front of the pit, blade towards the heaps.
void bulldozer(IsoScene& s) {
    s.box(0.56, 0.8, 0.68, 0.86, 0, 3, [](const Surface& su) { // body over its tracks
        return su.z < 1 ? Ink : Paper;
    });
    s.box(0.66, 0.8, 0.7, 0.84, 3, 6, [](const Surface& su) { // cab with a window
        if (su.face == Face::Top)
            return Paper;
        return su.z > 3.8 && su.z < 5.2 ? Ink : Paper;
    });
    s.box(0.5, 0.54, 0.66, 0.88, 0, 2.5, flat(Ink)); // blade
}

// Frame f of the landfill: a fenced pit whose heaps grow from nothing to full, with the
// bulldozer that spreads them.
Canvas landfillFrame(int f) {
    IsoScene s(EffectFrameH);
    s.lot([](const Surface& su) {
        if (su.face != Face::Top)
            return Ink;
        const double da = std::abs(su.a - 0.5), db = std::abs(su.b - 0.5);
        if (da < 0.34 && db < 0.34)
            return (da > 0.31 || db > 0.31 || noise(su.x, su.y) < 0.08) ? Ink : Paper;
        return noise(su.x, su.y) < 0.1 ? Ink : Paper;
    });
    // Fence posts on every side, low enough at the front to see over.
    for (int i = 0; i < 4; ++i) {
        const double t = 0.04 + i * 0.31;
        s.box(t, t + 0.03, 0.02, 0.05, 0, 4, flat(Ink));
        s.box(0.95, 0.98, t, t + 0.03, 0, 4, flat(Ink));
        s.box(0.02, 0.05, t, t + 0.03, 0, 2, flat(Ink));
        s.box(t, t + 0.03, 0.95, 0.98, 0, 2, flat(Ink));
    }
    // Heaps: one from the first frame, a second and third as the tip fills.
    const std::array<std::array<double, 3>, 3> heaps{
        {{0.4, 0.42, 0}, {0.26, 0.66, 3}, {0.6, 0.3, 5}}};
    for (const auto& [a, b, from] : heaps) {
        const double grown = f - from;
        if (f == 0 || grown < 0)
            continue;
        const double r = 0.1 + 0.025 * grown, h = 2.5 + 1.2 * grown;
        s.pyramid(a - r, a + r, b - r, b + r, 0, h, refuse());
    }
    bulldozer(s);
    Canvas cell(32, EffectFrameH);
    s.render(cell, 0, 0, false, false);
    // One pixel right of the tile: the game mirrors these 34-wide frames about their
    // middle, so the drawing sits in the same place either way round.
    Canvas frame(EffectFrameW, EffectFrameH);
    frame.blit(cell, 1, 0);
    return frame;
}

Canvas litterFrame(int f) {
    static constexpr std::array<std::array<int, 2>, 6> bags{
        {{15, 14}, {20, 17}, {11, 17}, {18, 12}, {23, 14}, {13, 20}}};
    static constexpr std::array<int, LitterFrames> bagCount{1, 2, 4, 6};
    Canvas frame(EffectFrameW, EffectFrameH);
    // Loose paper first so that the bags lie on top of it.
    for (int i = 0; i < 3 * (f + 1); ++i) {
        const int x = 8 + static_cast<int>(noise(i, 7) * 17),
                  y = 11 + static_cast<int>(noise(i, 9) * 9);
        frame.set(x, y, Paper);
        frame.set(x + 1, y, Ink);
    }
    // A tied bin bag: '#' ink, 'o' paper, '+' shaded, anchored at its middle.
    static constexpr std::array<const char*, 5> bag{"..#..", ".#o#.", "#oo+#", "#o++#", ".###."};
    for (int i = 0; i < bagCount[static_cast<std::size_t>(f)]; ++i) {
        const auto [bx, by] = bags[static_cast<std::size_t>(i)];
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                const char k = bag[static_cast<std::size_t>(y)][x];
                const int px = bx - 2 + x, py = by - 3 + y;
                if (k == '#')
                    frame.set(px, py, Ink);
                else if (k == 'o')
                    frame.set(px, py, Paper);
                else if (k == '+')
                    frame.set(px, py, dither(Dither::Checker, px, py));
            }
    }
    return frame;
}

struct Tongue {
    double x, height, width, phase;
};

// Three tongues of flame from a shared base, each swaying and flaring on its own beat
// through one full cycle over the six frames. Returns how far inside the flame the
// point is (pixels), negative outside.
double flameDepth(int f, double x, double y) {
    static constexpr std::array<Tongue, 3> tongues{
        {{6.5, 30, 5, 0.0}, {10, 42, 6.5, 2.1}, {13.5, 26, 5, 4.2}}};
    const double pi = std::acos(-1.0);
    const double beat = 2 * pi * f / FireFrames;
    double depth = -1;
    for (const Tongue& g : tongues) {
        const double h = g.height * (1 + 0.15 * std::sin(beat + g.phase));
        const double t = (FireH - y) / h; // 0 at the base, 1 at the tip
        if (t < 0 || t > 1)
            continue;
        const double centre = g.x + 2.5 * t * t * std::sin(beat * 2 + g.phase);
        const double half = g.width * std::pow(1 - t, 0.8) * std::min(1.0, 2 * t + 0.7);
        depth = std::max(depth, half - std::abs(x - centre));
    }
    return depth;
}

Canvas fireFrame(int f) {
    Canvas frame(FireW, FireH);
    // Smoke puffs rising a third of their spacing per frame, so the cycle loops.
    for (int k = 0; k < 2; ++k) {
        const double y = 16 - k * 8 - f * 8.0 / FireFrames;
        if (y < 3) // gone off the top: the next puff takes its place next cycle
            continue;
        blob(frame, 10 + 1.5 * k + 0.3 * f, y, 3.5 - 0.5 * k, 2.5, Dither::Dense, Dither::Checker);
    }
    for (int y = 0; y < FireH; ++y)
        for (int x = 0; x < FireW; ++x) {
            const double d = flameDepth(f, x + 0.5, y + 0.5);
            if (d <= 0)
                continue;
            const bool edge =
                flameDepth(f, x - 0.5, y + 0.5) <= 0 || flameDepth(f, x + 1.5, y + 0.5) <= 0 ||
                flameDepth(f, x + 0.5, y - 0.5) <= 0 || flameDepth(f, x + 0.5, y + 1.5) <= 0;
            if (edge)
                frame.set(x, y, Ink);
            else
                frame.set(x, y,
                          d > 3.5 ? Paper : dither(d > 2 ? Dither::Sparse : Dither::Checker, x, y));
        }
    return frame;
}

template <typename MakeFrame> Canvas strip(int frames, int w, int h, MakeFrame make) {
    Canvas c(frames * w, h);
    for (int f = 0; f < frames; ++f)
        c.blit(make(f), f * w, 0);
    return c;
}

} // namespace

bool generateSceneSprites(const std::string& out) {
    return saveSprite(tree(), out, "tree1") && saveSprite(park(), out, "park1") &&
           saveSprite(rubble(), out, "rubble") &&
           saveSprite(strip(LandfillFrames, EffectFrameW, EffectFrameH, landfillFrame), out,
                      "landfill") &&
           saveSprite(strip(LitterFrames, EffectFrameW, EffectFrameH, litterFrame), out,
                      "trash_on_streets") &&
           saveSprite(strip(FireFrames, FireW, FireH, fireFrame), out, "fire_animation");
}
