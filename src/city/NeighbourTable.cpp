#include "city/NeighbourTable.h"

#include "city/HouseLayout.h"

void NeighbourTable::startDay(const HouseLayout& houseLayout, const std::vector<Tile*>& list) {
    layout = &houseLayout;
    values.resize(list.size() + houseLayout.outsiders.size());
    for (std::size_t i = 0; i < houseLayout.outsiders.size(); ++i)
        take(list.size() + i, *houseLayout.outsiders[i]);
}

NeighbourHouses NeighbourTable::around(std::size_t house) const {
    const HouseLayout::Neighbours& places = layout->neighbours[house];
    NeighbourHouses found;
    found.values = values.data();
    found.places = places.places.data();
    found.count = places.count;
    found.orthogonal = places.orthogonal;
    return found;
}
