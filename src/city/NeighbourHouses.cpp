#include "city/NeighbourHouses.h"

#include "city/Map.h"

namespace {

constexpr std::array<std::int32_t, 8> kInOrder{0, 1, 2, 3, 4, 5, 6, 7};

} // namespace

NeighbourHouses NeighbourHouses::of(const Tile& tile, Read& storage) {
    NeighbourHouses found;
    found.values = storage.data();
    found.places = kInOrder.data();
    const std::size_t sides = tile.orthogonal().size();
    std::size_t seen = 0;
    for (const Tile* other : tile.adjacent()) {
        ++seen;
        if (!read(*other, storage[found.count]))
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
