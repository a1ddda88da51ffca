#pragma once
// The daily update of one house: the missing public services, attractiveness, health,
// growth and residents, and the death and fire checks. Tick thread, mapMutex held.
#include "city/HouseSurroundings.h"
#include "city/NeighbourHouses.h"

#include <array>

class House;
class Simulation;
class Tile;
struct TileServices;

struct ServiceLacks {
    bool police = false;
    bool hospital = false;
    bool fire = false;
};

class HouseUpdate {
public:
    HouseUpdate(Simulation& simulation, ServiceLacks lacks);

    // A house's day in the tick, its surroundings and neighbours already known: the
    // lacking services push its tile's crime, fire safety and health care towards bad
    // values, then the house is updated unless it burns.
    void dailyStep(Tile& houseTile, House& house, const HouseSurroundings& around,
                   const NeighbourHouses& neighbours) const;
    // The update alone, reading the surroundings and neighbours from the tiles. A
    // burning house, or a tile without one, is left as it is.
    void updateHouse(Tile& houseTile) const;

private:
    // The factor of one day for one house: 0.75 to 1.049.
    double randomFactor() const;
    void applyServiceLacks(const House& house, TileServices& services,
                           const NeighbourHouses& neighbours) const;
    void update(House& house, const TileServices& services, const HouseSurroundings& around,
                const NeighbourHouses& neighbours) const;
    double attractivenessOf(const House& house, const TileServices& services,
                            const HouseSurroundings& around,
                            const NeighbourHouses& neighbours) const;

    Simulation& simulation;
    ServiceLacks lacks;
    double streetTrash;
    std::array<double, 4> housingDemand;
};
