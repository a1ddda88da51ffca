#include "city/ServiceReach.h"

#include "city/HouseLayout.h"
#include "city/NeighbourTable.h"
#include "city/TickTuning.h"
#include "city/Tile.h"
#include "city/TileLists.h"

#include <algorithm>
#include <cstring>

namespace {

using Counts = ServiceCoverage::Counts;

// One station's step, taken as many times as stations reach the tile, so the value
// comes out as it would station by station; once it stands at its bound a step changes
// nothing.
template <class Step> void repeatStep(double& value, int times, double bound, Step step) {
    for (int k = 0; k < times && value != bound; ++k)
        value = step(value);
}

// What the stations reaching a tile do to it in a day.
void serve(TileServices& values, const Counts& stations) {
    repeatStep(values.crime, stations[ServiceCoverage::Police], -kPoliceCrimeDrop,
               [](double c) { return std::max(c - kPoliceCrimeDrop, -kPoliceCrimeDrop); });
    repeatStep(values.healthCare, stations[ServiceCoverage::Hospital], kHospitalCare,
               [](double care) { return std::min(care + kHospitalCare, kHospitalCare); });
    repeatStep(
        values.fireSafety, stations[ServiceCoverage::Fire], kFireStationSafety,
        [](double safety) { return std::min(safety + kFireStationSafety, kFireStationSafety); });
}

// Bit for bit: a tile that a day left exactly as it was is at rest for good, since every
// later day does the same to the same values.
bool unchanged(const TileServices& before, const TileServices& after) {
    static_assert(sizeof(TileServices) == 3 * sizeof(double), "no padding to compare");
    return std::memcmp(&before, &after, sizeof before) == 0;
}

std::uint8_t bitsOf(const Counts& stations) {
    std::uint8_t bits = 0;
    for (std::size_t s = 0; s < stations.size(); ++s)
        bits |= stations[s] > 0 ? static_cast<std::uint8_t>(1u << s) : 0;
    return bits;
}

} // namespace

ServiceReach::ServiceReach() {
    // From zero one station takes a value to its bound, and more do no more.
    for (std::size_t bits = 0; bits < fromZero.size(); ++bits) {
        Counts stations{};
        for (std::size_t s = 0; s < stations.size(); ++s)
            stations[s] = static_cast<int>((bits >> s) & 1u);
        serve(fromZero[bits], stations);
    }
}

void ServiceReach::refresh(std::uint64_t mapRevision, const Ranges& ranges, const TileLists& lists,
                           const HouseLayout& layout, const std::vector<TileServices>& values,
                           int width, int height) {
    if (mapRevision == revision && ranges == rangesNow && coverOf.size() == lists.houses.size())
        return;
    revision = mapRevision;
    rangesNow = ranges;
    addStations(lists, ranges, width, height);
    const std::size_t listed = lists.houses.size();
    coverOf.assign(listed, 0);
    moving.clear();
    coverage.walk([&](std::size_t first, std::size_t end, const Counts& counts) {
        for (std::size_t at = first; at < end; ++at) {
            Counts stations = counts;
            if (layout.houseAt[at] == 0)
                stations[ServiceCoverage::Hospital] = 0;
            const std::int32_t place = layout.placeOf[at];
            if (place >= 0 && static_cast<std::size_t>(place) < listed) {
                coverOf[static_cast<std::size_t>(place)] = bitsOf(stations);
                continue;
            }
            TileServices next = values[at];
            serve(next, stations);
            if (!unchanged(values[at], next))
                moving.push_back({static_cast<std::uint32_t>(at), place, stations});
        }
    });
}

void ServiceReach::addStations(const TileLists& lists, const Ranges& ranges, int width,
                               int height) {
    coverage.prepare(width, height);
    const std::array<const std::vector<Tile*>*, ServiceCoverage::kServices> stations{
        &lists.policeStations, &lists.hospitals, &lists.fireStations};
    for (std::size_t s = 0; s < stations.size(); ++s)
        for (const Tile* station : *stations[s])
            coverage.add(static_cast<ServiceCoverage::Service>(s), station->x, station->y,
                         ranges[s]);
}

void ServiceReach::moveOthers(std::vector<TileServices>& values, NeighbourTable& neighbours) {
    std::size_t kept = 0;
    for (const Moving& tile : moving) {
        TileServices& value = values[tile.at];
        const TileServices before = value;
        serve(value, tile.stations);
        if (tile.place >= 0 && tile.stations[ServiceCoverage::Police] > 0)
            neighbours.takeCrime(static_cast<std::size_t>(tile.place), value.crime);
        // A tile the day left as it was stays so: it leaves the walk.
        if (!unchanged(before, value))
            moving[kept++] = tile;
    }
    moving.resize(kept);
}
