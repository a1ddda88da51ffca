#include "AutoPlayer.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/TickTuning.h"
#include "city/Tile.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iterator>

namespace {

// Money kept back after a purchase, so that a bad day never leaves the city in debt.
constexpr int kReserve = 500;
// Below this many free lots beside the streets the next purchase is a street.
constexpr int kMinFreeLots = 4;
// A factory this close (squared distance) spoils a house; further off the loss is tiny.
constexpr int kFactoryBlight = 8;
// Landfills spoil every house within this many rows and columns.
constexpr int kLandfillNuisance = 3;
// A landfill this full gets a successor before the trash piles up in the streets.
constexpr double kLandfillFull = 0.9;
// A park is worth its upkeep once this many houses are within its reach.
constexpr int kHousesPerPark = 3;
constexpr int kParkReach = 3;
// The highest rent a house can ask: adjustRent refuses a step beyond it.
constexpr int kHighestRentModifier = 6;
// Housing demand (times the residents a purchase adds) below which it is not worth it.
constexpr double kLeastHousingDemand = 0.3;

bool offers(const Tile& tile, ActionKind action) {
    return std::find(tile.actions().begin(), tile.actions().end(), action) != tile.actions().end();
}

std::size_t slotOf(const Tile& tile, ActionKind action) {
    return static_cast<std::size_t>(
        std::find(tile.actions().begin(), tile.actions().end(), action) - tile.actions().begin());
}

bool withinRange(const Tile& a, const Tile& b, int range) {
    return std::abs(a.x - b.x) <= range && std::abs(a.y - b.y) <= range;
}

int squaredDistance(const Tile& a, const Tile& b) {
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    return dx * dx + dy * dy;
}

int countWithin(const std::vector<const Tile*>& tiles, const Tile& centre, int range) {
    return static_cast<int>(std::count_if(
        tiles.begin(), tiles.end(), [&](const Tile* t) { return withinRange(*t, centre, range); }));
}

bool anyKindWithin(const Tile& centre, int range, TileKind kind) {
    for (const Tile* near : centre.within(range))
        if (near->kind == kind)
            return true;
    return false;
}

// A factory and a house this close to each other: the house suffers.
bool blightedBy(const Tile& tile, TileKind kind) {
    for (const Tile* near : tile.within(2))
        if (near->kind == kind && squaredDistance(*near, tile) <= kFactoryBlight)
            return true;
    return false;
}

} // namespace

AutoPlayer::AutoPlayer(Simulation& owner) : simulation(owner), plan(*owner.map), treasurer(owner) {}

bool AutoPlayer::buyNextAction() {
    // In order of urgency. Stations must stand before their grace periods end, whatever
    // it takes; the last wants grow the city, the ones before keep it running.
    struct Step {
        Want want;
        bool essential;
        bool grows;
    };
    static constexpr Step kWants[] = {
        {&AutoPlayer::fireStation, true, false}, {&AutoPlayer::policeStation, true, false},
        {&AutoPlayer::hospital, true, false},    {&AutoPlayer::landfill, false, false},
        {&AutoPlayer::water, false, false},      {&AutoPlayer::shops, false, false},
        {&AutoPlayer::jobs, false, false},       {&AutoPlayer::park, false, true},
        {&AutoPlayer::housing, false, true},     {&AutoPlayer::street, false, true}};
    shortOfLots = freeLots() < kMinFreeLots;
    // Once everything is unlocked the loan comes first: no more growth until it is paid.
    const bool payingBack = treasurer.cityComplete() && simulation.city->loan > 0;
    for (const Step& step : kWants) {
        if (payingBack && step.grows)
            return false;
        if (const std::optional<Pick> pick = (this->*step.want)())
            // The most pressing need waits for its money rather than let lesser ones spend it.
            return (affordable(*pick) ||
                    (treasurer.borrowFor(pick->price + kReserve, step.essential) &&
                     affordable(*pick))) &&
                   buy(*pick);
    }
    return false;
}

void AutoPlayer::manageCity() {
    // A supplier's effect shows once a tick has served the houses with it, or never when
    // its purchase was given up (a fire takes over the action).
    if (awaitedNeed != 0 &&
        (simulation.actionKind == ActionKind::None || simulation.actionTileNumber != awaited)) {
        awaitedNeed = 0;
        awaited = -1;
    }
    servedHouses.clear();
    for (const Tile* tile : simulation.map->lists.houses)
        servedHouses.insert(tile->number);
    treasurer.manage();
}

std::optional<AutoPlayer::Pick> AutoPlayer::fireStation() {
    return station(UnlockFlag::FireStation, ActionKind::BuildFireStation, TileKind::FireStation);
}

