#include "screens/HistoryWindow.h"

#include "city/City.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/LineChart.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/Hud.h"
#include "screens/ReportText.h"

#include <algorithm>

namespace {

struct Choice {
    const char* label;
    const char* heading;
    int x;
    int width;
};
// By HistoryWindow::Series and HistoryWindow::Span.
constexpr std::array<Choice, HistoryWindow::kSeriesCount> kSeriesChoices{{
    {"Population", "Population", 6, 72},
    {"Budget", "Budget", 80, 58},
    {"Result", "Monthly result", 140, 58},
}};
constexpr std::array<Choice, HistoryWindow::kSpanCount> kSpanChoices{{
    {"All", "whole history", 206, 36},
    {"24 months", "last 24 months", 244, 70},
}};
constexpr int kButtonY = 20;
constexpr int kButtonHeight = 16;
constexpr int kHeadingY = 40;
constexpr int kLatestY = 52;
const sf::Vector2i kChartAt(50, 64);
const sf::Vector2i kChartSize(260, 104);
constexpr int kAxisLabelX = 6;
constexpr int kAxisLabelWidth = 40;
constexpr int kMonthLabelY = 170;
constexpr int kMonthLabelWidth = 80;

// The last day of the month that closed on this day, as the HUD shows dates.
std::string monthText(int closingDay) {
    return Hud::formatDate(std::max(0, closingDay - 1));
}

} // namespace

HistoryWindow::HistoryWindow(Game& game) : ReportWindow(game, {320, 196}, "City history") {}

void HistoryWindow::readGuarded() {
    rows = game.simulation->city->history.rows();
}

void HistoryWindow::build(gui::Window& report) {
    buildButtons(report);
    buildChart(report);
}

void HistoryWindow::buildButtons(gui::Window& report) {
    for (std::size_t i = 0; i < kSeriesCount; ++i)
        seriesButtons[i] = addTextButton(
            report, {kSeriesChoices[i].x, kButtonY, kSeriesChoices[i].width, kButtonHeight},
            kSeriesChoices[i].label, kFontNormal,
            [this, shown = static_cast<Series>(i)] { show(shown); });
    for (std::size_t i = 0; i < kSpanCount; ++i)
        spanButtons[i] = addTextButton(
            report, {kSpanChoices[i].x, kButtonY, kSpanChoices[i].width, kButtonHeight},
            kSpanChoices[i].label, kFontNormal,
            [this, shown = static_cast<Span>(i)] { show(shown); });
}

void HistoryWindow::buildChart(gui::Window& report) {
    heading = game.ui->addTitleBar(report, kHeadingY, "");
    latestText = addText(report, {10, kLatestY, 200, kTextHeight}, "", gui::Align::Left, kFontBold);
    chart = report.add(std::make_unique<gui::LineChart>(*game.ui, kChartAt, kChartSize));
    const int plotBottom = kChartAt.y + chart->plotArea().height;
    highText = addText(report, {kAxisLabelX, kChartAt.y, kAxisLabelWidth, kTextHeight}, "",
                       gui::Align::Right, kFontSmall);
    lowText = addText(report, {kAxisLabelX, plotBottom - kTextHeight, kAxisLabelWidth, kTextHeight},
                      "", gui::Align::Right, kFontSmall);
    firstMonthText = addText(report, {kChartAt.x, kMonthLabelY, kMonthLabelWidth, kTextHeight}, "",
                             gui::Align::Left, kFontSmall);
    lastMonthText = addText(
        report,
        {kChartAt.x + kChartSize.x - kMonthLabelWidth, kMonthLabelY, kMonthLabelWidth, kTextHeight},
        "", gui::Align::Right, kFontSmall);
    emptyText = addText(
        report,
        {kChartAt.x, kChartAt.y + kChartSize.y / 2 - kTextHeight, kChartSize.x, kTextHeight},
        "No month has ended yet.", gui::Align::Center);
}

void HistoryWindow::show(Series shown) {
    series = shown;
    refresh();
}

void HistoryWindow::show(Span shown) {
    span = shown;
    refresh();
}

std::vector<double> HistoryWindow::shownValues() const {
    const std::size_t first =
        span == Span::Recent && rows.size() > kRecentMonths ? rows.size() - kRecentMonths : 0;
    std::vector<double> values;
    values.reserve(rows.size() - first);
    for (std::size_t i = first; i < rows.size(); ++i) {
        const HistoryRow& row = rows[i];
        values.push_back(series == Series::Population ? row.population
                         : series == Series::Budget   ? row.budget
                                                      : row.result());
    }
    return values;
}

void HistoryWindow::rewrite() {
    markChoices();
    const std::vector<double> values = shownValues();
    const bool any = !values.empty();
    emptyText->setVisible(!any);
    for (gui::Text* text : {latestText, highText, lowText, firstMonthText, lastMonthText})
        text->setVisible(any);
    if (!any) {
        chart->setValues({}, 0.0, 1.0);
        return;
    }
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double low = *lowest;
    // A flat history still needs a range to draw in: it lies along the bottom.
    const double high = *highest > low ? *highest : low + 1.0;
    chart->setValues(values, low, high);
    highText->setText(compactText(high));
    lowText->setText(compactText(low));
    latestText->setText("Latest: " + flooredText(values.back()));
    firstMonthText->setText(monthText(rows[rows.size() - values.size()].day));
    lastMonthText->setText(monthText(rows.back().day));
}

// The chosen buttons show in bold and take no click; the heading names both choices.
void HistoryWindow::markChoices() {
    const auto mark = [](gui::Button& button, bool chosen) {
        button.label()->setFont(chosen ? kFontBold : kFontNormal);
        button.setEnabled(!chosen);
    };
    for (std::size_t i = 0; i < kSeriesCount; ++i)
        mark(*seriesButtons[i], static_cast<Series>(i) == series);
    for (std::size_t i = 0; i < kSpanCount; ++i)
        mark(*spanButtons[i], static_cast<Span>(i) == span);
    heading->setTitle(std::string(kSeriesChoices[static_cast<std::size_t>(series)].heading) + ", " +
                          kSpanChoices[static_cast<std::size_t>(span)].heading,
                      true);
}
