#include "game/MapDrawRules.h"

#include "city/Tile.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Indexed by the RoadSide bits; a lone road (0) is settled by its orientation.
constexpr std::array<const char*, kRoadPieces> kRoadPieceNames{
    "road1",      // none
    "road2_end2", // north
    "road2_end1", // south
    "road2",      // north, south
    "road1_end1", // west
    "road4",      // north, west
    "road6",      // south, west
    "road9",      // north, south, west
    "road1_end2", // east
    "road3",      // north, east
    "road7",      // south, east
    "road10",     // north, south, east
    "road1",      // west, east
    "road5",      // north, west, east
    "road8",      // south, west, east
    "road11",     // all four
    "road2",      // none, facing south or north
};

constexpr BuildingArtSpec kNoArt{BuildingArt::None, "", 0};

// Indexed by level - 1.
constexpr std::array<BuildingArtSpec, kHouseLevels> kHouseArt{{
    {BuildingArt::Facing, "house_small_", 4},
    {BuildingArt::Facing, "house_large_", 3},
    {BuildingArt::Facing, "flats_", 4},
}};
constexpr std::array<BuildingArtSpec, kShopLevels> kShopArt{{
    {BuildingArt::Facing, "market", 0},
    {BuildingArt::Facing, "shop", 0},
    {BuildingArt::Facing, "convenience_store", 0},
}};

// Indexed by TileKind; houses and shops are looked up by level above.
constexpr std::array<BuildingArtSpec, kTileKindCount> kKindArt{{
    kNoArt,                                      // Empty
    {BuildingArt::Whole, "tree1", 0},            // Tree
    kNoArt,                                      // Road
    kNoArt,                                      // House
    kNoArt,                                      // Shop
    {BuildingArt::Whole, "park1", 0},            // Park
    {BuildingArt::Whole, "watertower", 0},       // WaterTower
    {BuildingArt::Facing, "factory_", 2},        // Factory
    {BuildingArt::Facing, "fire_station", 0},    // FireStation
    {BuildingArt::Facing, "police_station", 0},  // PoliceStation
    {BuildingArt::Facing, "hospital", 0},        // Hospital
    {BuildingArt::Facing, "commercial_", 4},     // Commercial
    {BuildingArt::Whole, "rubble", 0},           // Rubble
    {BuildingArt::Facing, "pumping_station", 0}, // PumpingStation
    kNoArt,                                      // Landfill: fill-level frames
}};

constexpr int kOrientationSouth = 1;
constexpr int kOrientationNorth = 2;
constexpr int kOrientationEast = 3;
constexpr int kOrientationWest = 4;

std::size_t levelIndex(int level) {
    return static_cast<std::size_t>(std::clamp(level, 1, 3) - 1);
}

bool isRoad(const Tile* tile) {
    return tile != nullptr && tile->kind == TileKind::Road;
}

} // namespace

sf::FloatRect pictureArea(sf::Vector2f topLeft, sf::Vector2f size) {
    const auto margin = [](float length) {
        return std::max(1.f, std::ceil(length * kPictureMarginShare));
    };
    const sf::Vector2f step(margin(size.x), margin(size.y));
    const sf::Vector2f corner(std::floor(topLeft.x / step.x) * step.x,
                              std::floor(topLeft.y / step.y) * step.y);
    return {corner, size + step};
}

unsigned roadPieceIndex(unsigned roadSides, int orientation) {
    if (roadSides == 0 && (orientation == kOrientationSouth || orientation == kOrientationNorth))
        return kLoneTurnedRoad;
    return roadSides % kRoadMasks;
}

const char* roadPieceName(unsigned pieceIndex) {
    return kRoadPieceNames[pieceIndex % kRoadPieces];
}

unsigned roadSidesOf(const Tile& tile) {
    unsigned sides = 0;
    if (isRoad(tile.neighbour(Direction::North)))
        sides |= RoadNorth;
    if (isRoad(tile.neighbour(Direction::South)))
        sides |= RoadSouth;
    if (isRoad(tile.neighbour(Direction::West)))
        sides |= RoadWest;
    if (isRoad(tile.neighbour(Direction::East)))
        sides |= RoadEast;
    return sides;
}

