#pragma once
// The records that hang off a tile carrying a building. The kind of the owning tile
// says which record it is: a tile of kind House owns a House, and so on. Atomic fields
// are written by the building-update thread while the interface thread reads them for
// display; they are plain loads and stores, never guarded by a lock (SharedValue).
#include "city/CityTypes.h"
#include "city/SharedValue.h"

#include <memory>

class Tile;

class Building {
public:
    virtual ~Building() = default;

    Tile* tile = nullptr;
    int amount = 0;           // base rent or base income
    double incomeCarry = 0.0; // earned but not yet paid out
    double lastIncome = 0.0;
    double waste = 0.0; // per day

protected:
    void applyDefaults(const BuildingDefaults& defaults);
};

class House : public Building {
public:
    // Rent raises stop here.
    static constexpr int kMaxRentModifier = 6;

    explicit House(int level);

    // The rent stays between 1 and amount + 6; returns false when the step is refused.
    bool adjustRent(int delta);

    // What neighbours read of a house during the tick comes first.
    SharedValue<int> residents{0};
    int capacity = 0;
    double attractiveness = 0.0;
    int level = 1; // 1 small, 2 large, 3 flats
    int shoppersToPlace = 0;
    int waterUsersToPlace = 0;
    int jobSeekersToPlace = 0;
    int rentModifier = 0;
    double health = 0.0;
    double fireRisk = 0.0;
    int needs = 0;
    SharedValue<int> shownNeeds{kAllNeeds};
    SharedValue<double> growth{0.0};
    SharedValue<double> shownAttractiveness{0.0};
};

class Shop : public Building {
public:
    explicit Shop(int level);

    int level = 1; // 1 market, 2 shop, 3 convenience store
    int capacity = 0;
    SharedValue<int> visitors{0};
    int range = 0;
};

// Water tower and pumping station.
class WaterSupply : public Building {
public:
    explicit WaterSupply(const BuildingDefaults& defaults);

    int capacity = 0;
    SharedValue<int> users{0};
    int range = 0;
};

class Factory : public Building {
public:
    Factory();

    int capacity = 0;
    SharedValue<int> workers{0};
    SharedValue<double> efficiency{0.0};
    int range = 0;
    int goodsType = 0; // a GoodsType
};

// Office building.
class Commercial : public Building {
public:
    Commercial();

    int capacity = 0;
    SharedValue<int> workers{0};
    SharedValue<double> efficiency{0.0};
    int range = 0;
};

class Landfill : public Building {
public:
    Landfill();

    int capacity = 0;
    SharedValue<double> fill{0.0};
};

// Fire station, police station and hospital: nothing beyond the base part.
class ServiceBuilding : public Building {
public:
    explicit ServiceBuilding(const BuildingDefaults& defaults);
};

// The values a fresh record of that kind starts with, which the game never raises:
// capacities, ranges and base amounts. Null for kinds without a record.
const BuildingDefaults* buildingDefaults(TileKind kind, int level);

// A fresh record with the initial values of the kind, or null for kinds without one.
// level matters for houses and shops only; out-of-range levels are clamped.
std::unique_ptr<Building> makeBuilding(TileKind kind, int level);
