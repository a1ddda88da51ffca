#include "game/MapRenderer.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "assets/SpriteManager.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/Game.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string_view>

namespace {

constexpr std::size_t kSmallFont = 1;
// Cells of "ui/needs_icons".
constexpr int kEmploymentCell = 0;
constexpr int kWaterCell = 9;
constexpr int kShopsCell = 18;
// Overlay placement relative to the tile corner.
const sf::Vector2i kServiceIconOffset{11, -6};
constexpr int kAttractionTop = 4;
constexpr int kAttractionStep = 7;
constexpr int kNeedsTop = 3;
constexpr int kNeedsStep = 8;
constexpr int kWarningTop = -8;
constexpr int kWarningStep = 10;
const sf::Vector2i kFireOffset{17, 15};
const sf::Vector2f kFireOrigin{10.f, 51.f};
// The stages of the drawing, in their order, as marks count them.
constexpr int kTileStage = 0;
constexpr int kShadeStage = 1;
constexpr int kOverlayStage = 2;

constexpr std::array<const char*, 3> kAttractionNames{
    "ui/attraction_negative", "ui/attraction_neutral", "ui/attraction_positive"};

std::size_t artSlot(TileKind kind, int level) {
    const auto byLevel = static_cast<std::size_t>(std::clamp(level, 1, 3) - 1);
    if (kind == TileKind::House)
        return byLevel;
    if (kind == TileKind::Shop)
        return 3 + byLevel;
    return 6 + static_cast<std::size_t>(kind);
}

int levelOf(const Tile& tile) {
    if (const House* house = tile.house())
        return house->level;
    if (const Shop* shop = tile.shop())
        return shop->level;
    return 1;
}

} // namespace

MapRenderer::MapRenderer(Game& owner) : game(owner) {
    resolveSprites();
    buildAtlas();
}

void MapRenderer::buildAtlas() {
    labelFont.use(smallFont());
    atlas.build();
    atlasPaper = game.paperColor;
    atlasInk = game.inkColor;
    ++atlasBuilds;
}

BitmapFont* MapRenderer::smallFont() const {
    return game.fontManager ? game.fontManager->getFont(kSmallFont) : nullptr;
}

MapRenderer::Id MapRenderer::add(const std::string& name) {
    return atlas.add(game.spriteManager->get(name));
}

void MapRenderer::resolveSprites() {
    tileBorder = add("tile_border");
    tileOutline = add("tile_outline");
    tileHighlighted = add("tile_highlighted");
    tileSemiFilled = add("tile_semi_filled");
    hiddenTileOverlay = add("hidden_tile_overlay");
    trashOnStreets = add("trash_on_streets");
    landfill = add("landfill");
    fireAnimation = add("fire_animation");
    needsIcons = add("ui/needs_icons");
    crimeIcon = add("ui/crime_icon");
    fireHazardIcon = add("ui/fire_hazard_icon");
    needHospitalIcon = add("ui/need_hospital_icon");
    for (std::size_t i = 0; i < kAttractionNames.size(); ++i)
        attractionSprites[i] = add(kAttractionNames[i]);
    for (unsigned piece = 0; piece < kRoadPieces; ++piece)
        roadPieces[piece] = add(roadPieceName(piece));
    for (int kind = 0; kind < kTileKindCount; ++kind)
        for (int level = 1; level <= 3; ++level) {
            const BuildingArtSpec look = buildingArt(static_cast<TileKind>(kind), level);
            if (look.art == BuildingArt::None)
                continue;
            Variants& variants = buildings[artSlot(static_cast<TileKind>(kind), level)];
            for (int v = 0; v < std::max(1, look.variants); ++v)
                variants[static_cast<std::size_t>(v)] = add(buildingSpriteName(look, v));
        }
}

void MapRenderer::draw(sf::RenderTarget& target) {
    gather();
    pictures.draw(target, batch, marks, atlasBuilds, game.paperColor);
}

