#pragma once
// The day's values of the houses that a house update reads as neighbours, by place (the
// house list, then the layout's outsiders), in one small contiguous table. The tick
// takes every house in while it walks the list before serving, the crime the public
// services leave, and each house again as it is updated, so a house reads its
// neighbours exactly as it would read their tiles at that moment, but without a trip to
// the tiles and records of the row ahead of it.
// Tick thread, mapMutex held.
#include "city/NeighbourHouses.h"

#include <vector>

class HouseLayout;
class Tile;

class NeighbourTable {
public:
    // Starts a day's table by taking in the layout's outsiders; the layout must be up to
    // date for the houses and stand for the day. The storage is kept from day to day
    // rather than allocated and cleared afresh: every entry anyone reads is taken in
    // again during the day.
    void startDay(const HouseLayout& houseLayout, const std::vector<Tile*>& houses);

    // Takes in the house at this place of the list as it is now. A tile without a house
    // record is nobody's neighbour in the layout, so nothing reads its entry.
    void take(std::size_t house, const Tile& tile) { NeighbourHouses::read(tile, values[house]); }
    void takeCrime(std::size_t place, double crime) { values[place].crime = crime; }
    // The neighbours of the house at this place, every house before it updated and
    // taken in again; valid while the table is.
    NeighbourHouses around(std::size_t house) const;

private:
    const HouseLayout* layout = nullptr;
    std::vector<NeighbourHouses::Neighbour> values;
};
