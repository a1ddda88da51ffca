#pragma once
// A house's providers of each family, nearest first. They hold at least every visible
// provider that could reach the house with the largest range of its family.
#include <vector>

class Tile;

struct ProvidersInRange {
    std::vector<Tile*> shops;
    std::vector<Tile*> jobs; // factories and offices
    std::vector<Tile*> water;
};
