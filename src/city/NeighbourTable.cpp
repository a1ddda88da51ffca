#include "city/NeighbourTable.h"

#include "city/HouseLayout.h"

NeighbourTable::NeighbourTable(const HouseLayout& houseLayout, const std::vector<Tile*>& list)
    : layout(houseLayout), values(list.size() + houseLayout.outsiders.size()) {
    for (std::size_t i = 0; i < layout.outsiders.size(); ++i)
        values[list.size() + i] = read(*layout.outsiders[i]);
}

NeighbourTable::Values NeighbourTable::read(const Tile& tile) {
    Values values{};
    values.present = NeighbourHouses::read(tile, values.neighbour);
    return values;
}

void NeighbourTable::around(std::size_t house, NeighbourHouses& found) const {
    const HouseLayout::Neighbours& places = layout.neighbours[house];
    found.count = 0;
    found.orthogonal = 0;
    for (std::size_t k = 0; k < places.count; ++k) {
        const auto place = static_cast<std::size_t>(places.places[k]);
        const Values& v = values[place];
        if (!v.present)
            continue;
        found.houses[found.count++] = v.neighbour;
        if (k < places.orthogonal)
            found.orthogonal = found.count;
    }
}
