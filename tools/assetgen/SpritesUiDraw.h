#pragma once
// Drawing helpers shared by the interface art: pixel-art stencils, a small capital
// font for lettering inside sprites, the window frame, and isometric boxes for the
// title city. Everything draws in ink and paper only; shading is dithered.
#include "Canvas.h"

#include <string>
#include <vector>

struct UiSprite {
    std::string name;
    Canvas image;
};
using UiSpriteList = std::vector<UiSprite>;

// One string per row. ' ' clear, '#' ink, '.' paper, ':' checker dither, '\'' sparse
// dither, '=' dense dither (dithers are ink on paper, aligned to the target canvas).
using Art = std::vector<std::string>;
void drawArt(Canvas& c, int x, int y, const Art& rows);
Canvas artCanvas(const Art& rows);

Canvas flippedVertically(const Canvas& src);
// Keeps ink only on every other pixel, the two-tone way of greying out a control.
Canvas ghosted(const Canvas& src);
// Paints `colour` on every clear pixel that touches an opaque one (8-neighbourhood),
// so art stays readable over whatever the map or title city shows beneath it.
void haloOpaque(Canvas& c, Rgba colour);

// Capital letters, digits and a few signs on a 5 x 7 grid, one pixel apart at scale 1.
int letteringWidth(const std::string& text, int scale);
void drawLettering(Canvas& c, int x, int y, const std::string& text, Rgba colour, int scale);

void fillDisc(Canvas& c, int cx, int cy, int r, Rgba colour);
void ditherDisc(Canvas& c, int cx, int cy, int r, Dither d);
void circleOutline(Canvas& c, int cx, int cy, int r, Rgba colour);

// The bordered frame look of windows and buttons: a rounded double ink line 3 pixels
// deep, paper inside. Corners are the 9 x 9 pieces of the window nine-slice.
inline constexpr int frameCorner = 9;
void drawFrame(Canvas& c, int x, int y, int w, int h);
// The frame's silhouette in solid ink, used as its drop shadow.
void drawFrameSilhouette(Canvas& c, int x, int y, int w, int h);
// Frame plus a shadow one pixel right and two down, inside a w x h canvas area.
void drawRaisedFrame(Canvas& c, int x, int y, int w, int h);

// An isometric block standing on its front-bottom corner (fx, fy): `left` and `right`
// pixels of footprint towards each side, `height` pixels tall. The left face is lit
// (paper), the right face shaded with `shade`.
struct IsoBlock {
    int fx, fy, left, right, height;
    Dither shade = Dither::Checker;
    bool drawTop = true;
};
void drawIsoBlock(Canvas& c, const IsoBlock& b);
// Rows of windows on both visible faces of a block.
void drawIsoWindows(Canvas& c, const IsoBlock& b, int columnStep, int rowStep);
// A hipped roof rising `rise` pixels above the block (square footprints).
void drawIsoRoof(Canvas& c, const IsoBlock& b, int rise);
