#include "city/ProviderPool.h"

#include "city/Map.h"
#include "city/TickTuning.h"

#include <algorithm>

ProviderPool::ProviderPool(Map& map, const TileLists& lists)
    : firstTile(map.tiles.data()), tileCount(map.tiles.size()) {
    days.assign(lists.houses.size(), HouseDay{});
    const std::array families{&lists.shops, &lists.jobBuildings, &lists.water};
    std::size_t count = 0;
    for (const std::vector<Tile*>* family : families)
        count += family->size();
    providers.reserve(count);
    slots.reserve(count);
    room.reserve(count);
    for (const std::vector<Tile*>* family : families)
        for (const Tile* tile : *family)
            add(*tile);
    ProviderIndex& built = map.providerIndex;
    if (!built.holds(map.revision, providers, lists.houses.size()))
        built.rebuild(map.revision, providers, lists.houses, map);
    index = &built;
}

void ProviderPool::add(const Tile& tile) {
    Slot slot{0, nullptr, nullptr};
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
    room.push_back(slot.capacity);
}

void ProviderPool::setDemand(std::size_t house, int demand) {
    days[house].demand = static_cast<std::uint8_t>(demand);
}

void ProviderPool::serveInDistanceOrder(Family family) {
    const auto f = static_cast<std::size_t>(family);
    const ProviderIndex::Pass pass = index->pass(f);
    if (pass.narrow != nullptr)
        serve(f, pass.order, pass.narrow, pass.houses);
    else
        serve(f, pass.order, pass.wide, pass.houses);
}

template <class Word>
void ProviderPool::serve(std::size_t family, const std::uint32_t* order, const Word* run,
                         std::size_t houses) {
    // Plain pointers keep the loop's arrays in registers.
    HouseDay* const day = days.data();
    int* const open = room.data();
    const Word* next = run;
    for (std::size_t k = 0; k < houses; ++k) {
        const std::size_t house = order[k];
        const Word* cursor = next + 1;
        const Word* const end = cursor + next[0];
        next = end;
        // Providers only fill up during a pass: the nearest with room takes what it can,
        // and the house goes on to the next only when that one is full.
        int placing = day[house].demand;
        for (; placing >= 1 && cursor != end; ++cursor) {
            int& places = open[*cursor];
            if (places <= 0)
                continue;
            const int moved = std::min(placing, places);
            placing -= moved;
            places -= moved;
        }
        day[house].left[family] = static_cast<std::uint8_t>(placing);
    }
}

void ProviderPool::publish() const {
    for (std::size_t p = 0; p < slots.size(); ++p) {
        const Slot& slot = slots[p];
        const int taken = slot.capacity - room[p];
        *slot.counter = taken;
        // Only a building that took workers today moves its efficiency: every placing
        // moves at least one.
        if (slot.efficiency != nullptr && taken > 0 && slot.capacity > kIdleWorkers)
            *slot.efficiency = std::max(0.0, static_cast<double>(taken - kIdleWorkers) /
                                                 (slot.capacity - kIdleWorkers));
    }
}
