#pragma once
// What the tick needs of the map around each house, by place in the house list: the
// surroundings that change how much people want to live there, and where the houses
// beside it stand in the day's value table; and, by grid index, where houses stand.
// All of it changes only with the map, so it is kept until the map's revision moves on
// instead of being looked up on the tiles every day. Tick thread, mapMutex held.
#include "city/HouseSurroundings.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class Tile;

class HouseLayout {
public:
    // The houses beside one house (tiles with a house record) as places in the value
    // table, in the order of its adjacent list; the first `orthogonal` of them are
    // orthogonal. A record comes and goes only with a change of the map.
    struct Neighbours {
        std::array<std::int32_t, 8> places;
        std::uint8_t count;
        std::uint8_t orthogonal;
    };

    // Brings the layout up to mapRevision for these houses of the grid.
    void refresh(std::uint64_t mapRevision, const std::vector<Tile*>& houses,
                 const std::vector<Tile>& grid);

    std::vector<HouseSurroundings> surroundings; // by place in the house list
    std::vector<Neighbours> neighbours;          // likewise
    // House tiles outside the list that border listed ones; their places in the value
    // table follow the list's.
    std::vector<const Tile*> outsiders;
    // By grid index: the place in the value table, -1 for tiles that have none.
    std::vector<std::int32_t> placeOf;
    // By grid index: 1 where a house stands, listed or not.
    std::vector<std::uint8_t> houseAt;

private:
    Neighbours neighboursOf(const Tile& house, const Tile* firstTile, std::size_t listed);

    std::uint64_t revision = std::numeric_limits<std::uint64_t>::max();
};
