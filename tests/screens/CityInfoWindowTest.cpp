#include "screens/CityInfoWindow.h"

#include "ScreenTestSupport.h"
#include "assets/BitmapFont.h"
#include "city/City.h"

namespace {

class CityInfoReport : public CityScreenTest {
protected:
    CityInfoWindow& report() { return *game.cityInfoWindow; }
    Simulation& simulation() { return *game.simulation; }
};

} // namespace

TEST_F(CityInfoReport, TheUpgradeOnOfferIsPaidForOrRefused) {
    game.ui_showCityInfo();
    const gui::Button& button = *report().upgradeButton;
    click(button);
    EXPECT_EQ(simulation().buildRate, 1.25);
    EXPECT_EQ(simulation().city->budgetNow(), 15000);
    EXPECT_EQ(report().buildRateText->text(), "1.25x");
    EXPECT_EQ(report().upgradeCostText->text(), "15000");
    simulation().city->setBudget(14999);
    click(button);
    EXPECT_EQ(simulation().buildRate, 1.25);
    EXPECT_EQ(simulation().city->budgetNow(), 14999);
    EXPECT_EQ(countTitled("OH NO."), 1);

    const struct {
        double rate;
        const char* cost; // null: nothing on offer
        const char* label;
    } cases[] = {{4.0, "1250000", "Upgrade to 5.00\u00A4"},
                 {1.1, nullptr, nullptr}}; // not a rate of the ladder
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        simulation().buildRate = c.rate;
        game.ui_populateCityInfo();
        const bool offered = c.cost != nullptr;
        EXPECT_EQ(button.visible(), offered);
        EXPECT_EQ(bool(button.onClick), offered);
        if (!offered)
            continue;
        EXPECT_EQ(report().upgradeCostText->text(), c.cost);
        EXPECT_EQ(button.label()->text(), c.label);
        EXPECT_TRUE(game.ui->font(button.label()->fontIndex())->glyphRect(0xA4)); // the mark
        // The whole caption fits; the button keeps its right edge.
        EXPECT_LT(button.label()->getTextSize().x, button.width() - 2);
        EXPECT_EQ(button.position().x + button.width(), 240);
    }
    EXPECT_EQ(report().buildRateText->text(), "1.10x");
}

TEST_F(CityInfoReport, PopulationSharesAndTheHouseKindsOnOffer) {
    simulation().city->setPopulation(1234);
    simulation().city->middleShare = 0.29;
    simulation().housingDemand = {0.75, 0.7499, 0.0, 0.0};
    game.ui_showCityInfo();
    EXPECT_EQ(report().populationText->text(), "1234");
    EXPECT_EQ(report().shareTexts[1]->text(), "29%");
    EXPECT_EQ(report().demandTexts[0]->text(), "High");
    EXPECT_FALSE(report().houseLabels[1]->visible());
    EXPECT_FALSE(report().demandTexts[2]->visible());

    simulation().unlocked = unsigned(UnlockFlag::LargeHouse) | unsigned(UnlockFlag::Flats);
    game.ui_populateCityInfo();
    EXPECT_TRUE(report().houseLabels[1]->visible());
    EXPECT_EQ(report().demandTexts[1]->text(), "Average");
    EXPECT_TRUE(report().demandTexts[2]->visible());
}
