#include "city/HouseSurroundings.h"

#include "city/Tile.h"

#include <algorithm>

namespace {

int countKind(const NeighbourList& tiles, TileKind kind) {
    return static_cast<int>(std::count_if(tiles.begin(), tiles.end(),
                                          [kind](const Tile* t) { return t->kind == kind; }));
}

} // namespace

HouseSurroundings HouseSurroundings::of(const Tile& house) {
    HouseSurroundings found;
    for (const Tile* tile : house.within3()) {
        if (tile->kind == TileKind::Factory) {
            const int dx = tile->x - house.x;
            const int dy = tile->y - house.y;
            found.nearestFactorySquared = std::min(found.nearestFactorySquared, dx * dx + dy * dy);
        } else if (tile->kind == TileKind::Park) {
            ++found.parks;
        } else if (tile->kind == TileKind::Landfill) {
            ++found.landfills;
        }
    }
    found.roads = countKind(house.orthogonal(), TileKind::Road);
    found.trees = countKind(house.adjacent(), TileKind::Tree);
    return found;
}
