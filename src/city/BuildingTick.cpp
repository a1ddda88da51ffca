#include "city/BuildingTick.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/ProviderPool.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace {

// The day's amounts of one ledger, summed and booked at once, earnings and costs apart
// as the ledger keeps them. Every amount is a whole number, so the sums come out exactly
// as booking each one would, without taking the budget's lock for every building.
class DailySum {
public:
    void add(int amount) { (amount < 0 ? costs : earnings) += amount; }
    void book(City& city, LedgerCategory category) const {
        city.addMoney(category, static_cast<double>(earnings));
        city.addMoney(category, static_cast<double>(costs));
    }

private:
    long long earnings = 0;
    long long costs = 0;
};

// A share of the base amount by how full the building is past its break-even point.
// Losses are paid at once (rounded down), profits once a whole unit has gathered.
int payOut(Building& building, double v) {
    building.incomeCarry += v;
    building.lastIncome = v;
    const int whole = static_cast<int>(std::floor(building.incomeCarry));
    if (whole == 0)
        return 0;
    building.incomeCarry = 0.0;
    return whole;
}

double shareAbove(int amount, int filled, int breakEven, int capacity) {
    return capacity > breakEven
               ? static_cast<double>(amount) * (filled - breakEven) / (capacity - breakEven)
               : 0.0;
}

int houseIncome(House& house) {
    if (house.residents == 0 || house.capacity <= 0)
        return -1; // a vacant house costs its upkeep
    const double v =
        static_cast<double>(house.residents) / house.capacity * (house.amount + house.rentModifier);
    house.incomeCarry += v;
    house.lastIncome = v;
    const int whole = static_cast<int>(std::floor(house.incomeCarry));
    if (whole <= 0)
        return 0;
    house.incomeCarry = 0.0; // the rest of the fraction is dropped
    return whole;
}

double positive(double value) {
    return std::max(value, 0.0);
}

// Raises or lowers a price's effect on demand; cuts below the base price weigh more.
double priceEffect(double price, double base, double scale, double belowBaseWeight) {
    const double effect = (price - base) * scale;
    return effect < 0 ? effect * belowBaseWeight : effect;
}

} // namespace

BuildingTick::BuildingTick(Simulation& owner) : simulation(owner), lists(owner.map->lists) {}

int BuildingTick::dailyIncome(Tile& tile) {
    if (House* house = tile.house())
        return houseIncome(*house);
    if (Shop* shop = tile.shop())
        return payOut(*shop,
                      shareAbove(shop->amount, shop->visitors, shop->capacity / 2, shop->capacity));
    if (Commercial* office = tile.commercial())
        return payOut(*office, shareAbove(office->amount, office->workers, kOfficeBreakEvenWorkers,
                                          office->capacity));
    const auto kind = static_cast<std::size_t>(tile.kind);
    return kind < kFixedDailyAmount.size() ? kFixedDailyAmount[kind] : 0;
}

void BuildingTick::run() {
    std::puts("");
    tickStart = stepStart = Clock::now();
    City& city = *simulation.city;
    city.beginDeferred();
    const ServiceLacks lacks = lacksToday();
    Map& map = *simulation.map;
    ProviderPool pool(map, lists);
    map.houseLayout.refresh(map.revision, lists.houses, map.tiles);
    map.serviceReach.refresh(map.revision, serviceRanges(), lists, map.houseLayout,
                             map.tileServices, map.width, map.height);
    NeighbourTable& neighbours = map.neighbourTable;
    neighbours.startDay(map.houseLayout, lists.houses);
    resetDemand(pool, neighbours);
    serveAll(pool);
    bookShops();
    runServices(neighbours);
    bookOffices();
    bookWater();
    updateHouses(HouseUpdate(simulation, lacks), pool, neighbours);
    // Still inside the day: the refund of what the fires cancel is booked with its
    // money and its month, and the first click after the tick already fights the fire.
    simulation.applyPendingFires();
    wasteBuildings =
        static_cast<int>(lists.shops.size() + lists.houses.size() + lists.factories.size() +
                         lists.offices.size() + lists.parks.size() + lists.hospitals.size());
    balanceGoods();
    bookInfrastructure();
    if (isUnlocked(simulation.unlocked, UnlockFlag::Landfill))
        cartWaste();
    city.addMoney(LedgerCategory::LoanInterest, city.loan * -kLoanInterestPerDay);
    city.endDeferred();
    city.setPopulation(population);
    const bool unlockedAny = unlock();
    std::printf("\tBuilding tick completed in %f sec\n",
                std::chrono::duration<double>(Clock::now() - tickStart).count());
    if (unlockedAny)
        simulation.rebuildActionLists();
    closeDay();
}

