#pragma once
// "City expenditure & finances": every ledger category by month and year, the daily
// change and the loan, with the borrow and pay-back buttons. Opened by the player and
// at every year end.
#include "city/CityTypes.h"
#include "screens/ReportWindow.h"

#include <array>
#include <mutex>
#include <vector>

class ExpenditureWindow : public ReportWindow {
public:
    // The value columns, left to right.
    enum Period : std::size_t { LastMonth = 0, Month = 1, LastYear = 2, Year = 3 };
    static constexpr int kLoanStep = 5000;

    struct Row {
        LedgerCategory category;
        std::array<gui::Text*, 4> values; // by Period
    };

    explicit ExpenditureWindow(Game& game);

    // Rewrites the values of an open window.
    void refreshExpenditure();

    // Valid while the window is open; the rows in the order shown, rebuilt at every
    // opening.
    std::vector<Row> expenditureRows;
    std::array<gui::Text*, 4> totalTexts{};
    gui::Text* dailyChangeValue = nullptr;
    gui::Text* loanValue = nullptr;
    gui::Button* borrowButton = nullptr;
    gui::Button* payBackButton = nullptr;

    std::mutex expenditureMutex;

protected:
    std::mutex& windowMutex() override { return expenditureMutex; }
    sf::Vector2i placement() const override;
    void build(gui::Window& report) override;
    void rewrite() override;

private:
    void buildHeaders(gui::Window& report);
    void buildRow(gui::Window& report, LedgerCategory category);
    void buildFooter(gui::Window& report);
    // Net of a category in each period: income plus the (negative) expenses.
    std::array<double, 4> periodResults(LedgerCategory category) const;
};
