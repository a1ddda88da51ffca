#include "screens/CityInfoWindow.h"

#include "ReportTestSupport.h"
#include "assets/BitmapFont.h"
#include "city/City.h"
#include "gui/Button.h"
#include "gui/Text.h"

namespace {

class CityInfoReport : public ReportTest {
protected:
    CityInfoWindow& report() { return *game.cityInfoWindow; }
    Simulation& simulation() { return *game.simulation; }
};

} // namespace

TEST_F(CityInfoReport, UpgradeOnOfferFollowsTheCurrentRate) {
    struct Case {
        double rate;
        const char* cost; // null: nothing on offer
        const char* label;
    };
    const Case cases[] = {{1.0, "10000", "Upgrade to 1.25\u00A4"},
                          {4.0, "1250000", "Upgrade to 5.00\u00A4"},
                          {5.0, nullptr, nullptr},
                          {1.1, nullptr, nullptr}}; // not a rate of the ladder
    game.ui_showCityInfo();
    const gui::Button& button = *report().upgradeButton;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        simulation().buildRate = c.rate;
        game.ui_populateCityInfo();
        const bool offered = c.cost != nullptr;
        EXPECT_EQ(button.visible(), offered);
        EXPECT_EQ(report().upgradeCostLabel->visible(), offered);
        EXPECT_EQ(report().upgradeCostText->visible(), offered);
        EXPECT_EQ(bool(button.onClick), offered);
        if (!offered)
            continue;
        EXPECT_EQ(report().upgradeCostText->text(), c.cost);
        EXPECT_EQ(button.label()->text(), c.label);
        // The whole caption fits; the button keeps its right edge.
        EXPECT_LT(button.label()->getTextSize().x, button.width() - 2);
        EXPECT_EQ(button.position().x + button.width(), 240);
    }
    EXPECT_EQ(report().buildRateText->text(), "1.10x");
}

TEST_F(CityInfoReport, AnUpgradeIsPaidForOrRefused) {
    game.ui_showCityInfo();
    click(*report().upgradeButton);
    EXPECT_EQ(simulation().buildRate, 1.25);
    EXPECT_EQ(simulation().city->budgetNow(), 15000);
    EXPECT_EQ(report().buildRateText->text(), "1.25x");
    EXPECT_EQ(report().upgradeCostText->text(), "15000");

    simulation().city->setBudget(14999);
    click(*report().upgradeButton);
    simulation().drainRequests(carryOut());
    EXPECT_EQ(simulation().buildRate, 1.25);
    EXPECT_EQ(simulation().city->budgetNow(), 14999);
    EXPECT_EQ(countTitled("OH NO."), 1);
}

TEST_F(CityInfoReport, PopulationSharesAndTheHouseKindsOnOffer) {
    simulation().city->setPopulation(1234);
    simulation().city->middleShare = 0.29;
    simulation().housingDemand = {0.75, 0.7499, 0.0, 0.0};
    game.ui_showCityInfo();
    EXPECT_EQ(report().populationText->text(), "1234");
    EXPECT_EQ(report().shareTexts[1]->text(), "29%");
    EXPECT_EQ(report().demandTexts[0]->text(), "High");
    EXPECT_TRUE(report().houseLabels[0]->visible());
    EXPECT_FALSE(report().houseLabels[1]->visible());
    EXPECT_FALSE(report().demandTexts[2]->visible());

    simulation().unlocked = unsigned(UnlockFlag::LargeHouse) | unsigned(UnlockFlag::Flats);
    game.ui_populateCityInfo();
    EXPECT_TRUE(report().houseLabels[1]->visible());
    EXPECT_EQ(report().demandTexts[1]->text(), "Average");
    EXPECT_TRUE(report().demandTexts[2]->visible());
}

TEST_F(CityInfoReport, TheClickMarkOfTheUpgradeButtonIsDrawn) {
    game.ui_showCityInfo();
    const gui::Text& label = *report().upgradeButton->label();
    BitmapFont* font = game.ui->font(label.fontIndex());
    ASSERT_TRUE(font && font->glyphRect(0xA4));
    const sf::Image shot = picture();
    const sf::Vector2i line = label.linePosition(0);
    const int end = line.x + label.lineSizes()[0].x;
    int inked = 0;
    for (int x = end - font->glyphRect(0xA4)->width - 1; x < end; ++x)
        for (int y = line.y; y < line.y + font->getRowHeight(); ++y)
            inked += shot.getPixel(unsigned(x), unsigned(y)) == game.inkColor;
    EXPECT_GT(inked, 10);
}
