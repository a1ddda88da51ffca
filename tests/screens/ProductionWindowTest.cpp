#include "screens/ProductionWindow.h"

#include "ScreenTestSupport.h"

namespace {

class ProductionReport : public CityScreenTest {
protected:
    ProductionWindow& report() { return *game.productionWindow; }
    double& goods(std::size_t block, int goodsType) {
        return game.simulation->goods[block + std::size_t(goodsType)];
    }
    std::string shown(int goodsType, ProductionWindow::Column column) {
        return report().values[std::size_t(goodsType)][column]->text();
    }
};

} // namespace

TEST_F(ProductionReport, ShowsTheGoodsAndOpeningItAgainOnlyRefreshesIt) {
    goods(kGoodsDemand, 0) = 12.345;
    goods(kGoodsIncome, 0) = 1.5;
    goods(kGoodsIncome, 1) = -0.25;
    game.ui_showProduction();
    gui::Window* opened = report().window;
    EXPECT_EQ(shown(0, ProductionWindow::Demand), "12.35");
    EXPECT_EQ(shown(1, ProductionWindow::Income), "-0.25");
    EXPECT_EQ(shown(2, ProductionWindow::Price), "1.50");
    EXPECT_EQ(report().totalText->text(), "1.25");

    goods(kGoodsProduction, 2) = 7;
    game.ui_showProduction();
    EXPECT_EQ(report().window, opened);
    EXPECT_EQ(countTitled("PRODUCTION & DEMAND"), 1);
    EXPECT_EQ(shown(2, ProductionWindow::Production), "7.00");
    // A city without residents wants nothing once the day's tick has run.
    passDay();
    EXPECT_EQ(shown(0, ProductionWindow::Demand), "0.00");
}

TEST_F(ProductionReport, PriceButtonsStepByFiveHundredthsAndNeverBelowZero) {
    game.ui_showProduction();
    const auto press = [&](ProductionWindow::PriceButton button) {
        click(*report().priceButtons[0][button]);
        return shown(0, ProductionWindow::Price);
    };
    // 0.2 - 0.05 - 0.05 lies just above 0.1, so the third press is still allowed.
    EXPECT_EQ(press(ProductionWindow::Lower), "0.15");
    EXPECT_EQ(press(ProductionWindow::Lower), "0.10");
    EXPECT_EQ(press(ProductionWindow::Lower), "0.05");
    EXPECT_EQ(press(ProductionWindow::Lower), "0.05");
    EXPECT_EQ(press(ProductionWindow::Raise), "0.10");
    EXPECT_EQ(press(ProductionWindow::Reset), "0.20");
    EXPECT_EQ(shown(1, ProductionWindow::Price), "0.40");
}
