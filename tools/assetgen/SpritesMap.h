#pragma once
// The map half of the sprite set, split by subject. Each writes its images below
// out + "sprites/" and returns false after printing what failed.
#include "Canvas.h"
#include "SpritesMapIso.h"

#include <functional>
#include <string>

bool generateGroundSprites(const std::string& out);   // markers, roads, picking image
bool generateBuildingSprites(const std::string& out); // everything with facing frames
bool generateSceneSprites(const std::string& out);    // trees, park, rubble, landfill, fire, litter

bool saveSprite(const Canvas& c, const std::string& out, const std::string& name);

// The tile diamond as the 32 x 16 grid uses it: rows 0 to 7 widen by two pixels a side,
// so the edge pixels are shared with the neighbouring tiles.
bool inDiamond(int x, int y);
bool onDiamondEdge(int x, int y);

// A rounded mass (foliage, smoke, a heap): ink outline, `lit` on the side towards the
// light and `shade` away from it. Centre and radii in canvas pixels.
void blob(Canvas& c, double cx, double cy, double rx, double ry, Dither shade,
          Dither lit = Dither::None);
// Drawings added on top of a rendered cell (smoke, signs) before it is cropped.
using Decorate = std::function<void(Canvas& cell, bool turned, bool quiet)>;
using Build = std::function<void(IsoScene&)>;

// A building sheet: a 2 x 2 grid of 32-wide cells, as tall as the drawing needs, the
// bottom 17 rows of each cell the ground. Columns: front facing south, then north (the
// game mirrors them for east and west); rows: the full drawing, then the quiet one drawn
// under information overlays.
Canvas facingFrames(const Build& build, const Decorate& decorate = {});
// A single 32-wide drawing with the same ground anchoring.
Canvas wholeImage(const Build& build, const Decorate& decorate = {});
