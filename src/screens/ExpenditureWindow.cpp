#include "screens/ExpenditureWindow.h"

#include "city/City.h"
#include "city/Messages.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Text.h"
#include "screens/ReportText.h"

namespace {

// Misc. (borrowing and paying back) is left out: the loan line shows it.
constexpr std::array<LedgerCategory, 11> kShownCategories{
    LedgerCategory::Construction,    LedgerCategory::RoadMaintenance,
    LedgerCategory::ParkMaintenance, LedgerCategory::WaterSupply,
    LedgerCategory::WasteManagement, LedgerCategory::PublicServices,
    LedgerCategory::HousingIncome,   LedgerCategory::ShopIncome,
    LedgerCategory::OfficeIncome,    LedgerCategory::ProductionIncome,
    LedgerCategory::LoanInterest,
};

constexpr int kLabelX = 10;
constexpr int kLabelWidth = 100;
constexpr int kValueWidth = 50;
// By ExpenditureWindow::Period.
constexpr std::array<int, 4> kColumnX{100, 140, 200, 240};
constexpr std::array<const char*, 4> kColumnTitles{"Last month", "Month", "Last year", "Year"};
constexpr int kRowTop = 35;
constexpr int kRowStep = 11;
constexpr int kHelpX = 294;
constexpr int kHelpButtonWidth = 9;
constexpr int kHelpButtonHeight = 8;
constexpr int kTotalY = 159;
constexpr int kDailyChangeY = 174;
constexpr int kLoanY = 189;
constexpr int kLoanButtonWidth = 90;
constexpr int kLoanButtonHeight = 16;
// The window sits this much above the middle of the screen.
constexpr int kRaise = 10;

sf::IntRect valueBox(std::size_t period, int y) {
    return {kColumnX[period], y, kValueWidth, ReportWindow::kTextHeight};
}

std::size_t slot(LedgerCategory category) {
    return static_cast<std::size_t>(category);
}

} // namespace

ExpenditureWindow::ExpenditureWindow(Game& game)
    : ReportWindow(game, {310, 240}, "City expenditure & finances") {}

void ExpenditureWindow::refreshExpenditure() {
    refresh();
}

sf::Vector2i ExpenditureWindow::placement() const {
    return ScreenWindow::placement() - sf::Vector2i(0, kRaise);
}

void ExpenditureWindow::build(gui::Window& report) {
    buildHeaders(report);
    expenditureRows.clear();
    for (const LedgerCategory category : kShownCategories)
        buildRow(report, category);
    buildFooter(report);
}

void ExpenditureWindow::buildHeaders(gui::Window& report) {
    addHeader(report, {kLabelX, 24}, kValueWidth, "Category");
    for (std::size_t p = 0; p < kColumnX.size(); ++p)
        addHeader(report, {kColumnX[p], 24}, kValueWidth, kColumnTitles[p], gui::Align::Right);
    addImage(report, {kLabelX, 31}, "ui/expenditure_titles_underline");
}

void ExpenditureWindow::buildRow(gui::Window& report, LedgerCategory category) {
    const int y = kRowTop + kRowStep * static_cast<int>(expenditureRows.size());
    addText(report, {kLabelX, y, kLabelWidth, kTextHeight}, expenseNames[slot(category)]);
    Row row{category, {}};
    for (std::size_t p = 0; p < row.values.size(); ++p)
        row.values[p] = addText(report, valueBox(p, y), "", gui::Align::Right);
    addHelpButton(report, {kHelpX, y, kHelpButtonWidth, kHelpButtonHeight}, "ui/help_button_small",
                  expenseNames[slot(category)], expenseHelp[slot(category)]);
    expenditureRows.push_back(row);
}

void ExpenditureWindow::buildFooter(gui::Window& report) {
    addImage(report, {kLabelX, 156}, "ui/expenditure_titles_underline");
    addText(report, {kLabelX, kTotalY, kValueWidth, kTextHeight}, "Total");
    for (std::size_t p = 0; p < totalTexts.size(); ++p)
        totalTexts[p] = addText(report, valueBox(p, kTotalY), "", gui::Align::Right);
    addText(report, {kLabelX, kDailyChangeY, kValueWidth, kTextHeight}, "Daily change");
    dailyChangeValue =
        addText(report, valueBox(LastMonth, kDailyChangeY), "", gui::Align::Right, kFontBold);
    addText(report, {kLabelX, kLoanY, kValueWidth, kTextHeight}, "Loan");
    loanValue = addText(report, valueBox(LastMonth, kLoanY), "", gui::Align::Right, kFontBold);
    // The city's bookings post a refresh too; refreshing here shows the new loan in
    // the same frame as the click.
    borrowButton = addTextButton(report, {210, 185, kLoanButtonWidth, kLoanButtonHeight},
                                 "Borrow 5000", kFontNormal, [this] {
                                     game.simulation->borrow(kLoanStep);
                                     refresh();
                                 });
    payBackButton = addTextButton(report, {210, 203, kLoanButtonWidth, kLoanButtonHeight},
                                  "Pay back 5000", kFontNormal, [this] {
                                      game.simulation->payBack(kLoanStep);
                                      refresh();
                                  });
}

std::array<double, 4> ExpenditureWindow::periodResults(LedgerCategory category) const {
    const City& city = *game.simulation->city;
    const std::size_t c = slot(category);
    return {city.lastMonthIncome[c] + city.lastMonthExpenses[c],
            city.monthIncome[c] + city.monthExpenses[c],
            city.lastYearIncome[c] + city.lastYearExpenses[c],
            city.yearIncome[c] + city.yearExpenses[c]};
}

void ExpenditureWindow::rewrite() {
    std::array<double, 4> totals{};
    for (const Row& row : expenditureRows) {
        const std::array<double, 4> results = periodResults(row.category);
        for (std::size_t p = 0; p < results.size(); ++p) {
            row.values[p]->setText(flooredText(results[p]));
            totals[p] += results[p];
        }
    }
    for (std::size_t p = 0; p < totals.size(); ++p)
        totalTexts[p]->setText(flooredText(totals[p]));
    const City& city = *game.simulation->city;
    dailyChangeValue->setText(dailyChangeText(city.lastDayResult));
    loanValue->setText(wholeText(city.loan));
}
