#pragma once
// The body of one daily tick: serves the houses with shops, jobs and water, applies the
// public services, updates every house, books the day's money, balances the goods,
// carts the waste away, unlocks buildings and closes the day, month and year. Reads the
// map's kind lists in place: nothing rebuilds them while the tick holds mapMutex.
// Tick thread, mapMutex held.
#include "city/CityTypes.h"
#include "city/HouseUpdate.h"
#include "city/ServiceReach.h"
#include "city/TileLists.h"

#include <array>
#include <chrono>
#include <cstddef>

class NeighbourTable;
class ProviderPool;
class Simulation;
class Tile;

using GoodsAmounts = std::array<double, kGoodsTypeCount>; // by GoodsType

class BuildingTick {
public:
    explicit BuildingTick(Simulation& simulation);

    void run();

    // The money a building yields today; moves its income carry.
    static int dailyIncome(Tile& tile);
    // What the city's classes (in residents) want of each goods at these prices, and
    // what one goods type earns or costs a day when made in that amount.
    static GoodsAmounts goodsDemand(const GoodsAmounts& prices, double lower, double middle,
                                    double upper);
    static double goodsIncome(std::size_t goodsType, double price, double wanted, double made);

private:
    using Clock = std::chrono::steady_clock;

    ServiceLacks lacksToday() const;
    void resetDemand(ProviderPool& pool, NeighbourTable& neighbours);
    void serveAll(ProviderPool& pool);
    void bookShops();
    void runServices(NeighbourTable& neighbours);
    void bookOffices();
    void bookWater();
    void updateHouses(const HouseUpdate& update, const ProviderPool& pool,
                      NeighbourTable& neighbours);
    void balanceGoods();
    void bookInfrastructure();
    void cartWaste();
    void landWaste(double waste);
    bool unlock();
    void closeDay();
    ServiceReach::Ranges serviceRanges() const;
    void printStep(const char* format);

    Simulation& simulation;
    const TileLists& lists;
    double wasteSum = 0.0;
    int population = 0;
    int wasteBuildings = 0;
    std::array<int, 3> starred{}; // houses of one, two and three stars today
    Clock::time_point tickStart;
    Clock::time_point stepStart;
};
