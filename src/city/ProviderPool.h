#pragma once
// The day's places at shops, job buildings and water supplies, and the serving of houses
// from them. Serving walks every house's providers several times; it reads them from
// the map's flat provider index and keeps what houses want and providers have room for
// in small arrays of their own, so a large city's tick does not wait on memory: a
// house's whole day of serving is four bytes, which all three passes share.
// Tick thread, mapMutex held.
#include "city/Building.h"
#include "city/ProviderIndex.h"
#include "city/SharedValue.h"
#include "city/TileLists.h"

#include <array>
#include <cstdint>
#include <vector>

class Map;
class Tile;

class ProviderPool {
public:
    enum class Family { Shops, Jobs, Water };

    // Every provider of the lists starts the day empty, every house with all its needs
    // and nothing to place; brings the map's provider index up to date.
    ProviderPool(Map& map, const TileLists& lists);

    // The demand of the house at this place in the house list, for every family; at most
    // the house's capacity.
    void setDemand(std::size_t house, int demand);
    // Serves the houses of one family, nearest to a reachable provider first; a house
    // keeps its list place among houses as near.
    void serveInDistanceOrder(Family family);
    // Hands the day's counts (and the efficiency of job buildings that took workers) to
    // the records, where the screens read them.
    void publish() const;
    // What is left of a house's day: its needs and the demand not placed.
    void settle(std::size_t house, House& record) const {
        const HouseDay& day = days[house];
        record.shoppersToPlace = day.left[0];
        record.jobSeekersToPlace = day.left[1];
        record.waterUsersToPlace = day.left[2];
        // A family's need is met once none of the house's demand is left unplaced.
        int needs = 0;
        for (std::size_t f = 0; f < ProviderIndex::kFamilies; ++f)
            needs |= day.left[f] != 0 ? kFamilyNeed[f] : 0;
        record.needs = needs;
    }

private:
    // The need each family meets, in family order.
    static constexpr std::array<int, ProviderIndex::kFamilies> kFamilyNeed{kNeedShops, kNeedJobs,
                                                                           kNeedWater};

    // Where a provider's day is handed over.
    struct Slot {
        int capacity;
        SharedValue<int>* counter;
        SharedValue<double>* efficiency; // job buildings only
    };

    void add(const Tile& tile);
    // One family's pass over a run of `Word`s (see ProviderIndex::Pass).
    template <class Word>
    void serve(std::size_t family, const std::uint32_t* order, const Word* run, std::size_t houses);

    const Tile* firstTile;
    std::vector<ProviderIndex::Provider> providers;
    std::size_t tileCount;
    std::vector<Slot> slots; // beside providers
    // A house's demand and, for each family, what serving left of it unplaced. No
    // house holds more than a byte's worth of people (saves with more are refused), and
    // the demand is at most the capacity.
    struct HouseDay {
        std::array<std::uint8_t, ProviderIndex::kFamilies> left;
        std::uint8_t demand;
    };
    static_assert(largestHouseCapacity() <= UINT8_MAX);

    // What serving reads, in small separate arrays: the room left at each provider
    // (beside providers) and each house's day by its place in the house list. A house
    // without a record places nothing.
    std::vector<int> room;
    std::vector<HouseDay> days;
    const ProviderIndex* index = nullptr;
};
