#pragma once
// Paints the isometric city into the current target with the map view set: every
// visible, on-screen tile back to front (ground markers, roads, buildings, litter,
// landfill fill, fire), then the shade outside a shown range, then the overlays of the
// information layer. Keeps the drawing state the map itself, being headless, does not:
// the fire animation, the overlay list and the HUD's show options. Main thread only;
// non-copyable.
#include "game/AtlasFont.h"
#include "game/MapDrawRules.h"
#include "game/MapPictures.h"
#include "game/SpriteAtlas.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <array>
#include <string>
#include <vector>

class BitmapFont;
class Game;
class Map;
class Tile;

class MapRenderer {
public:
    // Looks its sprites up once: the sprite registry must be loaded. A palette change
    // re-colours those sprites in place, so they stay valid; the atlas copied from them
    // is built again on the next draw after the colours changed.
    explicit MapRenderer(Game& game);
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // One frame of the map, over the whole of the target's current view, paper
    // included. Advances the timers by the game's frame time and holds the
    // simulation's mapMutex while it reads tiles, so a running tick delays it. The
    // gathered quads reach the target through the kept pictures (MapPictures).
    void draw(sf::RenderTarget& target);
    // How long the map drawn last keeps its look: until the blink of buildable tiles
    // turns, or the next fire frame when a fire showed.
    float secondsToNextChange(const Map& map) const;

    // The blink of buildable tiles runs on the map's highlight time, so that a change
    // of selection restarts it.
    float fireFrameTime = 0.f;
    int fireFrame = 0;
    bool fireShown = false; // in the frame drawn last
    // Tiles drawn quiet this frame, in the order their overlays are drawn.
    std::vector<Tile*> overlayTiles;
    // The HUD's options: "Hide buildings" clears showBuildings; the population layer
    // shows housing, jobs and shops each only while its flag is set.
    bool showBuildings = true;
    bool showHousing = true;
    bool showJobs = true;
    bool showShops = true;

private:
    // Houses by level, shops by level, then every other kind by TileKind.
    static constexpr std::size_t kArtSlots = 6 + kTileKindCount;
    using Id = SpriteAtlas::Id;
    using Variants = std::array<Id, kMaxBuildingVariants>;

    // Gathers the frame's quads into `batch`.
    void gather();
    // Notes where the quads of `tile`'s `stage` of the drawing begin.
    void mark(const Map& map, const Tile& tile, int stage);
    void resolveSprites();
    Id add(const std::string& name);
    BitmapFont* smallFont() const;
    // Copies the sprites and the small font as they are coloured now.
    void buildAtlas();
    void advanceTimers(Map& map);
    void drawTiles(Map& map);
    void drawTile(Map& map, Tile& tile);
    bool drawGround(const Map& map, const Tile& tile, sf::Vector2i at);
    void drawRoad(const Tile& tile, sf::Vector2i at, double streetTrash);
    void drawLandfill(const Tile& tile, sf::Vector2i at);
    void drawBuilding(const Map& map, Tile& tile, sf::Vector2i at, bool highlighted);
    void drawFire(const Tile& tile, sf::Vector2i at);
    void drawRangeShade(Map& map);
    void drawOverlay(const Map& map, const Tile& tile);
    void drawNumberLabel(sf::Vector2i at, int count, int capacity);
    void drawAttraction(const Tile& tile, sf::Vector2i at);
    void drawNeedsAndWarnings(const Tile& tile, sf::Vector2i at);
    void drawNeedsCell(int cellX, sf::Vector2i at);

    // Whole image with its top-left at `at`.
    void drawPlain(Id sprite, sf::Vector2i at);
    // Whole image standing on the tile: its bottom ground rows cover the diamond.
    void drawStanding(Id sprite, sf::Vector2i at);
    void drawFrame(Id sprite, sf::Vector2i at, const SpriteFrame& frame);
    Id buildingSprite(TileKind kind, int level, int tileNumber) const;
    LayerShows layerShows(const Map& map) const;

    Game& game;

    Id tileBorder = 0;
    Id tileOutline = 0;
    Id tileHighlighted = 0;
    Id tileSemiFilled = 0;
    Id hiddenTileOverlay = 0;
    Id trashOnStreets = 0;
    Id landfill = 0;
    Id fireAnimation = 0;
    Id needsIcons = 0;
    Id crimeIcon = 0;
    Id fireHazardIcon = 0;
    Id needHospitalIcon = 0;
    std::array<Id, 3> attractionSprites{}; // by Attraction
    std::array<Id, kRoadPieces> roadPieces{};
    std::array<Variants, kArtSlots> buildings{};
    SpriteAtlas atlas;
    AtlasFont labelFont{atlas};
    sf::Color atlasPaper;
    sf::Color atlasInk;
    unsigned atlasBuilds = 0;
    SpriteAtlas::Vertices batch;
    MapPictures::Marks marks; // of batch
    MapPictures pictures{atlas};
};