std::optional<AutoPlayer::Pick> AutoPlayer::policeStation() {
    return station(UnlockFlag::PoliceStation, ActionKind::BuildPoliceStation,
                   TileKind::PoliceStation);
}

std::optional<AutoPlayer::Pick> AutoPlayer::hospital() {
    return station(UnlockFlag::Hospital, ActionKind::BuildHospital, TileKind::Hospital);
}

std::optional<AutoPlayer::Pick> AutoPlayer::station(UnlockFlag flag, ActionKind action,
                                                    TileKind kind) {
    if (!isUnlocked(simulation.unlocked, flag))
        return std::nullopt;
    std::vector<const Tile*> uncovered;
    for (const Tile* house : simulation.map->lists.houses)
        if (!anyKindWithin(*house, kServiceRange, kind))
            uncovered.push_back(house);
    if (uncovered.empty())
        return std::nullopt;
    return bestTile(action, [&](const Tile& tile) -> std::optional<int> {
        const CityPlan::Use use = plan.useOf(tile);
        if (use != CityPlan::Use::Lot && use != CityPlan::Use::Civic)
            return std::nullopt;
        return countWithin(uncovered, tile, kServiceRange) * 1000 +
               (use == CityPlan::Use::Civic ? 500 : 0) - plan.spread(tile);
    });
}

std::optional<AutoPlayer::Pick> AutoPlayer::landfill() {
    if (!isUnlocked(simulation.unlocked, UnlockFlag::Landfill))
        return std::nullopt;
    for (const Tile* tile : simulation.map->lists.landfills)
        if (const Landfill* site = tile->landfill();
            site != nullptr && site->fill < site->capacity * kLandfillFull)
            return std::nullopt;
    // As far out as the streets reach, where it spoils the fewest lots.
    const auto farFromHouses = [&](const Tile& tile) {
        return plan.useOf(tile) != CityPlan::Use::Street &&
               !anyKindWithin(tile, kLandfillNuisance + 1, TileKind::House);
    };
    if (std::optional<Pick> pick =
            bestTile(ActionKind::BuildLandfill, [&](const Tile& tile) -> std::optional<int> {
                if (!farFromHouses(tile))
                    return std::nullopt;
                return plan.spread(tile);
            }))
        return pick;
    // None in reach: the streets grow towards the nearest place far enough from houses.
    const Map& map = *simulation.map;
    const Tile* site = freeSite(*map.tileAt(map.width / 2, map.height / 2), farFromHouses);
    return site != nullptr ? streetToward(*site) : std::nullopt;
}

std::optional<AutoPlayer::Pick> AutoPlayer::water() {
    const bool pumping = isUnlocked(simulation.unlocked, UnlockFlag::PumpingStation);
    return pumping ? supplier(ActionKind::BuildPumpingStation, kNeedWater,
                              kPumpingStationDefaults.range)
                   : supplier(ActionKind::BuildWaterTower, kNeedWater, kWaterTowerDefaults.range);
}

std::optional<AutoPlayer::Pick> AutoPlayer::shops() {
    const std::vector<const Tile*> needy = housesLacking(kNeedShops);
    if (needy.empty() || awaitedNeed == kNeedShops)
        return std::nullopt;
    if (std::optional<Pick> upgrade = upgradeFullShop(needy)) {
        awaited = upgrade->tileNumber;
        awaitedNeed = kNeedShops;
        return upgrade;
    }
    return supplier(ActionKind::BuildMarket, kNeedShops, kShopDefaults[0].range);
}

std::optional<AutoPlayer::Pick> AutoPlayer::jobs() {
    const bool office = isUnlocked(simulation.unlocked, UnlockFlag::Commercial);
    return office ? supplier(ActionKind::BuildCommercial, kNeedJobs, kCommercialDefaults.range)
                  : supplier(ActionKind::BuildFactory, kNeedJobs, kFactoryDefaults.range);
}

