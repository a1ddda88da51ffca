#pragma once
// "City history": a chart of one series of the city's month ends (population, budget
// or the month's result) over the whole history or the last 24 months, with the range
// of its axis and the latest value. Refreshed whenever the tick closes a month.
#include "city/CityHistory.h"
#include "screens/ReportWindow.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace gui {
class LineChart;
class TitleBar;
} // namespace gui

class HistoryWindow : public ReportWindow {
public:
    // The buttons of each row, left to right.
    enum class Series : std::int32_t { Population = 0, Budget = 1, Result = 2 };
    enum class Span : std::int32_t { Whole = 0, Recent = 1 };
    static constexpr std::size_t kSeriesCount = 3;
    static constexpr std::size_t kSpanCount = 2;
    // Months the recent span shows.
    static constexpr std::size_t kRecentMonths = 24;

    explicit HistoryWindow(Game& game);

    // Valid while the window is open.
    gui::LineChart* chart = nullptr;
    gui::TitleBar* heading = nullptr;
    gui::Text* latestText = nullptr;
    gui::Text* highText = nullptr;
    gui::Text* lowText = nullptr;
    gui::Text* firstMonthText = nullptr;
    gui::Text* lastMonthText = nullptr;
    gui::Text* emptyText = nullptr;
    std::array<gui::Button*, kSeriesCount> seriesButtons{};
    std::array<gui::Button*, kSpanCount> spanButtons{};

    // What the chart shows; kept while the window is closed.
    Series series = Series::Population;
    Span span = Span::Whole;

    std::mutex historyMutex;

protected:
    std::mutex& windowMutex() override { return historyMutex; }
    void readGuarded() override;
    void build(gui::Window& report) override;
    void rewrite() override;

private:
    void buildButtons(gui::Window& report);
    void buildChart(gui::Window& report);
    void show(Series shown);
    void show(Span shown);
    void markChoices();
    std::vector<double> shownValues() const;

    std::vector<HistoryRow> rows; // as read for the next rewrite
};