ServiceLacks BuildingTick::lacksToday() const {
    const unsigned mask = simulation.unlocked;
    const int day = simulation.dayCounter;
    return ServiceLacks{
        isUnlocked(mask, UnlockFlag::PoliceStation) && day >= simulation.policeGraceEnd,
        isUnlocked(mask, UnlockFlag::Hospital) && day >= simulation.hospitalGraceEnd,
        isUnlocked(mask, UnlockFlag::FireStation) && day >= simulation.fireGraceEnd};
}

void BuildingTick::resetDemand(ProviderPool& pool, NeighbourTable& neighbours) {
    // A house starts the day with what the stations reaching it leave, before its
    // neighbours read it.
    const ServiceReach& reach = simulation.map->serviceReach;
    for (std::size_t i = 0; i < lists.houses.size(); ++i) {
        Tile* tile = lists.houses[i];
        tile->services() = reach.houseValues(i);
        neighbours.take(i, *tile);
        const House* house = tile->house();
        if (house == nullptr)
            continue;
        pool.setDemand(i, std::min(house->residents + 1, house->capacity));
        wasteSum += house->waste;
    }
}

void BuildingTick::serveAll(ProviderPool& pool) {
    for (ProviderPool::Family family :
         {ProviderPool::Family::Shops, ProviderPool::Family::Jobs, ProviderPool::Family::Water})
        pool.serveInDistanceOrder(family);
    pool.publish();
}

void BuildingTick::printStep(const char* format) {
    const Clock::time_point now = Clock::now();
    std::printf(format, std::chrono::duration<double>(now - stepStart).count());
    stepStart = now;
}

void BuildingTick::bookShops() {
    DailySum income;
    for (Tile* tile : lists.shops) {
        if (tile->building == nullptr)
            continue;
        income.add(dailyIncome(*tile));
        wasteSum += tile->building->waste;
    }
    income.book(*simulation.city, LedgerCategory::ShopIncome);
    printStep("\tShops updated in %f sec\n");
}

ServiceReach::Ranges BuildingTick::serviceRanges() const {
    const City& city = *simulation.city;
    const auto range = [](bool extended) {
        return kServiceRange + (extended ? kServiceRangeExtension : 0);
    };
    return {range(city.policeRangeExtended), range(city.hospitalRangeExtended),
            range(city.fireRangeExtended)};
}

void BuildingTick::runServices(NeighbourTable& neighbours) {
    City& city = *simulation.city;
    DailySum costs;
    for (Tile* station : lists.policeStations)
        costs.add(dailyIncome(*station));
    for (Tile* hospital : lists.hospitals) {
        costs.add(dailyIncome(*hospital));
        if (hospital->building != nullptr)
            wasteSum += hospital->building->waste;
    }
    for (Tile* station : lists.fireStations)
        costs.add(dailyIncome(*station));
    costs.book(city, LedgerCategory::PublicServices);
    Map& map = *simulation.map;
    map.serviceReach.moveOthers(map.tileServices, neighbours);
}

void BuildingTick::bookOffices() {
    DailySum income;
    for (Tile* tile : lists.offices) {
        if (tile->building == nullptr)
            continue;
        income.add(dailyIncome(*tile));
        wasteSum += tile->building->waste;
    }
    income.book(*simulation.city, LedgerCategory::OfficeIncome);
    printStep("\tOffices calculated in %f sec\n");
}

void BuildingTick::bookWater() {
    DailySum income;
    for (Tile* tile : lists.water)
        income.add(dailyIncome(*tile));
    income.book(*simulation.city, LedgerCategory::WaterSupply);
    printStep("\tReservoirs calculated in %f sec\n");
}

