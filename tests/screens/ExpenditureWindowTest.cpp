#include "screens/ExpenditureWindow.h"

#include "ScreenTestSupport.h"
#include "city/City.h"

namespace {

class ExpenditureReport : public CityScreenTest {
protected:
    ExpenditureWindow& report() { return *game.expenditureWindow; }
    City& city() { return *game.simulation->city; }
    std::string shown(LedgerCategory category, ExpenditureWindow::Period period) {
        for (const ExpenditureWindow::Row& row : report().expenditureRows)
            if (row.category == category)
                return row.values[period]->text();
        return "no row";
    }
};

constexpr auto kRoad = std::size_t(LedgerCategory::RoadMaintenance);
constexpr auto kPark = std::size_t(LedgerCategory::ParkMaintenance);
constexpr auto kHousing = std::size_t(LedgerCategory::HousingIncome);

} // namespace

TEST_F(ExpenditureReport, RowsShowIncomePlusExpensesRoundedDown) {
    city().monthExpenses[kRoad] = -12.5;
    city().monthExpenses[kPark] = -12.5;
    city().lastMonthIncome[kHousing] = 100.75;
    city().lastMonthExpenses[kHousing] = -1.0;
    city().lastDayResult = 0.25;
    game.ui_showExpenditure();
    std::vector<int> order;
    for (const ExpenditureWindow::Row& row : report().expenditureRows)
        order.push_back(int(row.category));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 7, 10, 9, 3, 4, 6, 5, 8})); // no Misc.
    EXPECT_EQ(shown(LedgerCategory::RoadMaintenance, ExpenditureWindow::Month), "-13");
    EXPECT_EQ(shown(LedgerCategory::HousingIncome, ExpenditureWindow::LastMonth), "99");
    // Totals add the unrounded values: -25, not -26.
    EXPECT_EQ(report().totalTexts[ExpenditureWindow::Month]->text(), "-25");
    EXPECT_EQ(report().dailyChangeValue->text(), "0.25");
}

TEST_F(ExpenditureReport, BorrowAndPayBackShowAtOnceAndPayingBackNeedsTheMoney) {
    game.ui_showExpenditure();
    click(*report().borrowButton);
    click(*report().borrowButton);
    click(*report().payBackButton);
    EXPECT_EQ(report().loanValue->text(), "5000");
    EXPECT_EQ(city().budgetNow(), 30000);

    city().setBudget(4999);
    click(*report().payBackButton);
    EXPECT_EQ(report().loanValue->text(), "5000");
    EXPECT_EQ(countTitled("OH NO."), 1);
}

TEST_F(ExpenditureReport, AYearEndOpensTheReportOnceAndRefreshesIt) {
    game.simulation->dayCounter = 359;
    passDay();
    ASSERT_TRUE(report().isOpen());

    game.simulation->dayCounter = 719;
    city().addMoney(LedgerCategory::Construction, -1000);
    carryOut();
    ASSERT_EQ(shown(LedgerCategory::Construction, ExpenditureWindow::Year), "-1000");
    passDay();
    EXPECT_EQ(countTitled("CITY EXPENDITURE & FINANCES"), 1);
    EXPECT_EQ(shown(LedgerCategory::Construction, ExpenditureWindow::LastYear), "-1000");
}
