#include "city/ProviderPool.h"

#include "city/Map.h"
#include "city/TickTuning.h"

#include <algorithm>
#include <limits>

namespace {

// The need each family meets, in family order.
constexpr std::array<int, ProviderIndex::kFamilies> kFamilyNeed{kNeedShops, kNeedJobs, kNeedWater};

} // namespace

ProviderPool::ProviderPool(Map& map, const TileLists& lists)
    : firstTile(map.tiles.data()), providerOf(map.tiles.size(), -1),
      demands(lists.houses.size(), Demand{{0, 0, 0}, kAllNeeds, false}),
      cursors(lists.houses.size(), nullptr) {
    for (const std::vector<Tile*>* family : {&lists.shops, &lists.jobBuildings, &lists.water})
        for (const Tile* tile : *family)
            add(*tile);
    ProviderIndex& built = map.providerIndex;
    if (!built.holds(map.revision, providers, lists.houses.size()))
        built.rebuild(map.revision, providers, lists.houses, firstTile, providerOf);
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
    if (index >= providerOf.size())
        return;
    providerOf[index] = static_cast<std::int32_t>(providers.size());
    providers.push_back({static_cast<std::int32_t>(index), tile.x, tile.y, range});
    slots.push_back(slot);
}

void ProviderPool::setDemand(std::size_t house, int demand) {
    Demand& d = demands[house];
    d.left = {demand, demand, demand};
    d.needs = kAllNeeds;
    d.served = true;
}

const std::uint32_t* ProviderPool::firstOpen(const std::uint32_t* cursor,
                                             const std::uint32_t* end) const {
    while (cursor != end && slots[*cursor].taken >= slots[*cursor].capacity)
        ++cursor;
    return cursor;
}

void ProviderPool::serve(std::size_t house, std::size_t family, const std::uint32_t* cursor) {
    Demand& d = demands[house];
    if (!d.served)
        return;
    // Providers only fill up during a pass, so the search goes on where it stopped.
    const std::uint32_t* const end = index->run(family, house).end;
    int& left = d.left[family];
    while (left >= 1) {
        cursor = firstOpen(cursor, end);
        if (cursor == end)
            break;
        Slot& slot = slots[*cursor];
        const int moved = std::min(left, slot.capacity - slot.taken);
        left -= moved;
        slot.taken += moved;
        slot.moved = true;
    }
    if (left == 0)
        d.needs &= ~kFamilyNeed[family];
}

std::vector<std::uint32_t> ProviderPool::distanceOrder(std::size_t family) {
    // Keys are squared distances to the first open provider; a house that reaches none
    // gets the key past the largest, so it comes last. A counting sort keeps the list
    // order among equal keys.
    constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
    const std::size_t count = demands.size();
    std::vector<std::uint32_t> keys(count, kUnreached);
    std::uint32_t unreachedKey = 0;
    for (std::size_t h = 0; h < count; ++h) {
        const ProviderIndex::Run run = index->run(family, h);
        cursors[h] = firstOpen(run.begin, run.end);
        if (cursors[h] == run.end)
            continue;
        const ProviderIndex::Provider& provider = providers[*cursors[h]];
        const std::int64_t dx = provider.x - index->xOf(h);
        const std::int64_t dy = provider.y - index->yOf(h);
        keys[h] = static_cast<std::uint32_t>(dx * dx + dy * dy);
        unreachedKey = std::max(unreachedKey, keys[h] + 1);
    }
    std::vector<std::uint32_t> starts(static_cast<std::size_t>(unreachedKey) + 2, 0);
    for (std::uint32_t& key : keys) {
        key = std::min(key, unreachedKey);
        ++starts[key + 1];
    }
    for (std::size_t k = 1; k < starts.size(); ++k)
        starts[k] += starts[k - 1];
    std::vector<std::uint32_t> order(count);
    for (std::size_t h = 0; h < count; ++h)
        order[starts[keys[h]]++] = static_cast<std::uint32_t>(h);
    return order;
}

void ProviderPool::serveInDistanceOrder(Family family) {
    const auto f = static_cast<std::size_t>(family);
    for (const std::uint32_t house : distanceOrder(f))
        serve(house, f, cursors[house]);
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
