#pragma once
// The day's places at shops, job buildings and water supplies, and the serving of houses
// from them. Serving walks every house's providers several times; it reads them from
// the map's flat provider index and keeps what houses want and providers have room for
// in small arrays of their own, so a large city's tick does not wait on memory.
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

    // The demand of the house at this place in the house list, for every family.
    void setDemand(std::size_t house, int demand);
    // Serves the houses of one family, nearest to a reachable provider first; a house
    // keeps its list place among houses as near.
    void serveInDistanceOrder(Family family);
    // Hands the day's counts (and the efficiency of job buildings that took workers) to
    // the records, where the screens read them.
    void publish() const;
    // What is left of a house's day: its needs and the demand not placed.
    void settle(std::size_t house, House& record) const {
        record.shoppersToPlace = left[0][house];
        record.jobSeekersToPlace = left[1][house];
        record.waterUsersToPlace = left[2][house];
        // A family's need is met once none of the house's demand is left unplaced.
        int needs = 0;
        for (std::size_t f = 0; f < ProviderIndex::kFamilies; ++f)
            needs |= left[f][house] != 0 ? kFamilyNeed[f] : 0;
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

    const Tile* firstTile;
    std::vector<ProviderIndex::Provider> providers;
    std::size_t tileCount;
    std::vector<Slot> slots; // beside providers
    // What serving reads, in small separate arrays: the room left at each provider
    // (beside providers) and, by place in the house list, each family's demand not yet
    // placed. A house without a record places nothing.
    std::vector<int> room;
    std::array<std::vector<int>, ProviderIndex::kFamilies> left;
    const ProviderIndex* index = nullptr;
};
