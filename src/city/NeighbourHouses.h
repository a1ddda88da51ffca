#pragma once
// What one house's daily update reads of the houses beside it, in the order of the
// tile's adjacent list (orthogonal ones first). Read either from the tiles themselves or
// from the tick's table of the day's values; both give the same numbers in the same
// order, so the update's sums come out the same to the last bit.
#include <array>
#include <cstddef>

class Tile;

struct NeighbourHouses {
    struct Neighbour {
        double crime;
        double attractiveness;
        int residents;
        bool burning;
    };

    std::array<Neighbour, 8> houses{};
    std::size_t count = 0;
    std::size_t orthogonal = 0; // the first this many

    static NeighbourHouses of(const Tile& tile);
    // What a neighbour reads of this tile; false when no house record stands on it.
    static bool read(const Tile& tile, Neighbour& neighbour);
};
