#pragma once
// The kinds of tile around a house that change how much people want to live there. They
// change only with the map, so the tick keeps them per house until the map's revision
// moves on instead of looking at 49 tiles for every house every day.
#include <cstdint>
#include <limits>
#include <vector>

class Tile;

struct HouseSurroundings {
    int nearestFactorySquared = std::numeric_limits<int>::max(); // within 3
    int parks = 0;                                               // within 3
    int landfills = 0;                                           // within 3
    int roads = 0;                                               // orthogonal
    int trees = 0;                                               // adjacent

    static HouseSurroundings of(const Tile& house);
    // Brings the surroundings of the houses (by place in the list) up to mapRevision.
    static void refresh(std::vector<HouseSurroundings>& byHouse, std::uint64_t& builtRevision,
                        std::uint64_t mapRevision, const std::vector<Tile*>& houses);
};
