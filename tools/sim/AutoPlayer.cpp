#include "AutoPlayer.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Streets run along every third row through the first road, joined by the first
// road's column, so every other tile sits beside exactly one street.
constexpr int kStreetSpacing = 3;
// Factories spoil houses closer than this; the two keep apart.
// Houses side by side are cramped, so no house is built beside another.
constexpr int kFactoryDistance = 3;
// Money kept back after a purchase, so that upkeep never drives the budget negative.
constexpr int kReserve = 300;
// Houses one provider of each family is meant to serve.
constexpr int kHousesPerWater = 20;
constexpr int kHousesPerShop = 5;
constexpr int kHousesPerJob = 12;
constexpr int kHousesPerService = 40;
// Houses it takes before the first shop and the first workplace pay their upkeep.
constexpr int kHousesBeforeShops = 3;
constexpr int kHousesBeforeJobs = 4;
// Full, well-liked houses pay up to this much extra rent; the raise costs a little
// attractiveness, so only houses well above neutral get it.
constexpr int kMaxRentRaise = 2;
constexpr double kRentRaiseAttractiveness = 0.3;
// Below this many free building spots the next purchase is a street.
constexpr int kMinBuildingSpots = 3;
// Budget from which upgrades and bigger buildings are worth it.
constexpr int kUpgradeBudget = 6000;
constexpr int kBigBuildingBudget = 16000;

constexpr UnlockFlag kServiceUnlocks[] = {UnlockFlag::FireStation, UnlockFlag::PoliceStation,
                                          UnlockFlag::Hospital};
constexpr ActionKind kServiceActions[] = {
    ActionKind::BuildFireStation, ActionKind::BuildPoliceStation, ActionKind::BuildHospital};

bool offers(const Tile& tile, ActionKind action) {
    return std::find(tile.actions.begin(), tile.actions.end(), action) != tile.actions.end();
}

std::size_t slotOf(const Tile& tile, ActionKind action) {
    return static_cast<std::size_t>(std::find(tile.actions.begin(), tile.actions.end(), action) -
                                    tile.actions.begin());
}

int positiveModulo(int value, int divisor) {
    return ((value % divisor) + divisor) % divisor;
}

} // namespace

AutoPlayer::AutoPlayer(Simulation& owner) : simulation(owner) {
    // The first road of a new game sits in the middle of the map; a loaded game's
    // streets are followed from there too.
    anchorX = simulation.map->width / 2;
    anchorY = simulation.map->height / 2;
}

void AutoPlayer::raiseRents() {
    for (Tile* tile : simulation.map->lists.houses) {
        const House* house = tile->house();
        if (house != nullptr && house->residents == house->capacity &&
            house->rentModifier < kMaxRentRaise &&
            house->shownAttractiveness > kRentRaiseAttractiveness)
            simulation.adjustRent(*tile, 1);
    }
}

bool AutoPlayer::buyNextAction() {
    const Counts counts = count();
    const ActionKind action = mostWanted(counts);
    std::optional<Pick> pick = pickTile(action);
    if (!pick)
        pick = pickTreeToClear(action == ActionKind::BuildRoad);
    if (!pick && action != ActionKind::BuildRoad)
        pick = pickTile(ActionKind::BuildRoad);
    return pick && buy(*pick);
}

AutoPlayer::Counts AutoPlayer::count() const {
    Counts counts;
    const TileLists& lists = simulation.map->lists;
    counts.houses = static_cast<int>(lists.houses.size());
    for (const Tile* tile : lists.houses)
        if (const House* house = tile->house()) {
            counts.smallHouses += house->level == 1;
            counts.largeHouses += house->level == 2;
        }
    counts.shops = static_cast<int>(lists.shops.size());
    counts.jobs = static_cast<int>(lists.jobBuildings.size());
    counts.water = static_cast<int>(lists.water.size());
    counts.services = static_cast<int>(lists.fireStations.size() + lists.policeStations.size() +
                                       lists.hospitals.size());
    // A tree beside a street is a spot too: clearing it is cheaper than a new street.
    for (const Tile* tile : lists.visible)
        counts.buildingSpots +=
            !onStreetGrid(*tile) &&
            (offers(*tile, ActionKind::BuildSmallHousing) || offers(*tile, ActionKind::Demolish));
    return counts;
}

