#pragma once
// What one house's daily update reads of the houses beside it, in the order of the
// tile's adjacent list (orthogonal ones first): a view of values kept elsewhere, either
// the tick's table of the day's values or a few read from the tiles themselves. Both
// give the same numbers in the same order, so the update's sums come out the same to
// the last bit.
#include <array>
#include <cstddef>
#include <cstdint>

class Tile;

struct NeighbourHouses {
    struct Neighbour {
        double crime;
        double attractiveness;
        int residents;
        bool burning;
    };
    using Read = std::array<Neighbour, 8>;

    // The k-th neighbour.
    const Neighbour& operator[](std::size_t k) const { return values[places[k]]; }

    const Neighbour* values = nullptr;
    const std::int32_t* places = nullptr;
    std::size_t count = 0;
    std::size_t orthogonal = 0; // the first this many

    // The neighbours of a tile read from the tiles into the caller's storage.
    static NeighbourHouses of(const Tile& tile, Read& storage);
    // What a neighbour reads of this tile; false when no house record stands on it.
    static bool read(const Tile& tile, Neighbour& neighbour);
};
