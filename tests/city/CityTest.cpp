#include "CityTestSupport.h"
#include "city/Messages.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr auto slot(LedgerCategory c) {
    return static_cast<std::size_t>(c);
}

} // namespace

class MoneyTest : public ::testing::Test {
protected:
    void SetUp() override {
        city.reset();
        city.setBudget(25000);
        requests.clear();
    }
    Simulation sim;
    City& city = *sim.city;
    RequestLog requests{sim};
};

TEST_F(MoneyTest, BookingsLandInTheRightLedgersWithTheirSigns) {
    city.addMoney(LedgerCategory::Construction, -1000);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24000);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::Construction)], -1000);
    EXPECT_DOUBLE_EQ(city.yearExpenses[slot(LedgerCategory::Construction)], -1000);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::Construction)], 0);
    EXPECT_DOUBLE_EQ(city.dayResult, 0);

    city.addMoney(LedgerCategory::HousingIncome, 7.5);
    city.addMoney(LedgerCategory::RoadMaintenance, -3);
    city.addMoney(LedgerCategory::Misc, 500);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::HousingIncome)], 7.5);
    EXPECT_DOUBLE_EQ(city.yearExpenses[slot(LedgerCategory::RoadMaintenance)], -3);
    EXPECT_DOUBLE_EQ(city.dayResult, 4.5);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24504.5);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 4);

    city.closeDay();
    EXPECT_DOUBLE_EQ(city.lastDayResult, 4.5);
    EXPECT_DOUBLE_EQ(city.dayResult, 0);
}

TEST_F(MoneyTest, TickBookingsWaitForTheEndOfTheTick) {
    city.beginDeferred();
    city.addMoney(LedgerCategory::ShopIncome, 40);
    city.addMoney(LedgerCategory::PublicServices, -50);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 25000);
    EXPECT_DOUBLE_EQ(city.pendingBudget, -10);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 0);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::ShopIncome)], 40);
    city.endDeferred();
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24990);
    EXPECT_DOUBLE_EQ(city.pendingBudget, 0);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 1);
    city.addMoney(LedgerCategory::ShopIncome, 1);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24991);
}

TEST_F(MoneyTest, LoansNeverGoBelowZero) {
    EXPECT_FALSE(city.payBack(5000)); // no loan: nothing, silently
    EXPECT_TRUE(requests.last(RequestKind::ShowMessage).title.empty());
    EXPECT_DOUBLE_EQ(city.budgetNow(), 25000);

    city.borrow(5000);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 30000);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::Misc)], 5000);

    city.setBudget(4999);
    EXPECT_FALSE(city.payBack(5000));
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).title, "Oh no.");
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).text,
              "Your city doesn't have enough budget for this.");
    EXPECT_EQ(city.loan, 5000);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 4999);

    city.setBudget(20000);
    city.loan = 3000;
    EXPECT_TRUE(city.payBack(5000)); // pays back only what is owed
    EXPECT_EQ(city.loan, 0);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 17000);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::Misc)], -3000);
}

TEST_F(MoneyTest, ClosingAPeriodMovesItToLastAndClearsIt) {
    city.addMoney(LedgerCategory::ShopIncome, 10);
    city.addMoney(LedgerCategory::WaterSupply, -15);
    city.closeMonth();
    EXPECT_DOUBLE_EQ(city.lastMonthIncome[slot(LedgerCategory::ShopIncome)], 10);
    EXPECT_DOUBLE_EQ(city.lastMonthExpenses[slot(LedgerCategory::WaterSupply)], -15);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::ShopIncome)], 0);
    EXPECT_DOUBLE_EQ(city.yearIncome[slot(LedgerCategory::ShopIncome)], 10);
    city.closeYear();
    EXPECT_DOUBLE_EQ(city.lastYearExpenses[slot(LedgerCategory::WaterSupply)], -15);
    EXPECT_DOUBLE_EQ(city.yearExpenses[slot(LedgerCategory::WaterSupply)], 0);
    city.borrow(100);
    city.streetTrash = 40;
    city.reset();
    EXPECT_EQ(city.loan, 0);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 0);
    EXPECT_DOUBLE_EQ(city.lastYearExpenses[slot(LedgerCategory::WaterSupply)], 0);
    EXPECT_DOUBLE_EQ(city.streetTrash.load(), 0);
}

TEST(ClassSharesTest, AlwaysSumToOneWithTheLowerClassTakingTheRest) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    sim.city->updateClassShares();
    EXPECT_DOUBLE_EQ(sim.city->lowerShare, 1.0);
    EXPECT_DOUBLE_EQ(sim.city->middleShare, 0.0);
    EXPECT_DOUBLE_EQ(sim.city->upperShare, 0.0);

    const double attractiveness[] = {0.1, 0.3, 0.3, 0.9, 0.0, -0.5};
    int x = 0;
    for (double a : attractiveness)
        build(sim, x++, 0, TileKind::House).house()->shownAttractiveness = a;
    sim.map->recalculateVisibleTiles();
    sim.city->updateClassShares();
    // one, two and one rated houses: 13, 40 and 23 percent, plus the base parts
    EXPECT_DOUBLE_EQ(sim.city->middleShare, 40.2 / 100);
    EXPECT_DOUBLE_EQ(sim.city->upperShare, 23.1 / 100);
    EXPECT_NEAR(sim.city->lowerShare + sim.city->middleShare + sim.city->upperShare, 1.0, 1e-12);

    const auto upper = City::rawClassShares(0, 0, 5);
    EXPECT_DOUBLE_EQ(upper[2], 0.901);
    EXPECT_GT(City::rawClassShares(3, 1, 0)[0], City::rawClassShares(1, 3, 0)[0]);
}