ActionKind AutoPlayer::mostWanted(const Counts& c) const {
    const unsigned unlocked = simulation.unlocked;
    const double budget = simulation.city->budgetNow();
    if (c.water * kHousesPerWater < c.houses + 1)
        return isUnlocked(unlocked, UnlockFlag::PumpingStation) && budget > kBigBuildingBudget
                   ? ActionKind::BuildPumpingStation
                   : ActionKind::BuildWaterTower;
    if (c.houses >= kHousesBeforeShops && c.shops * kHousesPerShop < c.houses)
        return ActionKind::BuildMarket;
    if (c.houses >= kHousesBeforeJobs && c.jobs * kHousesPerJob < c.houses)
        return isUnlocked(unlocked, UnlockFlag::Commercial) && budget > kBigBuildingBudget
                   ? ActionKind::BuildCommercial
                   : ActionKind::BuildFactory;
    if (c.buildingSpots < kMinBuildingSpots)
        return ActionKind::BuildRoad;
    const int wantedServices = c.houses / kHousesPerService;
    for (std::size_t i = 0; i < std::size(kServiceUnlocks); ++i)
        if (isUnlocked(unlocked, kServiceUnlocks[i]) && c.services < wantedServices &&
            budget > kBigBuildingBudget)
            return kServiceActions[i];
    if (budget > kUpgradeBudget && c.smallHouses > c.largeHouses &&
        isUnlocked(unlocked, UnlockFlag::LargeHouse))
        return ActionKind::BuildLargeHousing;
    if (budget > kBigBuildingBudget && c.largeHouses > 0 && isUnlocked(unlocked, UnlockFlag::Flats))
        return ActionKind::BuildFlats;
    return ActionKind::BuildSmallHousing;
}

std::optional<AutoPlayer::Pick> AutoPlayer::pickTile(ActionKind action) const {
    const bool street = action == ActionKind::BuildRoad;
    // Upgrades go on existing buildings; everything else on free land off the streets.
    const bool upgrade =
        action == ActionKind::BuildLargeHousing || action == ActionKind::BuildFlats;
    const Tile* best = nullptr;
    for (const Tile* tile : simulation.map->lists.visible) {
        if (!offers(*tile, action))
            continue;
        if (!upgrade && onStreetGrid(*tile) != street)
            continue;
        if ((upgrade && tile->kind != TileKind::House) || !goodSpotFor(*tile, action))
            continue;
        // Factories go to the edge of the city, where they spoil the fewest house spots.
        const bool better =
            best == nullptr || (action == ActionKind::BuildFactory
                                    ? distanceFromAnchor(*tile) > distanceFromAnchor(*best)
                                    : distanceFromAnchor(*tile) < distanceFromAnchor(*best));
        if (better)
            best = tile;
    }
    if (best == nullptr)
        return std::nullopt;
    return Pick{best->number, slotOf(*best, action), Simulation::actionPriceFor(*best, action)};
}

std::optional<AutoPlayer::Pick> AutoPlayer::pickTreeToClear(bool onStreet) const {
    const Tile* best = nullptr;
    for (const Tile* tile : simulation.map->lists.visible)
        if (tile->kind == TileKind::Tree && onStreetGrid(*tile) == onStreet &&
            offers(*tile, ActionKind::Demolish) &&
            (best == nullptr || distanceFromAnchor(*tile) < distanceFromAnchor(*best)))
            best = tile;
    if (best == nullptr)
        return std::nullopt;
    return Pick{best->number, slotOf(*best, ActionKind::Demolish),
                Simulation::actionPriceFor(*best, ActionKind::Demolish)};
}

bool AutoPlayer::onStreetGrid(const Tile& tile) const {
    return tile.x == anchorX || positiveModulo(tile.y - anchorY, kStreetSpacing) == 0;
}

bool AutoPlayer::goodSpotFor(const Tile& tile, ActionKind action) const {
    const bool factory = action == ActionKind::BuildFactory;
    const bool newHouse =
        actionSpec(action).result == TileKind::House && tile.kind != TileKind::House;
    if (newHouse)
        for (const Tile* near : tile.orthogonal)
            if (near->kind == TileKind::House)
                return false;
    if (!factory && !newHouse)
        return true;
    const TileKind avoided = factory ? TileKind::House : TileKind::Factory;
    for (const Tile* near : tile.within(kFactoryDistance))
        if (near->kind == avoided)
            return false;
    return true;
}

int AutoPlayer::distanceFromAnchor(const Tile& tile) const {
    const int dx = tile.x - anchorX;
    const int dy = tile.y - anchorY;
    return dx * dx + dy * dy;
}

bool AutoPlayer::buy(const Pick& pick) {
    if (simulation.city->budgetNow() < pick.price + kReserve)
        return false;
    return simulation.buyAction(pick.tileNumber, pick.slot);
}
