#pragma once
// A tiny orthographic ray caster for the map's isometric art. A building is a set of
// convex solids (boxes, gables, prisms) in tile space: a and b run 0..1 across the
// ground diamond (a towards the east neighbour, b towards the south one), z is height
// in pixels. Every pixel of the cell asks which solid face it sees first; materials
// colour the face, and face boundaries and silhouettes become one-pixel ink outlines.
// Solving visibility per pixel keeps the 2:1 edges exact, so adjacent tiles line up.
#include "Canvas.h"

#include <cstdint>
#include <functional>
#include <vector>

// Which wall of the model a pixel belongs to, in the model's own frame where the front
// faces south (towards the bottom-right of the screen).
enum class Face : std::int32_t { Top = 0, Slope = 1, Front = 2, Back = 3, West = 4, East = 5 };

// Screen lighting: light from the upper left, so tops are brightest, walls seen on the
// left of the screen lit, walls on the right in shadow.
enum class Light : std::int32_t { Top = 0, Lit = 1, Shade = 2 };

struct Surface {
    Face face;
    Light light;
    double a, b, z; // hit point in model space
    double u;       // along a wall, 0 at its left end on screen, 1 at its right end
    int x, y;       // canvas pixel, for dither phase
};

using Material = std::function<Rgba(const Surface&)>;

struct Plane {
    double na, nb, nz, c; // inside where na * a + nb * b + nz * z <= c
};

class IsoScene {
public:
    // `height`: cell height; the bottom 17 rows of the cell are the ground.
    explicit IsoScene(int height) : height_(height) {}

    int height() const { return height_; }

    // `roundSides`: no outline between the solid's upright faces, so that a many-sided
    // prism reads as a cylinder.
    void add(std::vector<Plane> planes, Material material, bool roundSides = false);
    void box(double a0, double a1, double b0, double b1, double z0, double z1, Material m);
    // Pitched roof over the footprint from eaves z0 up to a ridge at z1. `alongA` puts the
    // ridge parallel to a (gables facing west and east).
    void gable(double a0, double a1, double b0, double b1, double z0, double z1, bool alongA,
               Material m);
    // Four slopes meeting at a point (a square spire or hip roof).
    void pyramid(double a0, double a1, double b0, double b1, double z0, double z1, Material m);
    // Upright prism with `sides` faces around (ca, cb), radius r in tile units.
    void prism(double ca, double cb, double r, int sides, double z0, double z1, Material m);
    // The ground lot: a slab one pixel thick covering the whole diamond.
    void lot(Material m);

    // Draws the cell at (ox, oy). `turned` views the model from the opposite side (its
    // front then faces north); `quiet` fills every face with paper so that labels drawn
    // over the building stay readable.
    void render(Canvas& out, int ox, int oy, bool turned, bool quiet) const;

private:
    struct Solid {
        std::vector<Plane> planes;
        Material material;
        bool roundSides;
    };
    struct Hit {
        int solid = -1;
        int plane = -1;
        double z = 0;
    };
    Hit cast(double px, double py, bool turned) const;

    int height_;
    std::vector<Solid> solids_;
};

// Shared material helpers.
Rgba dither(Dither d, int x, int y); // ink where the pattern is on, paper elsewhere
Material flat(Rgba c);
Material shaded(Dither lit, Dither shade, Dither top); // plain walls by light side
