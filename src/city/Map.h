#pragma once
// The tile grid: builds the first map of a game, reveals tiles, keeps the per-kind
// lists and the houses' provider lists, culls to the view and turns the city by
// quarter turns. Runs on the interface thread unless a method says otherwise; the
// tick reads it under Simulation::mapMutex. Non-copyable.
#include "city/HouseLayout.h"
#include "city/NeighbourTable.h"
#include "city/ProviderIndex.h"
#include "city/ProvidersInRange.h"
#include "city/ServiceReach.h"
#include "city/Tile.h"
#include "city/TileLists.h"
#include "city/TileSquare.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class Simulation;

// The last-changed kind that asks for every list to be rebuilt.
constexpr int kEverythingChanged = 256;

class Map {
public:
    explicit Map(Simulation& simulation);
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    // Builds a fresh grid; a size outside 1..kMaxMapSide gives the default 75 x 75.
    // Unless loading, lays out the first map of a new game (draws random numbers).
    void create(int requestedWidth, int requestedHeight, bool loading);

    Tile* tileAt(int x, int y);
    const Tile* tileAt(int x, int y) const;
    TileSquare square(int cx, int cy, int radius);

    // Makes visible every tile whose whole distance to (x, y) is at most radius.
    void reveal(int x, int y, int radius, bool refresh);
    // Rebuilds the per-kind lists and, for the family that last changed, the houses'
    // provider lists.
    void recalculateVisibleTiles();
    // Marks the visible tiles outside the view rectangle (map-view units) off-screen and
    // remembers the rectangle for later culls.
    void cullToView(float left, float top, float viewWidth, float viewHeight);
    void cullToView();

    void rotateLeft();
    void rotateRight();

    void setLayer(int newLayer);
    void setSelectedTile(const Tile* tile);
    void highlightRange(const Tile& centre, int radius);
    void clearHighlight();

    // Safe from any thread.
    std::vector<Tile*> visibleTiles() const;
    double trashOnStreets() const;
    double housingDemandOf(int level) const;

    // Called by Tile::setKind.
    void recordChange(Tile* tile, TileKind oldKind, TileKind newKind);
    // Makes the next recalculateVisibleTiles rebuild every provider list.
    void markEverythingChanged();

    // The provider lists kept for a house tile of this grid; empty for other tiles.
    const ProvidersInRange& providersOf(const Tile& house) const {
        return inRange[static_cast<std::size_t>(&house - tiles.data())];
    }
    // Bytes the houses' provider lists hold.
    std::size_t providerListBytes() const;

    Simulation& simulation;
    int width = 0;
    int height = 0;
    std::vector<Tile> tiles;                          // row-major
    std::vector<TileServices> tileServices;           // beside tiles
    std::vector<std::vector<ActionKind>> tileActions; // likewise
    int selectedTileNumber = -1;
    float highlightTime = 0.f;
    int layer = 0; // 0 build, 1 population, 2 attractiveness, 3 needs
    Tile* lastChangedTile = nullptr;
    int lastChangedKind = kEverythingChanged;
    bool rangeHighlightActive = false;
    int rangeHighlightX = 0;
    int rangeHighlightY = 0;
    int rangeHighlightRadius = 0;
    int rotation = 0;
    TileLists lists;
    // Moves on whenever a kind, a list or a provider list may have changed.
    std::uint64_t revision = 0;
    // The tick's forms of the houses' provider lists, surroundings, services and the
    // values their neighbours read, by place in the house list; the tick alone uses them.
    ProviderIndex providerIndex;
    HouseLayout houseLayout;
    ServiceReach serviceReach;
    NeighbourTable neighbourTable;

private:
    struct ViewRect {
        float left;
        float top;
        float width;
        float height;
    };

    void initialiseTiles();
    void layOutFirstMap();
    void turn(bool right);
    void rebuildProviderLists(int changedKind);
    void rebuildProviderList(Tile& house, int family, const std::vector<Tile*>& providers,
                             int reach);

    mutable std::mutex visibleMutex;       // guards lists.visible
    std::vector<ProvidersInRange> inRange; // by grid index, kept apart to keep tiles small
    // Largest provider range of each family at its last rebuild.
    std::array<int, 3> familyReach{-1, -1, -1};
    bool changePending = false;
    bool hasView = false;
    ViewRect view{0.f, 0.f, 0.f, 0.f};
};

inline TileServices& Tile::services() {
    return map->tileServices[static_cast<std::size_t>(this - map->tiles.data())];
}

inline const TileServices& Tile::services() const {
    return map->tileServices[static_cast<std::size_t>(this - map->tiles.data())];
}

inline std::vector<ActionKind>& Tile::actions() {
    return map->tileActions[static_cast<std::size_t>(this - map->tiles.data())];
}

inline const std::vector<ActionKind>& Tile::actions() const {
    return map->tileActions[static_cast<std::size_t>(this - map->tiles.data())];
}
