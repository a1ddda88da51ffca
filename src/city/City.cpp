#include "city/City.h"

#include "city/Map.h"
#include "city/Messages.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

// Weights and base parts of the lower, middle and upper class, in percent.
constexpr std::array<double, 3> kClassWeights{50.0, 80.0, 90.0};
constexpr std::array<double, 3> kClassBase{0.5, 0.2, 0.1};

void closePeriod(Ledger& income, Ledger& expenses, Ledger& lastIncome, Ledger& lastExpenses) {
    lastIncome = income;
    lastExpenses = expenses;
    income.fill(0.0);
    expenses.fill(0.0);
}

} // namespace

City::City(Simulation& owner) : simulation(owner) {}

void City::reset() {
    {
        const std::scoped_lock lock(budgetMutex);
        budget = 0.0;
        pendingBudget = 0.0;
        deferred = false;
    }
    setPopulation(0);
    for (Ledger* ledger : {&yearIncome, &yearExpenses, &lastYearIncome, &lastYearExpenses,
                           &monthIncome, &monthExpenses, &lastMonthIncome, &lastMonthExpenses})
        ledger->fill(0.0);
    loan = 0;
    lastDayResult = 0.0;
    dayResult = 0.0;
    lowerShare = 0.0;
    middleShare = 0.0;
    upperShare = 0.0;
    streetTrash = 0.0;
    history.clear();
}

void City::setBudget(double value) {
    const std::scoped_lock lock(budgetMutex);
    budget = value;
}

double City::budgetNow() const {
    const std::scoped_lock lock(budgetMutex);
    return budget;
}

void City::addMoney(LedgerCategory category, double amount) {
    const auto slot = static_cast<std::size_t>(category);
    assert(slot < kLedgerSlots);
    bool refresh = false;
    {
        const std::scoped_lock lock(budgetMutex);
        (deferred ? pendingBudget : budget) += amount;
        if (amount < 0) {
            yearExpenses[slot] += amount;
            monthExpenses[slot] += amount;
        } else {
            yearIncome[slot] += amount;
            monthIncome[slot] += amount;
        }
        if (category != LedgerCategory::Construction && category != LedgerCategory::Misc)
            dayResult += amount;
        refresh = !deferred;
    }
    if (refresh)
        simulation.listener().refreshExpenditure();
}

void City::borrow(int amount) {
    if (amount <= 0)
        return;
    loan += amount;
    addMoney(LedgerCategory::Misc, amount);
    simulation.listener().refreshExpenditure();
}

bool City::payBack(int amount) {
    if (amount <= 0)
        return false;
    // The budget is checked before the loan: without a loan a press the budget could not
    // cover is still refused, and one it could cover does nothing.
    const int owed = loan > 0 ? std::min(amount, loan) : amount;
    if (owed > budgetNow()) {
        simulation.listener().showMessage(msgNoBudgetTitle, msgNoBudgetText);
        return false;
    }
    if (loan <= 0)
        return false;
    loan -= owed;
    addMoney(LedgerCategory::Misc, -owed);
    simulation.listener().refreshExpenditure();
    return true;
}

void City::beginDeferred() {
    const std::scoped_lock lock(budgetMutex);
    pendingBudget = 0.0;
    deferred = true;
}

void City::endDeferred() {
    {
        const std::scoped_lock lock(budgetMutex);
        deferred = false;
        budget += pendingBudget;
        pendingBudget = 0.0;
    }
    simulation.listener().refreshExpenditure();
}

void City::closeDay() {
    lastDayResult = dayResult;
    dayResult = 0.0;
}

void City::recordMonth() {
    HistoryRow row;
    row.day = simulation.dayCounter;
    row.population = populationNow();
    row.budget = budgetNow();
    for (std::size_t slot = 0; slot < kLedgerSlots; ++slot) {
        if (slot == static_cast<std::size_t>(LedgerCategory::Misc))
            continue;
        row.income += monthIncome[slot];
        row.expenses += monthExpenses[slot];
    }
    std::copy_n(simulation.housesPerLevel.begin(), row.houses.size(), row.houses.begin());
    history.append(row);
    simulation.listener().refreshHistory();
}

void City::closeMonth() {
    closePeriod(monthIncome, monthExpenses, lastMonthIncome, lastMonthExpenses);
}

void City::closeYear() {
    closePeriod(yearIncome, yearExpenses, lastYearIncome, lastYearExpenses);
}

std::array<double, 3> City::rawClassShares(int c1, int c2, int c3) {
    const int rated = c1 + c2 + c3;
    std::array<double, 3> shares{};
    if (rated == 0)
        return shares;
    const std::array<int, 3> counts{c1, c2, c3};
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const double percent =
            std::round(static_cast<double>(counts[i]) / rated * kClassWeights[i]);
        shares[i] = (percent + kClassBase[i]) / 100.0;
    }
    return shares;
}

void City::updateClassShares() {
    std::array<int, 3> starred{};
    for (const Tile* tile : simulation.map->lists.houses)
        if (const House* house = tile->house())
            countStars(starred, house->shownAttractiveness);
    updateClassShares(starred);
}

void City::countStars(std::array<int, 3>& starred, double shownAttractiveness) {
    const int rating = static_cast<int>(ratingOf(shownAttractiveness));
    if (rating >= static_cast<int>(HousingRating::Tolerable))
        ++starred[static_cast<std::size_t>(rating - static_cast<int>(HousingRating::Tolerable))];
}

void City::updateClassShares(const std::array<int, 3>& starred) {
    const std::array<double, 3> raw = rawClassShares(starred[0], starred[1], starred[2]);
    const std::scoped_lock lock(populationMutex);
    lowerShare = raw[0];
    middleShare = raw[1];
    upperShare = raw[2];
    // The lower class takes up whatever the rated houses do not explain.
    lowerShare += 1.0 - (lowerShare + middleShare + upperShare);
}

int City::populationNow() const {
    const std::scoped_lock lock(populationMutex);
    return population;
}

void City::setPopulation(int value) {
    const std::scoped_lock lock(populationMutex);
    population = value;
}