SpriteFrame facingFrame(int orientation, sf::Vector2u sheetSize, bool bottomRow) {
    const int w = static_cast<int>(sheetSize.x / 2);
    const int h = static_cast<int>(sheetSize.y / 2);
    const int row = bottomRow ? h : 0;
    // The art is drawn facing south (left column) and north (right column); east and
    // west are those two mirrored. A building without an orientation yet shows the
    // first cell.
    const bool rightColumn = orientation == kOrientationNorth || orientation == kOrientationEast;
    const bool mirrored = orientation == kOrientationEast || orientation == kOrientationWest;
    const float anchorY = static_cast<float>(h - kGroundRows);
    return SpriteFrame{sf::IntRect(rightColumn ? w : 0, row, w, h),
                       sf::Vector2f(mirrored ? -1.f : 1.f, 1.f),
                       sf::Vector2f(mirrored ? static_cast<float>(w) : 0.f, anchorY)};
}

SpriteFrame landfillFrame(int orientation, int frame, unsigned sheetHeight) {
    const bool mirrored = orientation == kOrientationSouth || orientation == kOrientationNorth;
    const float anchorY = static_cast<float>(static_cast<int>(sheetHeight) - kGroundRows);
    return SpriteFrame{
        sf::IntRect(frame * kSheetFrameWidth, 0, kSheetFrameWidth, kSheetFrameHeight),
        sf::Vector2f(mirrored ? -1.f : 1.f, 1.f),
        sf::Vector2f(mirrored ? static_cast<float>(kSheetFrameWidth) : 0.f, anchorY)};
}

int litterFrame(double streetTrash, int tileNumber) {
    if (streetTrash < kTrashLitterFrom || tileNumber % kLitterTileModulus >= kLitterTilesBelow)
        return -1;
    const double grown = std::min(1.0, (streetTrash - kTrashLitterFrom) / kTrashLitterSpan);
    return static_cast<int>(grown * (tileNumber % 4));
}

int landfillFillFrame(double fill, int capacity, int frames) {
    const int perFrame = capacity / kLandfillFrameDivisor;
    if (perFrame <= 0 || !(fill > 0.0) || frames <= 0)
        return 0;
    return static_cast<int>(std::min(fill / perFrame, static_cast<double>(frames - 1)));
}

int fireFrameOf(int tileNumber, int fireFrame) {
    return (tileNumber % kFireFrames + fireFrame) % kFireFrames;
}

BuildingArtSpec buildingArt(TileKind kind, int level) {
    if (kind == TileKind::House)
        return kHouseArt[levelIndex(level)];
    if (kind == TileKind::Shop)
        return kShopArt[levelIndex(level)];
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindArt.size() ? kKindArt[index] : kNoArt;
}

std::string buildingSpriteName(const BuildingArtSpec& art, int variant) {
    if (art.variants == 0)
        return art.base;
    return art.base + std::to_string(1 + variant);
}

int buildingVariant(const BuildingArtSpec& art, int tileNumber) {
    return art.variants == 0 ? 0 : tileNumber % art.variants;
}

bool joinsOverlay(TileKind kind, const LayerShows& shows) {
    switch (kind) {
    case TileKind::House:
        return (shows.layer == 1 && shows.housing) || shows.layer == 2 || shows.layer == 3;
    case TileKind::Shop:
        return shows.layer == 1 && shows.shops;
    case TileKind::Factory:
    case TileKind::Commercial:
        return shows.layer == 1 && shows.jobs;
    default:
        return false;
    }
}

AttractionIcons attractionIcons(double a) {
    if (a > 0.5)
        return {Attraction::Positive, 3};
    if (a > 0.2)
        return {Attraction::Positive, 2};
    if (a > 0)
        return {Attraction::Positive, 1};
    if (a < -0.3)
        return {Attraction::Negative, 3};
    if (a < -0.15)
        return {Attraction::Negative, 2};
    if (a < 0)
        return {Attraction::Negative, 1};
    return {Attraction::Neutral, 1};
}
