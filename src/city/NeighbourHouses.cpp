#include "city/NeighbourHouses.h"

#include "city/Map.h"

NeighbourHouses NeighbourHouses::of(const Tile& tile) {
    NeighbourHouses found;
    const std::size_t sides = tile.orthogonal().size();
    std::size_t seen = 0;
    for (const Tile* other : tile.adjacent()) {
        ++seen;
        const House* house = other->house();
        if (house == nullptr)
            continue;
        found.houses[found.count++] = {other->services().crime, house->attractiveness,
                                       house->residents, other->hasFlag(kFlagBurning)};
        if (seen <= sides)
            found.orthogonal = found.count;
    }
    return found;
}
