#include "CityTestSupport.h"

#include <gtest/gtest.h>

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

TEST_F(MoneyTest, BookingsLandInTheirLedgersAndTickBookingsWaitForTheEnd) {
    city.addMoney(LedgerCategory::Construction, -1000);
    city.addMoney(LedgerCategory::HousingIncome, 7.5);
    city.addMoney(LedgerCategory::Misc, 500);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::Construction)], -1000);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::HousingIncome)], 7.5);
    EXPECT_DOUBLE_EQ(city.dayResult, 7.5); // construction and misc. stay out of the day
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24507.5);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 3);
    city.closeDay();
    EXPECT_DOUBLE_EQ(city.lastDayResult, 7.5);

    requests.clear();
    city.beginDeferred();
    city.addMoney(LedgerCategory::ShopIncome, 40);
    city.addMoney(LedgerCategory::PublicServices, -50);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24507.5);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 0);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::ShopIncome)], 40);
    city.endDeferred();
    EXPECT_DOUBLE_EQ(city.budgetNow(), 24497.5);
    EXPECT_EQ(requests.count(RequestKind::RefreshExpenditure), 1);
}

TEST_F(MoneyTest, LoansNeverGoBelowZero) {
    EXPECT_FALSE(city.payBack(5000)); // no loan: nothing
    EXPECT_EQ(requests.count(RequestKind::ShowMessage), 0);
    city.setBudget(4999); // ...but a press the budget cannot cover is refused all the same
    EXPECT_FALSE(city.payBack(5000));
    EXPECT_EQ(requests.count(RequestKind::ShowMessage), 1);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 4999);
    city.setBudget(25000);
    city.borrow(5000);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 30000);

    city.setBudget(4999);
    EXPECT_FALSE(city.payBack(5000));
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).text,
              "Your city doesn't have enough budget for this.");

    city.setBudget(20000);
    city.loan = 3000;
    EXPECT_TRUE(city.payBack(5000)); // pays back only what is owed
    EXPECT_EQ(city.loan, 0);
    EXPECT_DOUBLE_EQ(city.budgetNow(), 17000);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::Misc)], -3000);
}

TEST(ClassSharesTest, AlwaysSumToOneWithTheLowerClassTakingTheRest) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    sim.city->updateClassShares();
    EXPECT_DOUBLE_EQ(sim.city->lowerShare, 1.0);

    const double attractiveness[] = {0.1, 0.3, 0.3, 0.9, 0.0, -0.5};
    int x = 0;
    for (double a : attractiveness)
        houseOf(build(sim, x++, 0, TileKind::House)).shownAttractiveness = a;
    sim.map->recalculateVisibleTiles();
    sim.city->updateClassShares();
    // one, two and one rated houses: 13, 40 and 23 percent, plus the base parts
    EXPECT_DOUBLE_EQ(sim.city->middleShare, 40.2 / 100);
    EXPECT_DOUBLE_EQ(sim.city->upperShare, 23.1 / 100);
    EXPECT_NEAR(sim.city->lowerShare + sim.city->middleShare + sim.city->upperShare, 1.0, 1e-12);
}
