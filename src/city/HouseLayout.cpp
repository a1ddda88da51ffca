#include "city/HouseLayout.h"

#include "city/Tile.h"

void HouseLayout::refresh(std::uint64_t mapRevision, const std::vector<Tile*>& houses,
                          const std::vector<Tile>& grid) {
    if (revision == mapRevision && surroundings.size() == houses.size())
        return;
    surroundings.clear();
    neighbours.clear();
    outsiders.clear();
    surroundings.reserve(houses.size());
    neighbours.reserve(houses.size());
    placeOf.assign(grid.size(), -1);
    houseAt.resize(grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        houseAt[i] = grid[i].kind == TileKind::House ? 1 : 0;
    for (std::size_t i = 0; i < houses.size(); ++i)
        placeOf[static_cast<std::size_t>(houses[i] - grid.data())] = static_cast<std::int32_t>(i);
    for (const Tile* house : houses) {
        surroundings.push_back(HouseSurroundings::of(*house));
        neighbours.push_back(neighboursOf(*house, grid.data(), houses.size()));
    }
    revision = mapRevision;
}

HouseLayout::Neighbours HouseLayout::neighboursOf(const Tile& house, const Tile* firstTile,
                                                  std::size_t listed) {
    Neighbours found{};
    const std::size_t sides = house.orthogonal().size();
    std::size_t seen = 0;
    for (const Tile* other : house.adjacent()) {
        ++seen;
        if (other->house() == nullptr)
            continue;
        std::int32_t& place = placeOf[static_cast<std::size_t>(other - firstTile)];
        if (place < 0) {
            place = static_cast<std::int32_t>(listed + outsiders.size());
            outsiders.push_back(other);
        }
        found.places[found.count++] = place;
        if (seen <= sides)
            found.orthogonal = found.count;
    }
    return found;
}
