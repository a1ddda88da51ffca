#include "screens/ExpenditureWindow.h"

#include "ReportTestSupport.h"
#include "city/City.h"
#include "gui/Button.h"
#include "gui/Text.h"

namespace {

class ExpenditureReport : public ReportTest {
protected:
    ExpenditureWindow& report() { return *game.expenditureWindow; }
    City& city() { return *game.simulation->city; }
    std::string shown(LedgerCategory category, ExpenditureWindow::Period period) {
        for (const ExpenditureWindow::Row& row : report().expenditureRows)
            if (row.category == category)
                return row.values[period]->text();
        ADD_FAILURE() << "no row for category " << static_cast<int>(category);
        return {};
    }
};

} // namespace

TEST_F(ExpenditureReport, RowsInTheirOrderWithoutMisc) {
    game.ui_showExpenditure();
    std::vector<int> categories;
    for (const ExpenditureWindow::Row& row : report().expenditureRows)
        categories.push_back(static_cast<int>(row.category));
    EXPECT_EQ(categories, (std::vector<int>{0, 1, 2, 7, 10, 9, 3, 4, 6, 5, 8}));
}

TEST_F(ExpenditureReport, EachPeriodIsIncomePlusExpensesRoundedDown) {
    const auto road = static_cast<std::size_t>(LedgerCategory::RoadMaintenance);
    const auto park = static_cast<std::size_t>(LedgerCategory::ParkMaintenance);
    const auto housing = static_cast<std::size_t>(LedgerCategory::HousingIncome);
    city().monthExpenses[road] = -12.5;
    city().monthExpenses[park] = -12.5;
    city().lastMonthIncome[housing] = 100.75;
    city().lastMonthExpenses[housing] = -1.0;
    city().lastYearIncome[housing] = 7.9;
    city().yearExpenses[road] = -3.0;
    city().lastDayResult = 0.25;
    game.ui_showExpenditure();
    EXPECT_EQ(shown(LedgerCategory::RoadMaintenance, ExpenditureWindow::Month), "-13");
    EXPECT_EQ(shown(LedgerCategory::ParkMaintenance, ExpenditureWindow::Month), "-13");
    EXPECT_EQ(shown(LedgerCategory::HousingIncome, ExpenditureWindow::LastMonth), "99");
    EXPECT_EQ(shown(LedgerCategory::HousingIncome, ExpenditureWindow::LastYear), "7");
    EXPECT_EQ(shown(LedgerCategory::RoadMaintenance, ExpenditureWindow::Year), "-3");
    // Totals add the unrounded values: -25, not -26.
    EXPECT_EQ(report().totalTexts[ExpenditureWindow::Month]->text(), "-25");
    EXPECT_EQ(report().totalTexts[ExpenditureWindow::LastMonth]->text(), "99");
    EXPECT_EQ(report().dailyChangeValue->text(), "0.25");
    EXPECT_EQ(report().loanValue->text(), "0");
}

TEST_F(ExpenditureReport, BorrowAndPayBackShowTheLoanAtOnce) {
    game.ui_showExpenditure();
    click(*report().borrowButton);
    click(*report().borrowButton);
    EXPECT_EQ(report().loanValue->text(), "10000");
    EXPECT_EQ(city().budgetNow(), 35000);
    click(*report().payBackButton);
    EXPECT_EQ(report().loanValue->text(), "5000");
    EXPECT_EQ(city().budgetNow(), 30000);
    carryOutRequests();
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(ExpenditureReport, PayingBackWithoutTheMoneyIsRefused) {
    game.ui_showExpenditure();
    click(*report().borrowButton);
    city().setBudget(4999);
    click(*report().payBackButton);
    carryOutRequests();
    EXPECT_EQ(report().loanValue->text(), "5000");
    EXPECT_EQ(city().budgetNow(), 4999);
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_EQ(messageBoxes()[0]->titleBar()->title(), "OH NO.");
}

TEST_F(ExpenditureReport, SitsTenPixelsAboveTheMiddle) {
    game.ui_showExpenditure();
    EXPECT_EQ(report().window->position(), sf::Vector2i((640 - 310) / 2, (360 - 240) / 2 - 10));
}

TEST_F(ExpenditureReport, AYearEndOpensTheReportOnceAndRefreshesIt) {
    game.simulation->dayCounter = 359;
    passDay();
    ASSERT_TRUE(report().isOpen());
    gui::Window* opened = report().window;

    game.simulation->dayCounter = 719;
    city().addMoney(LedgerCategory::Construction, -1000);
    carryOutRequests();
    ASSERT_EQ(shown(LedgerCategory::Construction, ExpenditureWindow::Year), "-1000");
    passDay();
    EXPECT_EQ(report().window, opened);
    EXPECT_EQ(windowsTitled("CITY EXPENDITURE & FINANCES").size(), 1u);
    // The year closed: this year's construction moved to last year.
    EXPECT_EQ(shown(LedgerCategory::Construction, ExpenditureWindow::Year), "0");
    EXPECT_EQ(shown(LedgerCategory::Construction, ExpenditureWindow::LastYear), "-1000");
}

TEST_F(ExpenditureReport, ClosingClearsTheSlotAndLeavesNothingOnScreen) {
    game.ui_showExpenditure();
    const sf::Vector2i titleBar = report().window->getAbsolutePosition() + sf::Vector2i(10, 7);
    EXPECT_EQ(picture().getPixel(unsigned(titleBar.x), unsigned(titleBar.y)), game.inkColor);

    gui::Button* closeButton = nullptr;
    for (const auto& child : report().window->children())
        if (child->id == gui::CloseButtonId)
            closeButton = static_cast<gui::Button*>(child.get());
    ASSERT_NE(closeButton, nullptr);
    click(*closeButton);
    EXPECT_FALSE(report().isOpen());
    EXPECT_EQ(picture().getPixel(unsigned(titleBar.x), unsigned(titleBar.y)), game.paperColor);
    // A refresh of the closed report does nothing, and it opens again afresh.
    game.ui_refreshExpenditure();
    game.ui_showExpenditure();
    EXPECT_TRUE(report().isOpen());
    EXPECT_EQ(windowsTitled("CITY EXPENDITURE & FINANCES").size(), 1u);
}
