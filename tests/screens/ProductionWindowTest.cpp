#include "screens/ProductionWindow.h"

#include "ReportTestSupport.h"
#include "city/City.h"
#include "gui/Button.h"
#include "gui/Text.h"

namespace {

class ProductionReport : public ReportTest {
protected:
    ProductionWindow& report() { return *game.productionWindow; }
    double& goods(std::size_t block, int goodsType) {
        return game.simulation->goods[block + static_cast<std::size_t>(goodsType)];
    }
    std::string shown(int goodsType, ProductionWindow::Column column) {
        return report().values[std::size_t(goodsType)][column]->text();
    }
};

} // namespace

TEST_F(ProductionReport, ShowsTheGoodsTableAndTheIncomeTotal) {
    goods(kGoodsDemand, 0) = 12.345;
    goods(kGoodsProduction, 1) = 40;
    goods(kGoodsIncome, 0) = 1.5;
    goods(kGoodsIncome, 1) = -0.25;
    goods(kGoodsIncome, 2) = 2.0;
    game.ui_showProduction();
    ASSERT_TRUE(report().isOpen());
    EXPECT_EQ(shown(0, ProductionWindow::Demand), "12.35");
    EXPECT_EQ(shown(1, ProductionWindow::Production), "40.00");
    EXPECT_EQ(shown(1, ProductionWindow::Income), "-0.25");
    EXPECT_EQ(shown(2, ProductionWindow::Price), "1.50");
    EXPECT_EQ(report().totalText->text(), "3.25");
}

TEST_F(ProductionReport, OpeningAnOpenReportOnlyRefreshesIt) {
    game.ui_showProduction();
    gui::Window* first = report().window;
    goods(kGoodsDemand, 2) = 7;
    game.ui_showProduction();
    EXPECT_EQ(report().window, first);
    EXPECT_EQ(windowsTitled("PRODUCTION & DEMAND").size(), 1u);
    EXPECT_EQ(shown(2, ProductionWindow::Demand), "7.00");
}

TEST_F(ProductionReport, PriceButtonsStepByAFifthOfATenthAndNeverBelowZero) {
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
    EXPECT_GT(goods(kGoodsPrice, 0), 0.0);
    EXPECT_EQ(press(ProductionWindow::Raise), "0.10");
    EXPECT_EQ(press(ProductionWindow::Reset), "0.20");
    // Other rows are left alone.
    EXPECT_EQ(shown(1, ProductionWindow::Price), "0.40");
}

TEST_F(ProductionReport, TheDailyTickRefreshesAnOpenReport) {
    goods(kGoodsDemand, 0) = 7;
    game.ui_showProduction();
    ASSERT_EQ(shown(0, ProductionWindow::Demand), "7.00");
    // A city without residents wants nothing once the tick has balanced the goods.
    passDay();
    EXPECT_EQ(shown(0, ProductionWindow::Demand), "0.00");
}

TEST_F(ProductionReport, HelpButtonsExplainTheColumns) {
    game.ui_showProduction();
    const auto helpButtons = [&] {
        std::vector<gui::Button*> found;
        for (const auto& child : report().window->children())
            if (auto* button = dynamic_cast<gui::Button*>(child.get());
                button && button->position().y == 22)
                found.push_back(button);
        return found;
    }();
    ASSERT_EQ(helpButtons.size(), 2u);
    click(*helpButtons[1]);
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_EQ(messageBoxes()[0]->titleBar()->title(), "PRICING");
}
