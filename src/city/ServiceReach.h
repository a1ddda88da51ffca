#pragma once
// What the public services do to the tiles each day, kept while the map and the
// stations' ranges stand. A listed house starts every day at zero, so the stations can
// only take each of its values to that service's bound or leave it at zero: which
// services reach it is all a day needs. Any other tile is changed by nothing but the
// services, and once every value that a station reaches stands at its bound a day
// changes nothing there, so only the tiles still on their way are walked each day.
// This is what lets a day skip the pass over every covered tile of the map.
// Tick thread, mapMutex held.
#include "city/ServiceCoverage.h"
#include "city/TileServices.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class HouseLayout;
class NeighbourTable;
struct TileLists;

class ServiceReach {
public:
    // The half-widths of the police, hospital and fire stations' squares.
    using Ranges = std::array<int, ServiceCoverage::kServices>;

    ServiceReach();

    // Brings what it knows up to this map revision and these ranges; the layout must be
    // up to date for the lists.
    void refresh(std::uint64_t mapRevision, const Ranges& ranges, const TileLists& lists,
                 const HouseLayout& layout, const std::vector<TileServices>& values, int width,
                 int height);
    // The values the day's stations leave on the listed house at this place.
    const TileServices& houseValues(std::size_t place) const { return fromZero[coverOf[place]]; }
    // Takes the other tiles still on their way one day further and hands the crime of
    // those with a place in the value table to it.
    void moveOthers(std::vector<TileServices>& values, NeighbourTable& neighbours);

private:
    // A tile outside the list that the stations still change, with how many of each
    // service reach it (hospitals only where a house stands).
    struct Moving {
        std::uint32_t at;
        std::int32_t place;
        ServiceCoverage::Counts stations;
    };

    void addStations(const TileLists& lists, const Ranges& ranges, int width, int height);

    ServiceCoverage coverage;
    std::vector<std::uint8_t> coverOf; // by place in the house list: a bit per service
    std::vector<Moving> moving;
    // What a day leaves on a tile that starts it at zero, by the bits of the services
    // reaching it.
    std::array<TileServices, 1u << ServiceCoverage::kServices> fromZero{};
    std::uint64_t revision = std::numeric_limits<std::uint64_t>::max();
    Ranges rangesNow{};
};
