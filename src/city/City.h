#pragma once
// The money side of the city: budget, loan, population, the eight ledgers, the class
// shares and the trash on the streets. Money is booked only through addMoney; expenses
// are negative. While the tick runs, bookings are held aside and reach the budget in one
// step when it ends. Non-copyable.
#include "city/CityHistory.h"
#include "city/CityTypes.h"

#include <array>
#include <atomic>
#include <mutex>

class Simulation;

using Ledger = std::array<double, kLedgerSlots>;

class City {
public:
    explicit City(Simulation& simulation);
    virtual ~City() = default;
    City(const City&) = delete;
    City& operator=(const City&) = delete;

    void reset();

    void setBudget(double value);
    double budgetNow() const;

    // Safe from the tick thread and the interface thread alike.
    void addMoney(LedgerCategory category, double amount);
    // The tick reads the loan: the interface calls these through Simulation::borrow and
    // Simulation::payBack, which hold mapMutex.
    void borrow(int amount);
    // Pays back at most what is owed; refuses with a message when the budget cannot
    // cover it, or, with nothing owed, the amount asked. Returns true when money was
    // paid back.
    bool payBack(int amount);

    void beginDeferred();
    void endDeferred();

    void closeDay();
    // At a month end, before closeMonth: appends the month's row to the history and
    // asks the interface to show it. Tick thread, mapMutex held.
    void recordMonth();
    void closeMonth();
    void closeYear();

    // From the houses' ratings of the previous day; locks the population mutex.
    void updateClassShares();
    // The same, with the houses of one, two and three stars already counted.
    void updateClassShares(const std::array<int, 3>& starred);
    // Counts a house of this shown attractiveness among those of one, two or three stars.
    static void countStars(std::array<int, 3>& starred, double shownAttractiveness);
    // The raw class shares for c1, c2 and c3 houses of one, two and three stars,
    // before the lower class absorbs the rest.
    static std::array<double, 3> rawClassShares(int c1, int c2, int c3);

    int populationNow() const;
    void setPopulation(int value);

    Simulation& simulation;
    int population = 0; // guarded by populationMutex
    int loan = 0;
    double budget = 0.0; // guarded by budgetMutex
    double pendingBudget = 0.0;
    double lastDayResult = 0.0;
    double dayResult = 0.0;
    double lowerShare = 0.0;
    double middleShare = 0.0;
    double upperShare = 0.0;
    std::atomic<double> streetTrash{0.0};

    Ledger yearIncome{};
    Ledger yearExpenses{};
    Ledger lastYearIncome{};
    Ledger lastYearExpenses{};
    Ledger monthIncome{};
    Ledger monthExpenses{};
    Ledger lastMonthIncome{};
    Ledger lastMonthExpenses{};

    // Emptied by reset, like everything else here.
    CityHistory history;

    bool deferred = false;
    // Each widens that service's range by 3; nothing in the game sets them yet.
    bool hospitalRangeExtended = false;
    bool policeRangeExtended = false;
    bool fireRangeExtended = false;

    mutable std::mutex budgetMutex;
    mutable std::mutex populationMutex;
};