void MapRenderer::mark(const Map& map, const Tile& tile, int stage) {
    // Within a stage, rows from the back and within a row from the right, as drawn.
    const auto order = static_cast<std::uint32_t>(tile.y * map.width + map.width - 1 - tile.x);
    const auto tiles = static_cast<std::uint32_t>(map.tiles.size());
    marks.push_back(MapPictures::Mark{static_cast<std::uint32_t>(stage) * tiles + order,
                                      static_cast<std::uint32_t>(batch.size())});
}

void MapRenderer::gather() {
    Simulation& simulation = *game.simulation;
    if (game.paperColor != atlasPaper || game.inkColor != atlasInk ||
        smallFont() != labelFont.font())
        buildAtlas();
    batch.clear();
    marks.clear();
    const std::scoped_lock lock(simulation.mapMutex);
    Map& map = *simulation.map;
    advanceTimers(map);
    drawTiles(map);
    if (map.rangeHighlightActive)
        drawRangeShade(map);
    for (const Tile* tile : overlayTiles) {
        mark(map, *tile, kOverlayStage);
        drawOverlay(map, *tile);
    }
}

void MapRenderer::advanceTimers(Map& map) {
    map.highlightTime += game.frameTime;
    fireFrameTime += game.frameTime;
    if (fireFrameTime >= kFireStepSeconds) {
        fireFrameTime = 0.f;
        fireFrame = (fireFrame + 1) % kFireFrames;
    }
    if (map.highlightTime > kBlinkPeriod)
        map.highlightTime = 0.f;
    overlayTiles.clear();
    fireShown = false;
}

float MapRenderer::secondsToNextChange(const Map& map) const {
    const float blink = map.highlightTime <= kBlinkOnUntil ? kBlinkOnUntil - map.highlightTime
                                                           : kBlinkPeriod - map.highlightTime;
    return fireShown ? std::min(blink, kFireStepSeconds - fireFrameTime) : blink;
}

void MapRenderer::drawTiles(Map& map) {
    // Rows from the back, and within a row from the right: back to front on screen.
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.isVisible() && !tile.hasFlag(kFlagOffScreen)) {
                mark(map, tile, kTileStage);
                drawTile(map, tile);
            }
        }
}

void MapRenderer::drawTile(Map& map, Tile& tile) {
    const sf::Vector2i at = tileCorner(tile.x, tile.y);
    const bool highlighted = drawGround(map, tile, at);
    switch (tile.kind) {
    case TileKind::Tree:
    case TileKind::Park:
    case TileKind::Rubble:
        drawStanding(buildingSprite(tile.kind, 1, tile.number), at);
        break;
    case TileKind::Road:
        drawRoad(tile, at, game.simulation->city->streetTrash.load());
        break;
    case TileKind::Landfill:
        drawLandfill(tile, at);
        break;
    default:
        break;
    }
    if (tile.building)
        drawBuilding(map, tile, at, highlighted);
    if (tile.hasFlag(kFlagBurning)) {
        drawFire(tile, at);
        fireShown = true;
    }
}

bool MapRenderer::drawGround(const Map& map, const Tile& tile, sf::Vector2i at) {
    const Simulation& simulation = *game.simulation;
    if (tile.kind == TileKind::Empty)
        drawPlain(tileBorder, at);
    if (tile.number == simulation.actionTileNumber || tile.number == map.selectedTileNumber) {
        drawPlain(tileHighlighted, at);
        return true;
    }
    const bool buildable = !tile.building && !tile.actions().empty() &&
                           simulation.actionKind == ActionKind::None &&
                           map.selectedTileNumber == -1 && map.layer == 0;
    if (buildable && map.highlightTime <= kBlinkOnUntil)
        drawPlain(tileOutline, at);
    return false;
}

void MapRenderer::drawRoad(const Tile& tile, sf::Vector2i at, double streetTrash) {
    drawPlain(roadPieces[roadPieceIndex(roadSidesOf(tile), tile.orientation)], at);
    const int frame = litterFrame(streetTrash, tile.number);
    if (frame < 0)
        return;
    const SpriteFrame litter{
        sf::IntRect(frame * kSheetFrameWidth, 0, kSheetFrameWidth, kSheetFrameHeight),
        sf::Vector2f(1.f, 1.f),
        sf::Vector2f(0.f, static_cast<float>(atlas.size(trashOnStreets).y - kGroundRows))};
    drawFrame(trashOnStreets, at, litter);
}

