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
constexpr float kLabelOutline = 1.f;

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

sf::IntRect wholeTexture(const sf::Sprite& sprite) {
    const sf::Texture* texture = sprite.getTexture();
    if (texture == nullptr)
        return {};
    const sf::Vector2u size = texture->getSize();
    return sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
}

sf::Vector2u textureSize(const sf::Sprite& sprite) {
    return sprite.getTexture() != nullptr ? sprite.getTexture()->getSize() : sf::Vector2u();
}

} // namespace

MapRenderer::MapRenderer(Game& owner) : game(owner) {
    resolveSprites();
}

void MapRenderer::resolveSprites() {
    SpriteManager& sprites = *game.spriteManager;
    tileBorder = sprites.get("tile_border");
    tileOutline = sprites.get("tile_outline");
    tileHighlighted = sprites.get("tile_highlighted");
    tileSemiFilled = sprites.get("tile_semi_filled");
    hiddenTileOverlay = sprites.get("hidden_tile_overlay");
    trashOnStreets = sprites.get("trash_on_streets");
    landfill = sprites.get("landfill");
    fireAnimation = sprites.get("fire_animation");
    needsIcons = sprites.get("ui/needs_icons");
    crimeIcon = sprites.get("ui/crime_icon");
    fireHazardIcon = sprites.get("ui/fire_hazard_icon");
    needHospitalIcon = sprites.get("ui/need_hospital_icon");
    for (std::size_t i = 0; i < kAttractionNames.size(); ++i)
        attractionSprites[i] = sprites.get(kAttractionNames[i]);
    for (unsigned piece = 0; piece < kRoadPieces; ++piece)
        roadPieces[piece] = sprites.get(roadPieceName(piece));
    for (int kind = 0; kind < kTileKindCount; ++kind)
        for (int level = 1; level <= 3; ++level) {
            const BuildingArtSpec spec = buildingArt(static_cast<TileKind>(kind), level);
            if (spec.art == BuildingArt::None)
                continue;
            Variants& variants = buildings[artSlot(static_cast<TileKind>(kind), level)];
            for (int v = 0; v < std::max(1, spec.variants); ++v)
                variants[static_cast<std::size_t>(v)] = sprites.get(buildingSpriteName(spec, v));
        }
}

void MapRenderer::draw(sf::RenderTarget& renderTarget) {
    Simulation& simulation = *game.simulation;
    const std::scoped_lock lock(simulation.mapMutex);
    Map& map = *simulation.map;
    target = &renderTarget;
    advanceTimers(map);
    drawTiles(map);
    if (map.rangeHighlightActive)
        drawRangeShade(map);
    for (const Tile* tile : overlayTiles)
        drawOverlay(map, *tile);
    target = nullptr;
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
}

void MapRenderer::drawTiles(Map& map) {
    // Rows from the back, and within a row from the right: back to front on screen.
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.isVisible() && !tile.hasFlag(kFlagOffScreen))
                drawTile(map, tile);
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
    if (tile.hasFlag(kFlagBurning))
        drawFire(tile, at);
}

bool MapRenderer::drawGround(const Map& map, const Tile& tile, sf::Vector2i at) {
    const Simulation& simulation = *game.simulation;
    if (tile.kind == TileKind::Empty)
        drawPlain(*tileBorder, at);
    if (tile.number == simulation.actionTileNumber || tile.number == map.selectedTileNumber) {
        drawPlain(*tileHighlighted, at);
        return true;
    }
    const bool buildable = !tile.building && !tile.actions.empty() &&
                           simulation.actionKind == ActionKind::None &&
                           map.selectedTileNumber == -1 && map.layer == 0;
    if (buildable && map.highlightTime <= kBlinkOnUntil)
        drawPlain(*tileOutline, at);
    return false;
}

void MapRenderer::drawRoad(const Tile& tile, sf::Vector2i at, double streetTrash) {
    drawPlain(*roadPieces[roadPieceIndex(roadSidesOf(tile), tile.orientation)], at);
    const int frame = litterFrame(streetTrash, tile.number);
    if (frame < 0)
        return;
    const SpriteFrame litter{
        sf::IntRect(frame * kSheetFrameWidth, 0, kSheetFrameWidth, kSheetFrameHeight),
        sf::Vector2f(1.f, 1.f),
        sf::Vector2f(0.f, static_cast<float>(static_cast<int>(textureSize(*trashOnStreets).y) -
                                             kGroundRows))};
    drawFrame(*trashOnStreets, at, litter);
}

void MapRenderer::drawLandfill(const Tile& tile, sf::Vector2i at) {
    const Landfill* record = tile.landfill();
    if (record == nullptr)
        return;
    const sf::Vector2u size = textureSize(*landfill);
    // An over-full tip keeps showing the last frame the sheet has.
    const int lastFrame = std::max(0, static_cast<int>(size.x) / kSheetFrameWidth - 1);
    const int frame = std::min(landfillFillFrame(record->fill.load(), record->capacity), lastFrame);
    drawFrame(*landfill, at, landfillFrame(tile.orientation, frame, size.y));
}

