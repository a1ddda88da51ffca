#include "city/HouseUpdate.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/Tile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double lackOf(int residents, double r) {
    return (residents * kLackPerResident + kLackBase) * r;
}

double needsPenalty(const House& house) {
    double penalty = 0.0;
    if ((house.needs & kNeedShops) != 0)
        penalty += kNoShopsPenalty;
    if ((house.needs & kNeedJobs) != 0)
        penalty += kNoJobsPenalty + kNoJobsPenaltyPerThree * ((house.residents - 3) / 3);
    if ((house.needs & kNeedWater) != 0)
        penalty += kNoWaterPenalty;
    return penalty;
}

void updateHealthAndGrowth(House& house, const TileServices& services, double a, double demand) {
    if (house.health > 0) {
        // Mourning a death: recover, grow nothing.
        house.health = std::max(house.health - kHealthRecovery, 0.0);
        return;
    }
    if (services.healthCare < 0)
        house.health += services.healthCare;
    house.growth = house.growth + (a >= 0 ? a * demand : a);
}

double shrinkStep(int residents) {
    return 0.75 - (residents - 1) / 20.0;
}

void updateResidents(House& house) {
    int residents = house.residents;
    const double growth = house.growth;
    if (growth >= (residents - 1) / 6.0 + 1.0) {
        house.growth = 0.0;
        house.residents = std::min(residents + 1, house.capacity);
        return;
    }
    if (growth >= -shrinkStep(residents))
        return;
    // Leaving stops at an empty house: it never owes residents.
    for (double g = growth; residents > 0 && g < -shrinkStep(residents); --residents)
        g += shrinkStep(residents);
    house.residents = residents;
    house.growth = 0.0;
}

} // namespace

HouseUpdate::HouseUpdate(Simulation& owner, ServiceLacks serviceLacks)
    : simulation(owner), lacks(serviceLacks), streetTrash(owner.city->streetTrash.load()),
      housingDemand(owner.housingDemand) {}

double HouseUpdate::randomFactor() const {
    return (simulation.randomNumbers.next() % 300 + 750) / 1000.0;
}

void HouseUpdate::dailyStep(Tile& tile, House& house, const HouseSurroundings& around,
                            const NeighbourHouses& neighbours) const {
    TileServices& services = tile.services();
    applyServiceLacks(house, services, neighbours);
    if (!tile.hasFlag(kFlagBurning))
        update(house, services, around, neighbours);
}

void HouseUpdate::applyServiceLacks(const House& house, TileServices& services,
                                    const NeighbourHouses& neighbours) const {
    const double r = randomFactor();
    // Each value is summed on its own, in a local: the compiler cannot tell the tile from
    // the neighbours and would store and load the sums for every neighbour.
    if (lacks.police) {
        double crime = services.crime + kLackingPoliceCrime * r;
        for (std::size_t k = 0; k < neighbours.count; ++k)
            crime += kNeighbourCrimeShare * neighbours[k].crime;
        services.crime = crime;
    }
    if (lacks.hospital)
        services.healthCare -= lackOf(house.residents, r);
    if (lacks.fire) {
        double fireSafety = services.fireSafety - lackOf(house.residents, r);
        for (std::size_t k = 0; k < neighbours.count; ++k) {
            fireSafety -= kNeighbourFireRiskPerResident * neighbours[k].residents * r;
            if (neighbours[k].burning)
                fireSafety -= kBurningNeighbourHazard;
        }
        services.fireSafety = fireSafety;
    }
}

double HouseUpdate::attractivenessOf(const House& house, const TileServices& services,
                                     const HouseSurroundings& around,
                                     const NeighbourHouses& neighbours) const {
    double a = kBaseAttractiveness;
    if (around.nearestFactorySquared <= 9)
        a += (kFactoryNuisanceReach - std::sqrt(around.nearestFactorySquared)) * kFactoryNuisance;

    const int houses = static_cast<int>(neighbours.orthogonal);
    double neighbourSum = 0.0;
    for (std::size_t k = 0; k < neighbours.orthogonal; ++k)
        neighbourSum += neighbours[k].attractiveness;
    if (houses > 0)
        a += kNeighbourAttractiveness * neighbourSum / houses;
    a -= kExtraRoadPenalty * std::max(around.roads - 1, 0);
    if (house.level < 3)
        a -= kCrampingPenalty * houses;
    a += kTreeBonus * around.trees;
    a += (kParkBonus + kParkBonusStep * (around.parks - 1)) * around.parks;
    a -= kRentPenalty * house.rentModifier;
    a -= needsPenalty(house);
    if (services.crime > 0)
        a -= kCrimePenalty * services.crime;
    if (services.fireSafety < 0)
        a -= kFireHazardPenalty * -services.fireSafety;
    if (services.healthCare < 0)
        a -= kNoHealthCarePenalty;
    if (around.landfills > 0)
        a -= kLandfillPenalty + kLandfillPenaltyStep * (around.landfills - 1);
    if (streetTrash >= kStreetTrashWarning)
        a -= kTrashPenaltyPer750 *
             (static_cast<long long>(std::trunc(streetTrash - kStreetTrashWarning)) /
              kTrashPenaltyStep);
    return a;
}

void HouseUpdate::updateHouse(Tile& tile) const {
    House* house = tile.house();
    if (house == nullptr || tile.hasFlag(kFlagBurning))
        return;
    NeighbourHouses::Read read;
    update(*house, tile.services(), HouseSurroundings::of(tile), NeighbourHouses::of(tile, read));
}

void HouseUpdate::update(House& house, const TileServices& services,
                         const HouseSurroundings& around, const NeighbourHouses& neighbours) const {
    const double a = attractivenessOf(house, services, around, neighbours);
    if (services.fireSafety < 0)
        house.fireRisk += services.fireSafety;
    house.attractiveness = a;
    const int level = std::clamp(house.level, 1, kHouseLevels);
    updateHealthAndGrowth(house, services, a, housingDemand[static_cast<std::size_t>(level - 1)]);
    updateResidents(house);
    if (house.health <= kDeathHealthLimit)
        Simulation::residentDies(house);
    if (house.fireRisk <= kFireRiskLimit)
        simulation.houseCatchesFire(house);
}
