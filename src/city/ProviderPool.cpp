#include "city/ProviderPool.h"

#include "city/Map.h"
#include "city/TickTuning.h"

#include <algorithm>

namespace {

// The need each family meets, in family order.
constexpr std::array<int, ProviderIndex::kFamilies> kFamilyNeed{kNeedShops, kNeedJobs, kNeedWater};

} // namespace

ProviderPool::ProviderPool(Map& map, const TileLists& lists)
    : firstTile(map.tiles.data()), tileCount(map.tiles.size()),
      demands(lists.houses.size(), Demand{{0, 0, 0}, kAllNeeds, false}) {
    for (const std::vector<Tile*>* family : {&lists.shops, &lists.jobBuildings, &lists.water})
        for (const Tile* tile : *family)
            add(*tile);
    ProviderIndex& built = map.providerIndex;
    if (!built.holds(map.revision, providers, lists.houses.size()))
        built.rebuild(map.revision, providers, lists.houses, map);
    index = &built;
}

void ProviderPool::add(const Tile& tile) {
    Slot slot{0, 0, false, nullptr, nullptr};
    int range = -1;
    if (Shop* shop = tile.shop()) {
        range = shop->range;
        slot.capacity = shop->capacity;
        slot.counter = &shop->visitors;
    } else if (Factory* factory = tile.factory()) {
        range = factory->range;
        slot.capacity = factory->capacity;
        slot.counter = &factory->workers;
        slot.efficiency = &factory->efficiency;
    } else if (Commercial* office = tile.commercial()) {
        range = office->range;
        slot.capacity = office->capacity;
        slot.counter = &office->workers;
        slot.efficiency = &office->efficiency;
    } else if (WaterSupply* water = tile.waterSupply()) {
        range = water->range;
        slot.capacity = water->capacity;
        slot.counter = &water->users;
    } else {
        return;
    }
    const auto index = static_cast<std::size_t>(&tile - firstTile);
    if (index >= tileCount)
        return;
    providers.push_back({static_cast<std::int32_t>(index), tile.x, tile.y, range, slot.capacity});
    slots.push_back(slot);
}

void ProviderPool::setDemand(std::size_t house, int demand) {
    Demand& d = demands[house];
    d.left = {demand, demand, demand};
    d.needs = kAllNeeds;
    d.served = true;
}

void ProviderPool::serveInDistanceOrder(Family family) {
    const auto f = static_cast<std::size_t>(family);
    for (std::size_t k = 0; k < demands.size(); ++k) {
        Demand& d = demands[index->houseAt(f, k)];
        if (!d.served)
            continue;
        // Providers only fill up during a pass: the nearest with room takes what it can,
        // and the house goes on to the next only when that one is full.
        const ProviderIndex::Run run = index->runAt(f, k);
        int left = d.left[f];
        for (const std::uint32_t* cursor = run.begin; left >= 1 && cursor != run.end; ++cursor) {
            Slot& slot = slots[*cursor];
            const int room = slot.capacity - slot.taken;
            if (room <= 0)
                continue;
            const int moved = std::min(left, room);
            left -= moved;
            slot.taken += moved;
            slot.moved = true;
        }
        d.left[f] = left;
        if (left == 0)
            d.needs &= ~kFamilyNeed[f];
    }
}

void ProviderPool::settle(std::size_t house, House& record) const {
    const Demand& d = demands[house];
    record.shoppersToPlace = d.left[0];
    record.jobSeekersToPlace = d.left[1];
    record.waterUsersToPlace = d.left[2];
    record.needs = d.needs;
}

void ProviderPool::publish() const {
    for (const Slot& slot : slots) {
        *slot.counter = slot.taken;
        // Only a building that took workers today moves its efficiency.
        if (slot.efficiency != nullptr && slot.moved && slot.capacity > kIdleWorkers)
            *slot.efficiency = std::max(0.0, static_cast<double>(slot.taken - kIdleWorkers) /
                                                 (slot.capacity - kIdleWorkers));
    }
}
