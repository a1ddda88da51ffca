#include "city/ProviderPool.h"

#include "city/Map.h"
#include "city/TickTuning.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

struct FamilyFields {
    std::vector<Tile*> Tile::*providers;
    int House::*toPlace;
    int need;
};

const FamilyFields& fieldsOf(ProviderPool::Family family) {
    static const FamilyFields kShops{&Tile::shopsInRange, &House::shoppersToPlace, kNeedShops};
    static const FamilyFields kJobs{&Tile::jobsInRange, &House::jobSeekersToPlace, kNeedJobs};
    static const FamilyFields kWater{&Tile::waterInRange, &House::waterUsersToPlace, kNeedWater};
    switch (family) {
    case ProviderPool::Family::Shops:
        return kShops;
    case ProviderPool::Family::Jobs:
        return kJobs;
    case ProviderPool::Family::Water:
        break;
    }
    return kWater;
}

} // namespace

ProviderPool::ProviderPool(const Map& map, const TileLists& lists)
    : firstTile(map.tiles.data()), slotIndex(map.tiles.size(), -1) {
    for (const std::vector<Tile*>* providers : {&lists.shops, &lists.jobBuildings, &lists.water})
        for (Tile* tile : *providers)
            add(*tile);
}

void ProviderPool::add(Tile& tile) {
    Slot slot{tile.x, tile.y, -1, 0, 0, false, nullptr, nullptr};
    if (Shop* shop = tile.shop()) {
        slot.range = shop->range;
        slot.capacity = shop->capacity;
        slot.counter = &shop->visitors;
    } else if (Factory* factory = tile.factory()) {
        slot.range = factory->range;
        slot.capacity = factory->capacity;
        slot.counter = &factory->workers;
        slot.efficiency = &factory->efficiency;
    } else if (Commercial* office = tile.commercial()) {
        slot.range = office->range;
        slot.capacity = office->capacity;
        slot.counter = &office->workers;
        slot.efficiency = &office->efficiency;
    } else if (WaterSupply* water = tile.waterSupply()) {
        slot.range = water->range;
        slot.capacity = water->capacity;
        slot.counter = &water->users;
    } else {
        return;
    }
    const auto index = static_cast<std::size_t>(&tile - firstTile);
    if (index >= slotIndex.size())
        return;
    slotIndex[index] = static_cast<int>(slots.size());
    slots.push_back(slot);
}

ProviderPool::Slot* ProviderPool::slotOf(const Tile* tile) {
    const auto index = static_cast<std::size_t>(tile - firstTile);
    if (index >= slotIndex.size() || slotIndex[index] < 0)
        return nullptr;
    return &slots[static_cast<std::size_t>(slotIndex[index])];
}

ProviderPool::Slot* ProviderPool::firstReachable(const Tile& house, Family family) {
    for (const Tile* provider : house.*fieldsOf(family).providers) {
        Slot* slot = slotOf(provider);
        if (slot != nullptr && slot->taken < slot->capacity &&
            std::abs(slot->x - house.x) <= slot->range &&
            std::abs(slot->y - house.y) <= slot->range)
            return slot;
    }
    return nullptr;
}

void ProviderPool::serve(Tile& tile, Family family) {
    House* house = tile.house();
    if (house == nullptr)
        return;
    const FamilyFields& fields = fieldsOf(family);
    int& left = house->*fields.toPlace;
    while (left >= 1) {
        Slot* slot = firstReachable(tile, family);
        if (slot == nullptr)
            break;
        const int moved = std::min(left, slot->capacity - slot->taken);
        left -= moved;
        slot->taken += moved;
        slot->moved = true;
    }
    if (left == 0)
        house->needs &= ~fields.need;
}

void ProviderPool::serveInDistanceOrder(const std::vector<Tile*>& houses, Family family) {
    // A house that reaches no provider comes last, so the order is total and each
    // house keeps its place among equals.
    std::vector<std::pair<int, Tile*>> keyed;
    keyed.reserve(houses.size());
    for (Tile* house : houses) {
        const Slot* slot = firstReachable(*house, family);
        const int dx = slot != nullptr ? slot->x - house->x : 0;
        const int dy = slot != nullptr ? slot->y - house->y : 0;
        keyed.emplace_back(slot != nullptr ? dx * dx + dy * dy : std::numeric_limits<int>::max(),
                           house);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [distance, house] : keyed)
        serve(*house, family);
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