void MapRenderer::drawBuilding(const Map& map, Tile& tile, sf::Vector2i at, bool highlighted) {
    if (!showBuildings) {
        if (!highlighted)
            drawPlain(*tileSemiFilled, at);
        return;
    }
    const BuildingArtSpec spec = buildingArt(tile.kind, levelOf(tile));
    if (tile.kind == TileKind::Landfill || spec.art == BuildingArt::None)
        return;
    sf::Sprite& sprite = buildingSprite(tile.kind, levelOf(tile), tile.number);
    if (spec.art == BuildingArt::Whole) {
        drawStanding(sprite, at);
        return;
    }
    const bool quiet = joinsOverlay(tile.kind, layerShows(map));
    if (quiet)
        overlayTiles.push_back(&tile);
    drawFrame(sprite, at, facingFrame(tile.orientation, textureSize(sprite), quiet));
}

void MapRenderer::drawFire(const Tile& tile, sf::Vector2i at) {
    const SpriteFrame frame{sf::IntRect(fireFrameOf(tile.number, fireFrame) * kFireFrameWidth, 0,
                                        kFireFrameWidth, kFireFrameHeight),
                            sf::Vector2f(1.f, 1.f), kFireOrigin};
    drawFrame(*fireAnimation, at + kFireOffset, frame);
}

void MapRenderer::drawRangeShade(Map& map) {
    for (int y = 0; y < map.height; ++y)
        for (int x = map.width - 1; x >= 0; --x) {
            const Tile& tile = map.tiles[static_cast<std::size_t>(y * map.width + x)];
            if (tile.hasFlag(kFlagOffScreen))
                continue;
            if (!(tile.isVisible() && tile.hasFlag(kFlagHighlighted)))
                drawPlain(*hiddenTileOverlay, tileCorner(tile.x, tile.y));
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
    BitmapFont* font = game.fontManager->getFont(kSmallFont);
    if (font == nullptr)
        return;
    // Short enough for the string's own buffer: no allocation per label.
    char text[24];
    std::snprintf(text, sizeof text, "%d/%d", count, capacity);
    const std::string label(text);
    font->setColor(game.paperColor);
    const sf::Vector2i size = font->measureString(label);
    const int top = at.y - size.y / 2;
    const int left = at.x + (kTileWidth - size.x) / 2;
    labelBox.setPosition(static_cast<float>(left - 1), static_cast<float>(top + 7));
    labelBox.setSize(sf::Vector2f(static_cast<float>(size.x + 1), static_cast<float>(size.y - 1)));
    labelBox.setFillColor(game.inkColor);
    labelBox.setOutlineColor(game.paperColor);
    labelBox.setOutlineThickness(kLabelOutline);
    target->draw(labelBox);
    font->drawString(label, sf::Vector2i(left, top + 8), *target);
}

void MapRenderer::drawAttraction(const Tile& tile, sf::Vector2i at) {
    const AttractionIcons icons = attractionIcons(tile.house()->shownAttractiveness.load());
    sf::Sprite& icon = *attractionSprites[static_cast<std::size_t>(icons.kind)];
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

    const std::array<std::pair<bool, sf::Sprite*>, 3> warnings{
        {{tile.crime > 0, crimeIcon},
         {tile.fireSafety < 0, fireHazardIcon},
         {tile.healthCare < 0, needHospitalIcon}}};
    int shown = 0;
    for (const auto& warning : warnings)
        shown += warning.first ? 1 : 0;
    x = at.x + kTileWidth / 2 - (kWarningStep / 2) * shown;
    for (const auto& [applies, icon] : warnings)
        if (applies) {
            drawPlain(*icon, sf::Vector2i(x, at.y + kWarningTop));
            x += kWarningStep;
        }
}

void MapRenderer::drawNeedsCell(int cellX, sf::Vector2i at) {
    const SpriteFrame cell{sf::IntRect(cellX, 0, kNeedsIconSize, kNeedsIconSize),
                           sf::Vector2f(1.f, 1.f), sf::Vector2f()};
    drawFrame(*needsIcons, at, cell);
}

void MapRenderer::drawPlain(sf::Sprite& sprite, sf::Vector2i at) {
    drawFrame(sprite, at,
              SpriteFrame{wholeTexture(sprite), sf::Vector2f(1.f, 1.f), sf::Vector2f()});
}

void MapRenderer::drawStanding(sf::Sprite& sprite, sf::Vector2i at) {
    const sf::IntRect whole = wholeTexture(sprite);
    drawFrame(sprite, at,
              SpriteFrame{whole, sf::Vector2f(1.f, 1.f),
                          sf::Vector2f(0.f, static_cast<float>(whole.height - kGroundRows))});
}

void MapRenderer::drawFrame(sf::Sprite& sprite, sf::Vector2i at, const SpriteFrame& frame) {
    // The sprite is shared with every other user: set all of it on every draw.
    sprite.setTextureRect(frame.rect);
    sprite.setScale(frame.scale);
    sprite.setOrigin(frame.origin);
    sprite.setPosition(static_cast<float>(at.x), static_cast<float>(at.y));
    target->draw(sprite);
}

sf::Sprite& MapRenderer::buildingSprite(TileKind kind, int level, int tileNumber) {
    const Variants& variants = buildings[artSlot(kind, level)];
    const int variant = buildingVariant(buildingArt(kind, level), tileNumber);
    return *variants[static_cast<std::size_t>(variant)];
}

LayerShows MapRenderer::layerShows(const Map& map) const {
    return LayerShows{map.layer, showHousing, showJobs, showShops};
}
