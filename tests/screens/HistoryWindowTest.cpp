#include "screens/HistoryWindow.h"

#include "ScreenTestSupport.h"
#include "assets/BitmapFont.h"
#include "city/City.h"
#include "gui/LineChart.h"

#include <cmath>

namespace {

class HistoryReport : public CityScreenTest {
protected:
    HistoryWindow& report() { return *game.historyWindow; }
    Hud& hud() { return *game.hud; }
    // Thirty months of a growing city: 10, 20, ... 300 residents, and a monthly result
    // that turns from a loss to a profit in the fifteenth month.
    static std::vector<HistoryRow> thirtyMonths() {
        std::vector<HistoryRow> rows;
        for (int i = 1; i <= 30; ++i)
            rows.push_back({30 * i, 10 * i, 1000.0 * i, 100.0 * i, -1500.0, {i, 0, 0}});
        return rows;
    }
    // A chosen button shows its caption in bold, and it still fits.
    void expectCaptionsFitInBold() {
        const BitmapFont& bold = *game.ui->font(2);
        std::vector<gui::Button*> buttons(report().seriesButtons.begin(),
                                          report().seriesButtons.end());
        buttons.insert(buttons.end(), report().spanButtons.begin(), report().spanButtons.end());
        for (const gui::Button* button : buttons)
            EXPECT_LT(bold.measureString(button->label()->text()).x, button->width() - 2)
                << button->label()->text();
    }
    std::vector<std::string> labels() {
        const HistoryWindow& r = report();
        return {r.heading->title(),   r.highText->text(),       r.lowText->text(),
                r.latestText->text(), r.firstMonthText->text(), r.lastMonthText->text()};
    }
    // A pixel of the chart's plot area as drawn.
    sf::Color plotPixel(const sf::Image& shot, int x, int y) {
        const sf::IntRect plot = report().chart->plotArea();
        const sf::Vector2i at =
            report().chart->getAbsolutePosition() + sf::Vector2i(plot.left + x, plot.top + y);
        return shot.getPixel(unsigned(at.x), unsigned(at.y));
    }
};

} // namespace

TEST_F(HistoryReport, TheSideButtonOpensTheChartAndTheButtonsSwitchIt) {
    game.simulation->city->history.replace(thirtyMonths());
    const gui::Button& side = *hud().side(Hud::Side::History);
    EXPECT_EQ(side.position().y, hud().side(Hud::Side::City)->position().y + 27);
    // Below the status strip's top on a 640 x 360 screen: nothing of the column or the
    // window reaches it.
    EXPECT_LE(hud().cancelActionButton->position().y + hud().cancelActionButton->height(), 347);
    click(side);
    ASSERT_TRUE(report().isOpen());
    expectCaptionsFitInBold();
    const gui::Window& window = *report().window;
    EXPECT_GT(window.position().x, side.position().x + side.width());
    EXPECT_LE(window.position().y + window.height() + 6, 347); // the Close button hangs out

    EXPECT_EQ(labels(), (std::vector<std::string>{"POPULATION, WHOLE HISTORY", "300", "10",
                                                  "Latest: 300", "30/01 Y1", "30/06 Y3"}));
    const sf::Image shot = picture();
    const sf::IntRect area = report().chart->plotArea();
    const sf::Vector2i plot(area.width, area.height);
    // Rising from the bottom left corner to the top right one.
    EXPECT_EQ(plotPixel(shot, 0, plot.y - 1), game.inkColor);
    EXPECT_EQ(plotPixel(shot, 0, plot.y - 2), game.paperColor);
    EXPECT_EQ(plotPixel(shot, plot.x - 1, 0), game.inkColor);
    EXPECT_EQ(report().chart->zeroRow(), -1);

    click(button(window, "24 months"));
    EXPECT_EQ(labels(), (std::vector<std::string>{"POPULATION, LAST 24 MONTHS", "300", "70",
                                                  "Latest: 300", "30/07 Y1", "30/06 Y3"}));
    click(button(window, "Result"));
    EXPECT_EQ(labels()[0], "MONTHLY RESULT, LAST 24 MONTHS");
    EXPECT_EQ(labels()[1], "1500");
    EXPECT_EQ(labels()[2], "-800");
    // The chosen buttons are marked and take no click.
    const gui::Button& result = *report().seriesButtons[2];
    EXPECT_FALSE(result.enabled());
    EXPECT_EQ(result.label()->fontIndex(), 2);
    EXPECT_TRUE(report().seriesButtons[0]->enabled());
    // A dotted line marks zero, 1500 of the range of 2300 below the top.
    const int zero = report().chart->zeroRow();
    EXPECT_EQ(zero, static_cast<int>(std::lround(1500.0 / 2300 * (plot.y - 1))));
    const sf::Image dotted = picture();
    EXPECT_EQ(plotPixel(dotted, 2, zero), game.inkColor);
    EXPECT_EQ(plotPixel(dotted, 3, zero), game.paperColor);
}

TEST_F(HistoryReport, AMonthEndAddsItsRowToTheOpenWindow) {
    game.ui_showHistory();
    EXPECT_TRUE(report().emptyText->visible());
    EXPECT_FALSE(report().latestText->visible());
    game.simulation->dayCounter = 29;
    passDay();
    EXPECT_FALSE(report().emptyText->visible());
    EXPECT_EQ(report().lastMonthText->text(), "30/01 Y1");
    EXPECT_EQ(report().latestText->text(),
              "Latest: " + std::to_string(game.simulation->city->populationNow()));
}
