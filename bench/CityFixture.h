#pragma once
// A fully built, fully revealed city of any size for benchmarks: a road on every third
// row and buildings on both sides of it, laid out by a fixed pattern so that every run
// measures the same city. A 75 x 75 grid gets about 1900 houses and 200 shops.
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"

#include <cstdlib>

struct CityFixtureStats {
    int houses = 0;
    int shops = 0;
    int jobBuildings = 0;
    int waterBuildings = 0;
};

inline void placeFixtureBuilding(Tile& tile, int k) {
    if (k % 19 == 0)
        tile.setKind(TileKind::Shop, 1 + (k / 19) % 3);
    else if (k % 53 == 5)
        tile.setKind(TileKind::Factory);
    else if (k % 101 == 7)
        tile.setKind(TileKind::Commercial);
    else if (k % 41 == 9)
        tile.setKind(k % 2 == 0 ? TileKind::WaterTower : TileKind::PumpingStation);
    else if (k % 31 == 2)
        tile.setKind(TileKind::Park);
    else if (k % 211 == 4)
        tile.setKind(k % 3 == 0 ? TileKind::FireStation
                                : (k % 3 == 1 ? TileKind::PoliceStation : TileKind::Hospital));
    else if (k % 15 < 9)
        tile.setKind(TileKind::House, k % 5 < 3 ? 1 : k % 5 - 1);
}

// Starts a new game, then replaces its map with the full city and rebuilds every list.
inline CityFixtureStats buildFullCity(Simulation& sim, int side) {
    sim.randomNumbers.seed(1);
    sim.startNewGame();
    sim.unlocked = 511;
    Map& map = *sim.map;
    map.create(side, side, true);
    int k = 0;
    for (Tile& tile : map.tiles) {
        tile.flags = kFlagVisible;
        if (tile.y % 3 == 1)
            tile.setKind(TileKind::Road);
        else
            placeFixtureBuilding(tile, k++);
        if (tile.kind == TileKind::Tree)
            tile.setKind(TileKind::Empty);
    }
    sim.rebuildActionLists();
    map.markEverythingChanged();
    map.recalculateVisibleTiles();
    sim.countHousesPerLevel();
    sim.updateHousingDemand();
    return CityFixtureStats{
        static_cast<int>(map.lists.houses.size()), static_cast<int>(map.lists.shops.size()),
        static_cast<int>(map.lists.jobBuildings.size()), static_cast<int>(map.lists.water.size())};
}

// The fixture's city plus what it lacks for a realistic day: residents, trees beside the
// houses and a landfill per 400 tiles.
inline int furnishFullCity(Simulation& sim) {
    int k = 0;
    int buildings = 0;
    for (Tile& tile : sim.map->tiles) {
        ++k;
        if (House* house = tile.house())
            house->residents = house->capacity * (1 + k % 3) / 3;
        else if (tile.kind == TileKind::Empty && k % 400 == 0)
            tile.setKind(TileKind::Landfill);
        else if (tile.kind == TileKind::Empty && k % 3 == 0)
            tile.setKind(TileKind::Tree);
        buildings += tile.building != nullptr ? 1 : 0;
    }
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    sim.rebuildActionLists();
    return buildings;
}

// An empty tile of the fixture city (beside a road), for building on.
inline Tile* firstEmptyTile(Map& map) {
    for (Tile& tile : map.tiles)
        if (tile.kind == TileKind::Empty)
            return &tile;
    return nullptr;
}
