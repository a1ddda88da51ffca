#pragma once
// One square of the map. Tiles live in the Map's grid for the whole game; a rotation
// moves their content (kind, building, flags, number), never the tiles themselves, so
// pointers to tiles stay valid until the next Map::create.
#include "city/Building.h"
#include "city/CityTypes.h"
#include "city/NeighbourList.h"
#include "city/TileServices.h"
#include "city/TileSquare.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Map;

// The eight neighbours of a tile.
enum class Direction : std::int32_t {
    North = 0, // (x, y - 1)
    South,     // (x, y + 1)
    West,      // (x - 1, y)
    East,      // (x + 1, y)
    NorthWest,
    SouthWest,
    NorthEast,
    SouthEast,
};

class Tile {
public:
    Tile() = default;
    Tile(const Tile&) = delete;
    Tile& operator=(const Tile&) = delete;
    Tile(Tile&&) = default;
    Tile& operator=(Tile&&) = default;

    // Replaces the kind: kinds with a record get a fresh one (a house upgrade keeps its
    // residents, a shop upgrade its visitors), the others lose theirs. Records the
    // change with the map so that the next list rebuild knows what to refresh.
    void setKind(TileKind newKind, int level = 1);

    // Null past the map's edge.
    Tile* neighbour(Direction d) const;
    bool hasFlag(std::uint8_t flag) const { return (flags & flag) != 0; }
    bool isVisible() const { return hasFlag(kFlagVisible); }

    // The record, when this tile's kind carries that type of record. Inline: the tick
    // asks for them in every inner loop.
    House* house() const { return recordIf<House>(kind == TileKind::House); }
    Shop* shop() const { return recordIf<Shop>(kind == TileKind::Shop); }
    WaterSupply* waterSupply() const {
        return recordIf<WaterSupply>(kind == TileKind::WaterTower ||
                                     kind == TileKind::PumpingStation);
    }
    Factory* factory() const { return recordIf<Factory>(kind == TileKind::Factory); }
    Commercial* commercial() const { return recordIf<Commercial>(kind == TileKind::Commercial); }
    Landfill* landfill() const { return recordIf<Landfill>(kind == TileKind::Landfill); }

    // Square neighbourhoods, centre included, in array order.
    TileSquare within3() const { return within(3); }
    TileSquare within12() const { return within(12); }
    TileSquare within15() const { return within(15); }
    TileSquare within(int radius) const;

    // Neighbour lists, worked out from the coordinates on each call so that the tile
    // stays small: the tick walks the grid many times a day.
    NeighbourList orthogonal() const; // north, west, south, east
    NeighbourList diagonal() const;   // south-east, south-west, north-west, north-east
    NeighbourList adjacent() const;   // orthogonal, then diagonal

    // What the public services leave here, and the actions offered here in menu order;
    // kept by the map, defined in Map.h.
    TileServices& services();
    const TileServices& services() const;
    std::vector<ActionKind>& actions();
    const std::vector<ActionKind>& actions() const;

    // Small fields first: the tick streams every house tile twice a day, and a tile of
    // half a cache line halves what that costs on a large map.
    TileKind kind = TileKind::Empty;
    std::uint8_t flags = kFlagOffScreen;
    std::uint8_t orientation = 0; // 0 unset; 1..4 the side facing the road
    int x = 0;
    int y = 0;
    int number = 0;
    std::unique_ptr<Building> building;
    Map* map = nullptr;

private:
    template <std::size_t N> NeighbourList neighboursIn(const std::array<Direction, N>& ways) const;

    template <class Record> Record* recordIf(bool matches) const {
        return matches ? static_cast<Record*>(building.get()) : nullptr;
    }
};