std::optional<AutoPlayer::Pick> AutoPlayer::supplier(ActionKind action, int need, int range) {
    if (awaitedNeed == need)
        return std::nullopt;
    const std::vector<const Tile*> needy = housesLacking(need);
    if (needy.empty())
        return std::nullopt;
    const bool factory = action == ActionKind::BuildFactory;
    std::optional<Pick> pick = bestTile(action, [&](const Tile& tile) -> std::optional<int> {
        const CityPlan::Use use = plan.useOf(tile);
        const bool fit =
            factory ? use == CityPlan::Use::FactorySite && !blightedBy(tile, TileKind::House)
                    : use == CityPlan::Use::Lot || use == CityPlan::Use::Civic;
        const int served = fit ? countWithin(needy, tile, range) : 0;
        if (served == 0)
            return std::nullopt;
        // Lots no house should take (in a civic block) are the best place.
        return served * 1000 + (use == CityPlan::Use::Civic ? 500 : 0) - plan.spread(tile);
    });
    if (pick) {
        awaited = pick->tileNumber;
        awaitedNeed = need;
        return pick;
    }
    // No factory site in reach yet: the streets grow towards the nearest free one.
    const Tile* site = factory
                           ? freeSite(*needy.front(),
                                      [&](const Tile& tile) {
                                          return plan.useOf(tile) == CityPlan::Use::FactorySite &&
                                                 !blightedBy(tile, TileKind::House);
                                      })
                           : nullptr;
    return site != nullptr ? streetToward(*site) : std::nullopt;
}

template <class Fit> const Tile* AutoPlayer::freeSite(const Tile& near, Fit&& fit) const {
    const Tile* best = nullptr;
    for (const Tile& tile : simulation.map->tiles)
        if ((tile.kind == TileKind::Empty || tile.kind == TileKind::Tree) &&
            (best == nullptr || squaredDistance(tile, near) < squaredDistance(*best, near)) &&
            fit(tile))
            best = &tile;
    return best;
}

std::optional<AutoPlayer::Pick> AutoPlayer::upgradeFullShop(const std::vector<const Tile*>& needy) {
    const unsigned unlocked = simulation.unlocked;
    for (const Tile* tile : simulation.map->lists.shops) {
        const Shop* shop = tile->shop();
        if (shop == nullptr || shop->visitors < shop->capacity ||
            countWithin(needy, *tile, shop->range + 2) == 0)
            continue;
        const ActionKind action =
            shop->level == 1 ? ActionKind::BuildShop
            : shop->level == 2 && isUnlocked(unlocked, UnlockFlag::ConvenienceStore)
                ? ActionKind::BuildConvenienceStore
                : ActionKind::None;
        if (action != ActionKind::None && offers(*tile, action))
            return Pick{tile->number, slotOf(*tile, action),
                        Simulation::actionPriceFor(*tile, action)};
    }
    return std::nullopt;
}

std::optional<AutoPlayer::Pick> AutoPlayer::park() {
    // Houses that already ask the highest rent and are full gain nothing from a park.
    std::vector<const Tile*> houses;
    for (const Tile* tile : simulation.map->lists.houses)
        if (const House* house = tile->house();
            house != nullptr &&
            (house->rentModifier < kHighestRentModifier || house->residents < house->capacity))
            houses.push_back(tile);
    std::optional<Pick> best;
    int bestHouses = kHousesPerPark - 1;
    for (const Tile* tile : simulation.map->lists.visible) {
        if (plan.useOf(*tile) != CityPlan::Use::ParkLot || !offers(*tile, ActionKind::BuildPark))
            continue;
        const int near = countWithin(houses, *tile, kParkReach);
        if (near > bestHouses) {
            bestHouses = near;
            best = Pick{tile->number, slotOf(*tile, ActionKind::BuildPark),
                        Simulation::actionPriceFor(*tile, ActionKind::BuildPark)};
        }
    }
    return best;
}

std::optional<AutoPlayer::Pick> AutoPlayer::housing() {
    // Each level's demand, weighed by the residents a purchase makes room for.
    struct Option {
        double value;
        std::optional<Pick> pick;
    };
    const HousingDemand& demand = simulation.housingDemand;
    Option options[] = {
        {demand[2] * 9, upgradeHouse(2, ActionKind::BuildFlats)},
        {demand[1] * 3, upgradeHouse(1, ActionKind::BuildLargeHousing)},
        {demand[0] * 3, newHouse()},
    };
    std::stable_sort(std::begin(options), std::end(options),
                     [](const Option& a, const Option& b) { return a.value > b.value; });
    for (const Option& option : options)
        // A level nobody wants would only stand half empty.
        if (option.pick && option.value >= kLeastHousingDemand)
            return option.pick;
    return std::nullopt;
}

std::optional<AutoPlayer::Pick> AutoPlayer::upgradeHouse(int level, ActionKind action) {
    const Tile* best = nullptr;
    for (const Tile* tile : simulation.map->lists.houses) {
        const House* house = tile->house();
        if (house == nullptr || house->level != level || house->residents < house->capacity ||
            !offers(*tile, action))
            continue;
        if (best == nullptr || house->shownAttractiveness > best->house()->shownAttractiveness)
            best = tile;
    }
    if (best == nullptr)
        return std::nullopt;
    return Pick{best->number, slotOf(*best, action), Simulation::actionPriceFor(*best, action)};
}

