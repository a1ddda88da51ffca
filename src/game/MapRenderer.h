#pragma once
// Paints the isometric city into the current target with the map view set: every
// visible, on-screen tile back to front (ground markers, roads, buildings, litter,
// landfill fill, fire), then the shade outside a shown range, then the overlays of the
// information layer. Keeps the drawing state the map itself, being headless, does not:
// the fire animation, the overlay list and the HUD's show options. Main thread only;
// non-copyable.
#include "game/MapDrawRules.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <vector>

class Game;
class Map;
class Tile;

class MapRenderer {
public:
    // Looks its sprites up once: the sprite registry must be loaded. A palette change
    // re-colours those sprites in place, so they stay valid.
    explicit MapRenderer(Game& game);
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // One frame of the map. Advances the timers by the game's frame time and holds
    // the simulation's mapMutex while it reads tiles, so a running tick delays it.
    void draw(sf::RenderTarget& target);

    // The blink of buildable tiles runs on the map's highlight time, so that a change
    // of selection restarts it.
    float fireFrameTime = 0.f;
    int fireFrame = 0;
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
    using Variants = std::array<sf::Sprite*, kMaxBuildingVariants>;

    void resolveSprites();
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
    void drawPlain(sf::Sprite& sprite, sf::Vector2i at);
    // Whole image standing on the tile: its bottom ground rows cover the diamond.
    void drawStanding(sf::Sprite& sprite, sf::Vector2i at);
    void drawFrame(sf::Sprite& sprite, sf::Vector2i at, const SpriteFrame& frame);
    sf::Sprite& buildingSprite(TileKind kind, int level, int tileNumber);
    LayerShows layerShows(const Map& map) const;

    Game& game;
    sf::RenderTarget* target = nullptr; // for the length of one draw

    sf::Sprite* tileBorder = nullptr;
    sf::Sprite* tileOutline = nullptr;
    sf::Sprite* tileHighlighted = nullptr;
    sf::Sprite* tileSemiFilled = nullptr;
    sf::Sprite* hiddenTileOverlay = nullptr;
    sf::Sprite* trashOnStreets = nullptr;
    sf::Sprite* landfill = nullptr;
    sf::Sprite* fireAnimation = nullptr;
    sf::Sprite* needsIcons = nullptr;
    sf::Sprite* crimeIcon = nullptr;
    sf::Sprite* fireHazardIcon = nullptr;
    sf::Sprite* needHospitalIcon = nullptr;
    std::array<sf::Sprite*, 3> attractionSprites{}; // by Attraction
    std::array<sf::Sprite*, kRoadPieces> roadPieces{};
    std::array<Variants, kArtSlots> buildings{};
    sf::RectangleShape labelBox;
};