void MapRenderer::drawLandfill(const Tile& tile, sf::Vector2i at) {
    const Landfill* record = tile.landfill();
    if (record == nullptr)
        return;
    const sf::Vector2u size(atlas.size(landfill));
    const int frame = landfillFillFrame(record->fill.load(), record->capacity,
                                        static_cast<int>(size.x) / kSheetFrameWidth);
    drawFrame(landfill, at, landfillFrame(tile.orientation, frame, size.y));
}

void MapRenderer::drawBuilding(const Map& map, Tile& tile, sf::Vector2i at, bool highlighted) {
    if (!showBuildings) {
        if (!highlighted)
            drawPlain(tileSemiFilled, at);
        return;
    }
    const BuildingArtSpec look = buildingArt(tile.kind, levelOf(tile));
    if (tile.kind == TileKind::Landfill || look.art == BuildingArt::None)
        return;
    const Id sprite = buildingSprite(tile.kind, levelOf(tile), tile.number);
    if (look.art == BuildingArt::Whole) {
        drawStanding(sprite, at);
        return;
    }
    const bool quiet = joinsOverlay(tile.kind, layerShows(map));
    if (quiet)
        overlayTiles.push_back(&tile);
    drawFrame(sprite, at, facingFrame(tile.orientation, sf::Vector2u(atlas.size(sprite)), quiet));
}

void MapRenderer::drawFire(const Tile& tile, sf::Vector2i at) {
    const SpriteFrame frame{sf::IntRect(fireFrameOf(tile.number, fireFrame) * kFireFrameWidth, 0,
                                        kFireFrameWidth, kFireFrameHeight),
                            sf::Vector2f(1.f, 1.f), kFireOrigin};
    drawFrame(fireAnimation, at + kFireOffset, frame);
}

void MapRenderer::drawRangeShade(Map& map) {
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            const Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.hasFlag(kFlagOffScreen))
                continue;
            mark(map, tile, kShadeStage);
            if (!(tile.isVisible() && tile.hasFlag(kFlagHighlighted)))
                drawPlain(hiddenTileOverlay, tileCorner(tile.x, tile.y));
        }
}

void MapRenderer::drawOverlay(const Map& map, const Tile& tile) {
    const sf::Vector2i at = tileCorner(tile.x, tile.y);
    const LayerShows shows = layerShows(map);
    if (const House* house = tile.house()) {
        if (shows.layer == 1 && shows.housing)
            drawNumberLabel(at, house->residents.load(), house->capacity);
        else if (shows.layer == 3)
            drawNeedsAndWarnings(tile, at);
        else if (shows.layer == 2 && !tile.hasFlag(kFlagBurning))
            drawAttraction(tile, at);
    } else if (const Shop* shop = tile.shop()) {
        if (shows.layer == 1 && shows.shops) {
            drawNumberLabel(at, shop->visitors.load(), shop->capacity);
            drawNeedsCell(kShopsCell, at + kServiceIconOffset);
        }
    } else if (shows.layer == 1 && shows.jobs) {
        if (const Factory* factory = tile.factory()) {
            drawNumberLabel(at, factory->workers.load(), factory->capacity);
            drawNeedsCell(kEmploymentCell, at + kServiceIconOffset);
        } else if (const Commercial* office = tile.commercial()) {
            drawNumberLabel(at, office->workers.load(), office->capacity);
            drawNeedsCell(kEmploymentCell, at + kServiceIconOffset);
        }
    }
}

