#pragma once
// Paints the isometric city into the current target with the map view set: every
// visible, on-screen tile back to front (ground markers, roads, buildings, litter,
// landfill fill, fire), then the shade outside a shown range, then the overlays of the
// information layer. Keeps the drawing state the map itself, being headless, does not:
// the fire animation, the overlay list and the HUD's show options. Main thread only;
// non-copyable.
#include "game/MapDrawRules.h"
#include "game/SpriteAtlas.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <array>
#include <string>
#include <vector>

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

    // One frame of the map, over the whole of the target's current view. Advances the
    // timers by the game's frame time and holds the simulation's mapMutex while it
    // reads tiles, so a running tick delays it. When the view is enlarged by a whole
    // factor, the map is drawn at one texel per unit and enlarged in one step, which
    // saves the software renderer most of its blending.
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

    void drawMap(sf::RenderTarget& target);
    // The off-screen picture for the view, cleared in paper; false when it cannot be
    // made (the map is then drawn straight into the target).
    bool prepareLowResolution(const sf::View& view);
    void resolveSprites();
    Id add(const std::string& name);
    // Copies the sprites as the registry has them coloured now.
    void buildAtlas();
    // Sends the quads gathered so far to the target.
    void flush();
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
    sf::RenderTarget* target = nullptr; // for the length of one draw

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
    sf::RectangleShape labelBox;
    SpriteAtlas atlas;
    sf::Color atlasPaper;
    sf::Color atlasInk;
    sf::VertexArray batch{sf::Quads};
    sf::RenderTexture lowResolution;
};
