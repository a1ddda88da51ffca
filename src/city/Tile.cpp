#include "city/Tile.h"

#include "city/Map.h"

// The tick streams every house tile twice a day: keep a tile within half a cache line.
static_assert(sizeof(Tile) <= 32);

void Tile::setKind(TileKind newKind, int level) {
    const TileKind oldKind = kind;
    std::unique_ptr<Building> old = std::move(building);
    building = makeBuilding(newKind, level);
    if (building != nullptr) {
        building->tile = this;
        if (oldKind == newKind && newKind == TileKind::House && old != nullptr)
            house()->residents = static_cast<House&>(*old).residents.load();
        if (oldKind == newKind && newKind == TileKind::Shop && old != nullptr)
            shop()->visitors = static_cast<Shop&>(*old).visitors.load();
    }
    kind = newKind;
    if (map != nullptr)
        map->recordChange(this, oldKind, newKind);
}

TileSquare Tile::within(int radius) const {
    return map == nullptr ? TileSquare() : map->square(x, y, radius);
}

Tile* Tile::neighbour(Direction d) const {
    // Steps in Direction order.
    static constexpr int kDx[] = {0, 0, -1, 1, -1, -1, 1, 1};
    static constexpr int kDy[] = {-1, 1, 0, 0, -1, 1, -1, 1};
    const auto i = static_cast<std::size_t>(d);
    return map == nullptr ? nullptr : map->tileAt(x + kDx[i], y + kDy[i]);
}

template <std::size_t N>
NeighbourList Tile::neighboursIn(const std::array<Direction, N>& ways) const {
    NeighbourList list;
    if (map == nullptr)
        return list;
    list.reset(map->tileAt(x, y));
    for (const Direction d : ways)
        list.add(neighbour(d));
    return list;
}

NeighbourList Tile::orthogonal() const {
    return neighboursIn(
        std::array{Direction::North, Direction::West, Direction::South, Direction::East});
}

NeighbourList Tile::diagonal() const {
    return neighboursIn(std::array{Direction::SouthEast, Direction::SouthWest, Direction::NorthWest,
                                   Direction::NorthEast});
}

NeighbourList Tile::adjacent() const {
    return neighboursIn(std::array{Direction::North, Direction::West, Direction::South,
                                   Direction::East, Direction::SouthEast, Direction::SouthWest,
                                   Direction::NorthWest, Direction::NorthEast});
}