void MapRenderer::drawNumberLabel(sf::Vector2i at, int count, int capacity) {
    BitmapFont* font = smallFont();
    if (font == nullptr)
        return;
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%d/%d", count, capacity);
    const std::string_view label(
        text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
    font->setColor(game.paperColor);
    const sf::Vector2i size = labelFont.measure(label);
    const int top = at.y - size.y / 2;
    const int left = at.x + (kTileWidth - size.x) / 2;
    // An ink box with a one-unit paper outline: the outline's square first, the box
    // over it.
    atlas.appendFill(batch, sf::IntRect(left - 2, top + 6, size.x + 3, size.y + 1),
                     game.paperColor);
    atlas.appendFill(batch, sf::IntRect(left - 1, top + 7, size.x + 1, size.y - 1), game.inkColor);
    labelFont.append(batch, label, sf::Vector2i(left, top + 8), font->sprite().getColor());
}

void MapRenderer::drawAttraction(const Tile& tile, sf::Vector2i at) {
    const AttractionIcons icons = attractionIcons(tile.house()->shownAttractiveness.load());
    const Id icon = attractionSprites[static_cast<std::size_t>(icons.kind)];
    int x = at.x + kTileWidth / 2 - (kAttractionStep * icons.count) / 2;
    for (int i = 0; i < icons.count; ++i, x += kAttractionStep)
        drawPlain(icon, sf::Vector2i(x, at.y + kAttractionTop));
}

void MapRenderer::drawNeedsAndWarnings(const Tile& tile, sf::Vector2i at) {
    const int needs = tile.house()->shownNeeds.load();
    constexpr std::array<std::pair<int, int>, 3> kNeedCells{
        {{kNeedJobs, kEmploymentCell}, {kNeedWater, kWaterCell}, {kNeedShops, kShopsCell}}};
    int count = 0;
    for (const auto& need : kNeedCells)
        count += (needs & need.first) != 0 ? 1 : 0;
    int x = at.x + ((kTileWidth - kNeedsStep * count) >> 1);
    for (const auto& [bit, cell] : kNeedCells)
        if ((needs & bit) != 0) {
            drawNeedsCell(cell, sf::Vector2i(x, at.y + kNeedsTop));
            x += kNeedsStep;
        }

    const TileServices& services = tile.services();
    const std::array<std::pair<bool, Id>, 3> warnings{
        {{services.crime > 0, crimeIcon},
         {services.fireSafety < 0, fireHazardIcon},
         {services.healthCare < 0, needHospitalIcon}}};
    int shown = 0;
    for (const auto& warning : warnings)
        shown += warning.first ? 1 : 0;
    x = at.x + kTileWidth / 2 - (kWarningStep / 2) * shown;
    for (const auto& [applies, icon] : warnings)
        if (applies) {
            drawPlain(icon, sf::Vector2i(x, at.y + kWarningTop));
            x += kWarningStep;
        }
}

void MapRenderer::drawNeedsCell(int cellX, sf::Vector2i at) {
    const SpriteFrame cell{sf::IntRect(cellX, 0, kNeedsIconSize, kNeedsIconSize),
                           sf::Vector2f(1.f, 1.f), sf::Vector2f()};
    drawFrame(needsIcons, at, cell);
}

void MapRenderer::drawPlain(Id sprite, sf::Vector2i at) {
    const sf::IntRect whole(sf::Vector2i(), atlas.size(sprite));
    drawFrame(sprite, at, SpriteFrame{whole, sf::Vector2f(1.f, 1.f), sf::Vector2f()});
}

void MapRenderer::drawStanding(Id sprite, sf::Vector2i at) {
    const sf::IntRect whole(sf::Vector2i(), atlas.size(sprite));
    drawFrame(sprite, at,
              SpriteFrame{whole, sf::Vector2f(1.f, 1.f),
                          sf::Vector2f(0.f, static_cast<float>(whole.height - kGroundRows))});
}

void MapRenderer::drawFrame(Id sprite, sf::Vector2i at, const SpriteFrame& frame) {
    atlas.appendQuad(batch, sprite, at, frame);
}

MapRenderer::Id MapRenderer::buildingSprite(TileKind kind, int level, int tileNumber) const {
    const Variants& variants = buildings[artSlot(kind, level)];
    const int variant = buildingVariant(buildingArt(kind, level), tileNumber);
    return variants[static_cast<std::size_t>(variant)];
}

LayerShows MapRenderer::layerShows(const Map& map) const {
    return LayerShows{map.layer, showHousing, showJobs, showShops};
}
