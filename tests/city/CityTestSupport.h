#pragma once
// Small builders shared by the city tests.
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"

#include <cstdlib>

// An all-empty, all-visible grid with fresh lists.
inline void makeBlankMap(Simulation& sim, int width, int height) {
    std::srand(7);
    sim.map->create(width, height, true);
    for (Tile& tile : sim.map->tiles) {
        tile.setKind(TileKind::Empty);
        tile.flags |= kFlagVisible;
    }
    sim.map->recalculateVisibleTiles();
}

inline Tile& build(Simulation& sim, int x, int y, TileKind kind, int level = 1) {
    Tile& tile = *sim.map->tileAt(x, y);
    tile.setKind(kind, level);
    return tile;
}