void BuildingTick::updateHouses(const HouseUpdate& update, const ProviderPool& pool,
                                NeighbourTable& neighbours) {
    const HouseLayout& layout = simulation.map->houseLayout;
    // Counted in locals: the compiler would store the members after every house, since
    // the house's own fields might be them for all it knows.
    HouseCounts perLevel{};
    std::array<int, 3> stars{};
    int people = 0;
    DailySum rents;
    for (std::size_t i = 0; i < lists.houses.size(); ++i) {
        Tile* tile = lists.houses[i];
        House* house = tile->house();
        if (house == nullptr)
            continue;
        pool.settle(i, *house);
        house->shownNeeds = house->needs;
        house->shownAttractiveness = house->attractiveness;
        City::countStars(stars, house->attractiveness);
        const NeighbourHouses around = neighbours.around(i);
        update.dailyStep(*tile, *house, layout.surroundings[i], around);
        neighbours.take(i, *tile);
        rents.add(houseIncome(*house));
        people += house->residents;
        const int level = std::clamp(house->level, 1, kHouseLevels);
        ++perLevel[static_cast<std::size_t>(level - 1)];
    }
    simulation.housesPerLevel = perLevel;
    starred = stars;
    population += people;
    rents.book(*simulation.city, LedgerCategory::HousingIncome);
}

GoodsAmounts BuildingTick::goodsDemand(const GoodsAmounts& prices, double lower, double middle,
                                       double upper) {
    const double a = priceEffect(prices[0], 0.2, 2.0, 5.0);
    const double b = priceEffect(prices[1], 0.4, 1.0 / 0.875, 3.5);
    const double c = priceEffect(prices[2], 1.5, 1.0 / 0.85, 9.0);
    return {
        positive(((1 - 0.95 * a) * lower + (1 - 0.5 * a) * middle + (1 - 0.05 * a) * upper) * 0.5),
        positive(((0.5 - 0.5 * b) * lower + (0.75 - 0.5775 * b) * middle + (1 - 0.35 * b) * upper) *
                 0.25),
        positive(((0.25 - 0.17 * c) * middle + (1 - 0.25 * c) * upper) * 0.1)};
}

double BuildingTick::goodsIncome(std::size_t goodsType, double price, double wanted, double made) {
    return price * wanted - positive(made - wanted) * kGoodsPenalty[goodsType] -
           positive(wanted - made) * kGoodsPenalty[goodsType] * kImportPenaltyFactor;
}

void BuildingTick::balanceGoods() {
    std::array<double, kGoodsSlots>& goods = simulation.goods;
    std::fill(goods.begin(), goods.begin() + kGoodsPrice, 0.0);
    GoodsAmounts demand{};
    {
        const City& city = *simulation.city;
        const std::scoped_lock lock(city.populationMutex);
        demand =
            goodsDemand({goods[kGoodsPrice + 0], goods[kGoodsPrice + 1], goods[kGoodsPrice + 2]},
                        city.lowerShare * population, city.middleShare * population,
                        city.upperShare * population);
    }
    for (std::size_t g = 0; g < demand.size(); ++g)
        goods[kGoodsDemand + g] = demand[g];

    for (Tile* tile : lists.factories) {
        const Factory* factory = tile->factory();
        if (factory == nullptr)
            continue;
        if (factory->goodsType >= 0 && factory->goodsType < kGoodsTypeCount) {
            const auto g = static_cast<std::size_t>(factory->goodsType);
            goods[kGoodsProduction + g] += factory->efficiency * kProductionPerEfficiency[g];
        }
        wasteSum += factory->waste;
    }
    printStep("\tFactories calculated in %f sec\n");

    for (std::size_t g = 0; g < kGoodsTypeCount; ++g) {
        const double income = goodsIncome(g, goods[kGoodsPrice + g], goods[kGoodsDemand + g],
                                          goods[kGoodsProduction + g]);
        goods[kGoodsIncome + g] = income;
        simulation.city->addMoney(LedgerCategory::ProductionIncome, income);
    }
}

