#pragma once
// The daily update of one house: the missing public services, attractiveness, health,
// growth and residents, and the death and fire checks. Tick thread, mapMutex held.
#include "city/HouseSurroundings.h"
#include "city/NeighbourHouses.h"

#include <array>

class Simulation;
class Tile;

struct ServiceLacks {
    bool police = false;
    bool hospital = false;
    bool fire = false;
};

class HouseUpdate {
public:
    HouseUpdate(Simulation& simulation, ServiceLacks lacks);

    // Pushes the tile's crime, fire safety and health care towards bad values for every
    // service the city lacks. Nothing happens for tiles that are not houses.
    void applyServiceLacks(Tile& houseTile, const NeighbourHouses& neighbours) const;
    // A burning house is left as it is until the fire is put out.
    void updateHouse(Tile& houseTile) const;
    // The same, with the house's surroundings and neighbours already known.
    void updateHouse(Tile& houseTile, const HouseSurroundings& around,
                     const NeighbourHouses& neighbours) const;

    // The factor of one day for one house: 0.75 to 1.049.
    double randomFactor() const;

private:
    double attractivenessOf(const Tile& tile, const HouseSurroundings& around,
                            const NeighbourHouses& neighbours) const;

    Simulation& simulation;
    ServiceLacks lacks;
    double streetTrash;
    std::array<double, 4> housingDemand;
};
