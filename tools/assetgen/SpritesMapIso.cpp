#include "SpritesMapIso.h"

#include <cmath>
#include <limits>

namespace {
constexpr double Eps = 1e-9;
// A ray moves this much in a and b per pixel of height (towards the viewer).
constexpr double RayA = -1.0 / 16.0, RayB = 1.0 / 16.0;
// The lot reaches 1/32 past the tile so that its edge pixels are the ones shared with
// the neighbours' lots and roads (the 32-wide diamond of the tile grid).
constexpr double LotMargin = 1.0 / 32.0;

Plane turn(const Plane& p) {
    return {-p.na, -p.nb, p.nz, p.c - p.na - p.nb};
}

Face faceOf(const Plane& p) {
    if (std::abs(p.na) < Eps && std::abs(p.nb) < Eps)
        return Face::Top;
    if (p.nz > Eps)
        return Face::Slope;
    if (std::abs(p.nb) >= std::abs(p.na))
        return p.nb > 0 ? Face::Front : Face::Back;
    return p.na > 0 ? Face::East : Face::West;
}

// Light comes from the screen's upper left: faces turned towards -a (screen left) are
// lit, faces towards +b (screen right) shaded.
Light lightOf(const Plane& screenPlane) {
    // A tile unit is about 16 pixels of height, which turns plane normals into world ones.
    const double na = screenPlane.na / 16.0, nb = screenPlane.nb / 16.0;
    const double up =
        screenPlane.nz / std::sqrt(na * na + nb * nb + screenPlane.nz * screenPlane.nz);
    if (up > 0.9)
        return Light::Top;
    return (-na >= nb) ? Light::Lit : Light::Shade;
}

double wallU(Face f, double a, double b) {
    switch (f) {
    case Face::Front:
        return a;
    case Face::West:
        return b;
    case Face::Back:
        return 1 - a;
    case Face::East:
        return 1 - b;
    default:
        return a;
    }
}
} // namespace

void IsoScene::add(std::vector<Plane> planes, Material material, bool roundSides) {
    solids_.push_back({std::move(planes), std::move(material), roundSides});
}

void IsoScene::box(double a0, double a1, double b0, double b1, double z0, double z1, Material m) {
    add({{-1, 0, 0, -a0},
         {1, 0, 0, a1},
         {0, -1, 0, -b0},
         {0, 1, 0, b1},
         {0, 0, -1, -z0},
         {0, 0, 1, z1}},
        std::move(m));
}

void IsoScene::gable(double a0, double a1, double b0, double b1, double z0, double z1, bool alongA,
                     Material m) {
    const double rise = z1 - z0;
    std::vector<Plane> planes{
        {-1, 0, 0, -a0}, {1, 0, 0, a1}, {0, -1, 0, -b0}, {0, 1, 0, b1}, {0, 0, -1, -z0}};
    if (alongA) {
        const double half = (b1 - b0) / 2, mid = (b0 + b1) / 2;
        // z <= z1 - rise * |b - mid| / half
        planes.push_back({0, rise / half, 1, z1 + rise / half * mid});
        planes.push_back({0, -rise / half, 1, z1 - rise / half * mid});
    } else {
        const double half = (a1 - a0) / 2, mid = (a0 + a1) / 2;
        planes.push_back({rise / half, 0, 1, z1 + rise / half * mid});
        planes.push_back({-rise / half, 0, 1, z1 - rise / half * mid});
    }
    add(std::move(planes), std::move(m));
}

void IsoScene::pyramid(double a0, double a1, double b0, double b1, double z0, double z1,
                       Material m) {
    const double rise = z1 - z0;
    const double ha = (a1 - a0) / 2, hb = (b1 - b0) / 2;
    const double ma = (a0 + a1) / 2, mb = (b0 + b1) / 2;
    add({{0, 0, -1, -z0},
         {rise / ha, 0, 1, z1 + rise / ha * ma},
         {-rise / ha, 0, 1, z1 - rise / ha * ma},
         {0, rise / hb, 1, z1 + rise / hb * mb},
         {0, -rise / hb, 1, z1 - rise / hb * mb}},
        std::move(m));
}

void IsoScene::prism(double ca, double cb, double r, int sides, double z0, double z1, Material m) {
    std::vector<Plane> planes{{0, 0, -1, -z0}, {0, 0, 1, z1}};
    const double pi = std::acos(-1.0);
    for (int i = 0; i < sides; ++i) {
        const double t = (i + 0.5) * 2 * pi / sides;
        const double na = std::cos(t), nb = std::sin(t);
        planes.push_back({na, nb, 0, na * ca + nb * cb + r});
    }
    add(std::move(planes), std::move(m), true);
}

