#include "city/Tile.h"

#include "city/Map.h"

namespace {

template <class Record> Record* recordIf(const Tile& tile, bool matches) {
    return matches ? static_cast<Record*>(tile.building.get()) : nullptr;
}

} // namespace

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
    if (newKind != TileKind::House) {
        shopsInRange.clear();
        jobsInRange.clear();
        waterInRange.clear();
    }
    if (map != nullptr)
        map->recordChange(this, oldKind, newKind);
}

House* Tile::house() const {
    return recordIf<House>(*this, kind == TileKind::House);
}

Shop* Tile::shop() const {
    return recordIf<Shop>(*this, kind == TileKind::Shop);
}

WaterSupply* Tile::waterSupply() const {
    return recordIf<WaterSupply>(*this,
                                 kind == TileKind::WaterTower || kind == TileKind::PumpingStation);
}

Factory* Tile::factory() const {
    return recordIf<Factory>(*this, kind == TileKind::Factory);
}

Commercial* Tile::commercial() const {
    return recordIf<Commercial>(*this, kind == TileKind::Commercial);
}

Landfill* Tile::landfill() const {
    return recordIf<Landfill>(*this, kind == TileKind::Landfill);
}

TileSquare Tile::within(int radius) const {
    return map == nullptr ? TileSquare() : map->square(x, y, radius);
}