void BuildingTick::bookInfrastructure() {
    City& city = *simulation.city;
    const int roads = static_cast<int>(lists.roads.size());
    city.addMoney(LedgerCategory::RoadMaintenance, -roads);
    city.addMoney(LedgerCategory::ParkMaintenance,
                  kFixedDailyAmount[static_cast<std::size_t>(TileKind::Park)] *
                      static_cast<int>(lists.parks.size()));
    city.addMoney(LedgerCategory::WaterSupply, -(roads / kPipeRoadsPerCost));
}

void BuildingTick::cartWaste() {
    City& city = *simulation.city;
    double waste =
        (wasteSum + static_cast<double>(lists.parks.size()) * kParkWaste) * kWasteCollected;
    const double trash = city.streetTrash;
    if (trash > 0) {
        waste += std::min(kStreetTrashPerDay, trash);
        city.streetTrash = std::max(trash - kStreetTrashPerDay, 0.0);
        if (city.streetTrash == 0.0)
            simulation.warnings &= ~kWarningStreetTrash;
    }
    std::printf("\tWaste generated = %f\n", waste);
    std::printf("\tBuildings generating waste = %d\n", wasteBuildings);
    // Below the free allowance the formula would turn into an income: it costs nothing.
    const double cost = ((wasteBuildings / 10) * kWasteCostPerTen + kWasteCostBase) *
                        (wasteBuildings - kWasteFreeBuildings);
    city.addMoney(LedgerCategory::WasteManagement, -positive(cost));
    landWaste(waste);
}

void BuildingTick::landWaste(double waste) {
    City& city = *simulation.city;
    std::vector<Landfill*> open;
    for (Tile* tile : lists.landfills)
        if (Landfill* landfill = tile->landfill())
            open.push_back(landfill);
    std::stable_sort(open.begin(), open.end(),
                     [](const Landfill* a, const Landfill* b) { return a->fill > b->fill; });
    open.erase(std::remove_if(open.begin(), open.end(),
                              [](const Landfill* l) { return l->fill >= l->capacity; }),
               open.end());
    if (open.empty()) {
        city.streetTrash = city.streetTrash + waste;
        if (city.streetTrash >= kStreetTrashWarning &&
            (simulation.warnings & kWarningStreetTrash) == 0) {
            simulation.warnings |= kWarningStreetTrash;
            simulation.listener().playSound("unlocked_feature");
            simulation.listener().showMessage(msgWarningTitle, msgTrashText);
        }
        return;
    }
    // Fill the fullest first; when none has been started, start a random one.
    Landfill* target = open.front();
    if (target->fill == 0.0)
        target = open[static_cast<std::size_t>(simulation.randomNumbers.next()) % open.size()];
    target->fill = std::min(static_cast<double>(target->capacity), target->fill + waste);
}

bool BuildingTick::unlock() {
    bool any = false;
    for (const UnlockRule& rule : kUnlockRules) {
        const unsigned bit = static_cast<unsigned>(rule.flag);
        const int measure =
            rule.measure == UnlockMeasure::WasteBuildings ? wasteBuildings : population;
        if ((simulation.unlocked & bit) != 0 || measure < rule.threshold)
            continue;
        simulation.unlocked |= bit;
        std::puts(rule.line);
        simulation.listener().playSound("unlocked_feature");
        simulation.listener().showMessage(msgUnlockTitle, *rule.text);
        const int graceEnd = simulation.dayCounter + kServiceGraceDays;
        if (rule.grace == GraceService::Fire)
            simulation.fireGraceEnd = graceEnd;
        else if (rule.grace == GraceService::Police)
            simulation.policeGraceEnd = graceEnd;
        else if (rule.grace == GraceService::Hospital)
            simulation.hospitalGraceEnd = graceEnd;
        any = true;
    }
    return any;
}

void BuildingTick::closeDay() {
    City& city = *simulation.city;
    SimulationListener& listener = simulation.listener();
    city.closeDay();
    city.updateClassShares(starred);
    simulation.updateHousingDemand();
    if (simulation.dayCounter % kDaysPerMonth == 0) {
        city.recordMonth();
        city.closeMonth();
        listener.refreshExpenditure();
        listener.playSound("month_end");
    }
    if (simulation.dayCounter % kDaysPerYear == 0) {
        city.closeYear();
        listener.showExpenditure();
        listener.playSound("year_end");
    }
    listener.refreshCityInfo();
    listener.refreshProduction();
}