std::optional<AutoPlayer::Pick> AutoPlayer::newHouse() {
    return bestTile(ActionKind::BuildSmallHousing, [&](const Tile& tile) -> std::optional<int> {
        if (plan.useOf(tile) != CityPlan::Use::Lot || !fitForHouse(tile))
            return std::nullopt;
        return -plan.spread(tile);
    });
}

std::optional<AutoPlayer::Pick> AutoPlayer::street() {
    if (!shortOfLots)
        return std::nullopt;
    return bestTile(ActionKind::BuildRoad,
                    [&](const Tile& tile) -> std::optional<int> { return -plan.spread(tile); });
}

std::optional<AutoPlayer::Pick> AutoPlayer::streetToward(const Tile& target) {
    // Breadth-first along the planned streets from the target back to the roads built:
    // the first unbuilt street tile met on the way from the roads is the one to build.
    const Map& map = *simulation.map;
    std::vector<int> stepsToTarget(map.tiles.size(), -1);
    std::deque<const Tile*> queue;
    for (const Tile* start : target.orthogonal())
        if (plan.useOf(*start) == CityPlan::Use::Street) {
            stepsToTarget[index(*start)] = 0;
            queue.push_back(start);
        }
    while (!queue.empty()) {
        const Tile* tile = queue.front();
        queue.pop_front();
        for (const Tile* next : tile->orthogonal()) {
            if (plan.useOf(*next) != CityPlan::Use::Street || stepsToTarget[index(*next)] >= 0)
                continue;
            stepsToTarget[index(*next)] = stepsToTarget[index(*tile)] + 1;
            queue.push_back(next);
        }
    }
    return bestTile(ActionKind::BuildRoad, [&](const Tile& tile) -> std::optional<int> {
        const int steps = stepsToTarget[index(tile)];
        if (steps < 0)
            return std::nullopt;
        return -steps;
    });
}

std::size_t AutoPlayer::index(const Tile& tile) const {
    return static_cast<std::size_t>(tile.y) * simulation.map->width + tile.x;
}

std::vector<const Tile*> AutoPlayer::housesLacking(int need) const {
    std::vector<const Tile*> needy;
    for (const Tile* tile : simulation.map->lists.houses)
        if (const House* house = tile->house(); house != nullptr &&
                                                (house->shownNeeds & need) != 0 &&
                                                servedHouses.count(tile->number) != 0)
            needy.push_back(tile);
    return needy;
}

template <class Score>
std::optional<AutoPlayer::Pick> AutoPlayer::bestTile(ActionKind action, Score&& score) const {
    const Tile* best = nullptr;
    int bestScore = 0;
    for (const Tile* tile : simulation.map->lists.visible) {
        if ((plan.useOf(*tile) == CityPlan::Use::Street) != (action == ActionKind::BuildRoad))
            continue;
        const bool ready = offers(*tile, action);
        const bool cleared = tile->kind == TileKind::Tree && offers(*tile, ActionKind::Demolish);
        if (!ready && !cleared)
            continue;
        const std::optional<int> value = score(*tile);
        // A tree in the way costs a demolition first: a cleared lot of equal worth wins.
        if (value && (best == nullptr || *value * 2 + ready > bestScore)) {
            best = tile;
            bestScore = *value * 2 + ready;
        }
    }
    if (best == nullptr)
        return std::nullopt;
    const ActionKind buy = offers(*best, action) ? action : ActionKind::Demolish;
    return Pick{best->number, slotOf(*best, buy), Simulation::actionPriceFor(*best, buy)};
}

bool AutoPlayer::fitForHouse(const Tile& tile) const {
    return !blightedBy(tile, TileKind::Factory) &&
           !anyKindWithin(tile, kLandfillNuisance, TileKind::Landfill);
}

int AutoPlayer::freeLots() const {
    int lots = 0;
    for (const Tile* tile : simulation.map->lists.visible)
        lots += (offers(*tile, ActionKind::BuildSmallHousing) ||
                 (tile->kind == TileKind::Tree && offers(*tile, ActionKind::Demolish))) &&
                plan.useOf(*tile) == CityPlan::Use::Lot && fitForHouse(*tile);
    return lots;
}

bool AutoPlayer::affordable(const Pick& pick) const {
    return simulation.city->budgetNow() >= pick.price + kReserve;
}

bool AutoPlayer::buy(const Pick& pick) {
    return simulation.buyAction(pick.tileNumber, pick.slot);
}
