#pragma once
// The kinds of tile around a house that change how much people want to live there.
#include <limits>

class Tile;

struct HouseSurroundings {
    int nearestFactorySquared = std::numeric_limits<int>::max(); // within 3
    int parks = 0;                                               // within 3
    int landfills = 0;                                           // within 3
    int roads = 0;                                               // orthogonal
    int trees = 0;                                               // adjacent

    static HouseSurroundings of(const Tile& house);
};