void IsoScene::lot(Material m) {
    box(-LotMargin, 1 + LotMargin, -LotMargin, 1 + LotMargin, -1, 0, std::move(m));
}

IsoScene::Hit IsoScene::cast(double px, double py, bool turned) const {
    // Screen position of the pixel centre relative to the ground diamond's left corner.
    const double s = px / 16.0;
    const double d = (py - (height_ - 17) - 8) / 8.0;
    const double a0 = (s - d) / 2, b0 = (s + d) / 2;
    Hit best;
    best.z = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < solids_.size(); ++i) {
        double lo = -std::numeric_limits<double>::infinity();
        double hi = std::numeric_limits<double>::infinity();
        int hiPlane = -1;
        bool miss = false;
        const auto& planes = solids_[i].planes;
        for (std::size_t k = 0; k < planes.size() && !miss; ++k) {
            const Plane p = turned ? turn(planes[k]) : planes[k];
            const double rate = p.na * RayA + p.nb * RayB + p.nz;
            const double room = p.c - (p.na * a0 + p.nb * b0);
            if (std::abs(rate) < Eps) {
                miss = room < 0;
            } else if (rate > 0) {
                if (room / rate < hi) {
                    hi = room / rate;
                    hiPlane = static_cast<int>(k);
                }
            } else {
                lo = std::max(lo, room / rate);
            }
        }
        if (!miss && hiPlane >= 0 && lo <= hi + Eps && hi >= best.z) {
            best = {static_cast<int>(i), hiPlane, hi};
        }
    }
    return best;
}

void IsoScene::render(Canvas& out, int ox, int oy, bool turned, bool quiet) const {
    const int w = 32;
    std::vector<Hit> hits(static_cast<std::size_t>(w * height_));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < w; ++x)
            hits[static_cast<std::size_t>(y * w + x)] = cast(x + 0.5, y + 0.5, turned);
    const auto at = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= height_)
            return Hit{};
        return hits[static_cast<std::size_t>(y * w + x)];
    };
    const auto sameFace = [](const Hit& p, const Hit& q) {
        return p.solid == q.solid && p.plane == q.plane;
    };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < w; ++x) {
            const Hit h = at(x, y);
            if (h.solid < 0)
                continue;
            const Solid& solid = solids_[static_cast<std::size_t>(h.solid)];
            const Hit up = at(x, y - 1), left = at(x - 1, y);
            const bool silhouette =
                up.solid < 0 || left.solid < 0 || at(x + 1, y).solid < 0 || at(x, y + 1).solid < 0;
            const auto upright = [&](const Hit& n) {
                return std::abs(solid.planes[static_cast<std::size_t>(n.plane)].nz) < Eps;
            };
            const auto edgeTo = [&](const Hit& n) {
                if (sameFace(h, n))
                    return false;
                return !(n.solid == h.solid && solid.roundSides && upright(h) && upright(n));
            };
            if (silhouette || edgeTo(up) || edgeTo(left)) {
                out.set(ox + x, oy + y, Ink);
                continue;
            }
            const Plane& model = solid.planes[static_cast<std::size_t>(h.plane)];
            const Plane screen = turned ? turn(model) : model;
            const double s = (x + 0.5) / 16.0, d = (y + 0.5 - (height_ - 17) - 8 + h.z) / 8.0;
            double a = (s - d) / 2, b = (s + d) / 2;
            if (turned) {
                a = 1 - a;
                b = 1 - b;
            }
            const Face face = faceOf(model);
            const Surface surf{face, lightOf(screen), a, b, h.z, wallU(face, a, b), ox + x, oy + y};
            out.set(ox + x, oy + y, quiet ? Paper : solid.material(surf));
        }
}

Rgba dither(Dither d, int x, int y) {
    return Canvas::ditherOn(d, x, y) ? Ink : Paper;
}

Material flat(Rgba c) {
    return [c](const Surface&) { return c; };
}

Material shaded(Dither lit, Dither shade, Dither top) {
    return [=](const Surface& s) {
        switch (s.light) {
        case Light::Top:
            return dither(top, s.x, s.y);
        case Light::Lit:
            return dither(lit, s.x, s.y);
        default:
            return dither(shade, s.x, s.y);
        }
    };
}
