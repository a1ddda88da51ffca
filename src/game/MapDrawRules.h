#pragma once
// The choices the map drawing makes for one tile (which road piece, which cell of a
// sheet, which way round), kept apart from the drawing so they can be checked without
// a window. All positions are in map-view units.
#include "city/CityTypes.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <string>

class Tile;

// Ground diamond of a tile and the rows a taller sprite shares with it.
constexpr int kTileWidth = 32;
constexpr int kTileHeight = 16;
constexpr int kGroundRows = 17;

// Frames of the animated and filling sheets.
constexpr int kSheetFrameWidth = 34; // litter and landfill
constexpr int kSheetFrameHeight = 24;
constexpr int kFireFrameWidth = 20;
constexpr int kFireFrameHeight = 51;
constexpr int kFireFrames = 6;
constexpr float kFireStepSeconds = 0.125f;
constexpr float kBlinkPeriod = 1.0f; // buildable tiles: half on, half off
constexpr float kBlinkOnUntil = 0.5f;
constexpr int kNeedsIconSize = 9;

// Street litter shows from this much trash and reaches each tile's last frame at
// kTrashFullFrames more; tiles with number mod 9 below 5 carry it.
constexpr double kTrashLitterFrom = 1000.0;
constexpr double kTrashLitterSpan = 5000.0;
constexpr int kLitterTileModulus = 9;
constexpr int kLitterTilesBelow = 5;
constexpr int kLandfillFrameDivisor = 7;

// The part of the map a kept picture covers for a view with its top-left at `topLeft`
// and `size` units: the view reaching a further kPictureMarginShare of its size (whole
// units) right and down, its top-left snapped down to steps of that margin. Views
// panned within one step share the area, so one picture serves them all.
constexpr float kPictureMarginShare = 0.0625f;
sf::FloatRect pictureArea(sf::Vector2f topLeft, sf::Vector2f size);

// Top-left corner of tile (x, y).
inline sf::Vector2i tileCorner(int x, int y) {
    return {(x + y) * (kTileWidth / 2), (y - x) * (kTileHeight / 2)};
}

// Road neighbours as bits.
enum RoadSide : unsigned { RoadNorth = 1, RoadSouth = 2, RoadWest = 4, RoadEast = 8 };
constexpr unsigned kRoadMasks = 16;

// The road piece for a set of road neighbours, as an index 0..kRoadPieces - 1: the
// RoadSide bits, or kLoneTurnedRoad for a lone road facing south or north.
constexpr unsigned kLoneTurnedRoad = kRoadMasks;
constexpr unsigned kRoadPieces = kRoadMasks + 1;
unsigned roadPieceIndex(unsigned roadSides, int orientation);
const char* roadPieceName(unsigned pieceIndex);
unsigned roadSidesOf(const Tile& tile);

// Texture rectangle, scale and origin of one cell of a facing sheet (2 x 2 cells, the
// whole sheet `sheetSize`). The bottom row is the quiet drawing used under overlays.
struct SpriteFrame {
    sf::IntRect rect;
    sf::Vector2f scale;
    sf::Vector2f origin;
};
SpriteFrame facingFrame(int orientation, sf::Vector2u sheetSize, bool bottomRow);
// A 34-wide landfill frame, mirrored for the roads to the south and north.
SpriteFrame landfillFrame(int orientation, int frame, unsigned sheetHeight);

// Litter frame on a road tile, or -1 for none.
int litterFrame(double streetTrash, int tileNumber);
// Fill-level frame of a landfill; 0 for a capacity too small to divide. An over-full
// tip keeps showing the last of the sheet's `frames`.
int landfillFillFrame(double fill, int capacity, int frames);
// Fire frame of a tile: neighbours burn out of step.
int fireFrameOf(int tileNumber, int fireFrame);

// How a building kind's image is cut and which images it has: `base` alone, or with
// 1 + tile number mod `variants` appended.
enum class BuildingArt : std::int32_t { None = 0, Facing = 1, Whole = 2 };
struct BuildingArtSpec {
    BuildingArt art;
    const char* base;
    int variants; // 0: the base name is the whole name
};
constexpr int kMaxBuildingVariants = 4;
// Houses and shops pick by level (clamped to 1..3); other kinds ignore it.
BuildingArtSpec buildingArt(TileKind kind, int level);
std::string buildingSpriteName(const BuildingArtSpec& art, int variant);
// Variant index (0-based) of a tile number.
int buildingVariant(const BuildingArtSpec& art, int tileNumber);

// Whether a building tile is drawn quiet and gets an overlay on this layer.
struct LayerShows {
    int layer = 0;
    bool housing = true;
    bool jobs = true;
    bool shops = true;
};
bool joinsOverlay(TileKind kind, const LayerShows& shows);

// Attractiveness icons: how many, and whether they are the positive, neutral or
// negative kind.
enum class Attraction : std::int32_t { Negative = 0, Neutral = 1, Positive = 2 };
struct AttractionIcons {
    Attraction kind;
    int count;
};
AttractionIcons attractionIcons(double shownAttractiveness);
