#include "Treasurer.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "city/TickTuning.h"
#include "city/Tile.h"

#include <algorithm>
#include <cmath>

namespace {

// A step of rent costs a house 0.147 of attractiveness. A full house only has to keep
// its residents, so it is raised while a little is left after the step; a growing one
// needs room to grow.
constexpr double kFullHouseRaiseAt = 0.18;
constexpr double kFullHouseLowerBelow = 0.0;
constexpr double kGrowingHouseRaiseAt = 0.5;
constexpr double kGrowingHouseLowerBelow = 0.25;
constexpr int kRentSettleDays = 2;
// Prices the production window can reach, in its steps of 0.05.
constexpr double kPriceStep = 0.05;
constexpr double kLowestPrice = 0.05;
constexpr int kPriceStepsTried = 160;
constexpr int kLoanStep = 5000;
// Borrowing is worth it while the interest takes at most this share of a day's result;
// the loan is paid back from whatever the budget holds beyond the cushion.
constexpr double kInterestShare = 0.25;
constexpr int kLoanCushion = 20000;
constexpr int kReserve = 1000;
constexpr unsigned kEveryUnlock = 511;
// A new city earns little until its first houses fill: this much may be borrowed then.
constexpr double kStartingLoan = 30000;
// Build rates worth their price, bought only with this much left over.
constexpr double kHighestBuildRate = 3.0;
constexpr int kBuildRateCushion = 20000;

std::size_t goodsOf(const Factory& factory) {
    return static_cast<std::size_t>(std::clamp(factory.goodsType, 0, kGoodsTypeCount - 1));
}

double output(const Factory& factory, std::size_t goodsType) {
    return factory.efficiency * kProductionPerEfficiency[goodsType];
}

} // namespace

Treasurer::Treasurer(Simulation& owner) : simulation(owner) {}

void Treasurer::manage() {
    setRents();
    if (simulation.dayCounter % kDaysPerMonth == 0)
        assignFactoryGoods();
    setPrices();
    settleLoan();
    buyBuildRate();
}

void Treasurer::setRents() {
    for (Tile* tile : simulation.map->lists.houses)
        setRent(*tile);
}

void Treasurer::setRent(Tile& tile) {
    const House* house = tile.house();
    if (house == nullptr)
        return;
    const auto changed = rentChanged.find(tile.number);
    if (changed != rentChanged.end() && simulation.dayCounter - changed->second < kRentSettleDays)
        return;
    const bool full = house->residents >= house->capacity;
    const double rating = house->shownAttractiveness;
    int step = 0;
    if (rating >= (full ? kFullHouseRaiseAt : kGrowingHouseRaiseAt))
        step = 1;
    else if (rating < (full ? kFullHouseLowerBelow : kGrowingHouseLowerBelow))
        step = -1;
    if (step != 0 && simulation.adjustRent(tile, step))
        rentChanged[tile.number] = simulation.dayCounter;
}

GoodsAmounts Treasurer::classes() const {
    const City& city = *simulation.city;
    const double population = city.populationNow();
    return {city.lowerShare * population, city.middleShare * population,
            city.upperShare * population};
}

std::pair<double, double> Treasurer::bestPrice(std::size_t goodsType, double made) const {
    const GoodsAmounts people = classes();
    double bestPrice = kLowestPrice;
    double bestIncome = -INFINITY;
    for (int step = 0; step < kPriceStepsTried; ++step) {
        const double price = kLowestPrice + step * kPriceStep;
        GoodsAmounts prices{};
        prices[goodsType] = price;
        const double wanted =
            BuildingTick::goodsDemand(prices, people[0], people[1], people[2])[goodsType];
        const double income = BuildingTick::goodsIncome(goodsType, price, wanted, made);
        if (income > bestIncome + 1e-9) {
            bestIncome = income;
            bestPrice = price;
        }
    }
    return {bestPrice, bestIncome};
}

double Treasurer::bestIncome(const GoodsAmounts& made) const {
    double total = 0.0;
    for (std::size_t g = 0; g < made.size(); ++g)
        total += bestPrice(g, made[g]).second;
    return total;
}

void Treasurer::setPrices() {
    for (std::size_t g = 0; g < kGoodsTypeCount; ++g) {
        const double target = bestPrice(g, simulation.goods[kGoodsProduction + g]).first;
        const int goodsType = static_cast<int>(g);
        const double& price = simulation.goods[kGoodsPrice + g];
        while (price < target - kPriceStep / 2)
            simulation.raiseGoodsPrice(goodsType);
        while (price > target + kPriceStep / 2 && price >= 2 * kPriceStep)
            simulation.lowerGoodsPrice(goodsType);
    }
}

void Treasurer::assignFactoryGoods() {
    GoodsAmounts made{};
    for (const Tile* tile : simulation.map->lists.factories)
        if (const Factory* factory = tile->factory())
            made[goodsOf(*factory)] += output(*factory, goodsOf(*factory));
    for (Tile* tile : simulation.map->lists.factories) {
        const Factory* factory = tile->factory();
        if (factory == nullptr)
            continue;
        const std::size_t current = goodsOf(*factory);
        made[current] -= output(*factory, current);
        std::size_t best = current;
        double bestTotal = -INFINITY;
        for (std::size_t g = 0; g < kGoodsTypeCount; ++g) {
            GoodsAmounts trial = made;
            trial[g] += output(*factory, g);
            const double total = bestIncome(trial);
            if (total > bestTotal + 1e-9) {
                bestTotal = total;
                best = g;
            }
        }
        made[best] += output(*factory, best);
        while (goodsOf(*factory) != best)
            simulation.cycleFactoryGoods(*tile, true);
    }
}

bool Treasurer::cityComplete() const {
    return simulation.unlocked == kEveryUnlock;
}

void Treasurer::settleLoan() {
    const City& city = *simulation.city;
    const int cushion = cityComplete() ? kReserve : kLoanCushion;
    while (city.loan > 0 && city.budgetNow() >= kLoanStep + cushion)
        if (!simulation.payBack(kLoanStep))
            return;
}

bool Treasurer::borrowFor(double price, bool essential) {
    const City& city = *simulation.city;
    const double affordableLoan =
        essential
            ? INFINITY
            : std::max(kStartingLoan, city.lastDayResult * kInterestShare / kLoanInterestPerDay);
    bool borrowed = false;
    while ((essential || !cityComplete()) && city.budgetNow() < price &&
           city.loan + kLoanStep <= affordableLoan) {
        simulation.borrow(kLoanStep);
        borrowed = true;
    }
    return borrowed;
}

void Treasurer::buyBuildRate() {
    const std::optional<BuildRateStep> next = simulation.nextBuildRate();
    if (next && next->rate <= kHighestBuildRate &&
        simulation.city->budgetNow() >= next->price + kBuildRateCushion)
        simulation.buyBuildRate();
}
