#include "city/NeighbourHouses.h"

#include "city/Map.h"

NeighbourHouses NeighbourHouses::of(const Tile& tile) {
    NeighbourHouses found;
    const std::size_t sides = tile.orthogonal().size();
    std::size_t seen = 0;
    for (const Tile* other : tile.adjacent()) {
        ++seen;
        if (!read(*other, found.houses[found.count]))
            continue;
        ++found.count;
        if (seen <= sides)
            found.orthogonal = found.count;
    }
    return found;
}

bool NeighbourHouses::read(const Tile& tile, Neighbour& neighbour) {
    const House* house = tile.house();
    if (house == nullptr)
        return false;
    neighbour = {tile.services().crime, house->attractiveness, house->residents,
                 tile.hasFlag(kFlagBurning)};
    return true;
}
