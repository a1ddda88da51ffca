#include "screens/CityInfoWindow.h"

#include "city/City.h"
#include "city/Messages.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/ReportText.h"

#include <algorithm>

namespace {

constexpr int kLabelX = 10;
constexpr int kLabelWidth = 100;
constexpr int kValueX = 80;
constexpr int kValueWidth = 50;
constexpr int kWordX = 150;

struct Row {
    const char* label;
    int y;
};
constexpr std::array<Row, 3> kShareRows{
    {{"Lower class", 49}, {"Middle class", 60}, {"Upper class", 71}}};
constexpr std::array<Row, 3> kHouseRows{
    {{"Small housing", 164}, {"Large housing", 175}, {"Apartment building", 186}}};
constexpr int kPopulationY = 35;
constexpr int kBuildRateY = 242;
constexpr int kUpgradeCostY = 253;
// The button grows to the left where its caption needs more room.
constexpr int kUpgradeButtonRight = 240;
constexpr int kUpgradeButtonWidth = 90;
constexpr int kUpgradeLabelPadding = 6;

// Section help texts run over several lines under their title bars.
constexpr int kHelpTextWidth = 230;
constexpr int kHelpTextHeight = 40;

sf::IntRect labelBox(int y) {
    return {kLabelX, y, kLabelWidth, ReportWindow::kTextHeight};
}

sf::IntRect valueBox(int y) {
    return {kValueX, y, kValueWidth, ReportWindow::kTextHeight};
}

} // namespace

CityInfoWindow::CityInfoWindow(Game& game)
    : ReportWindow(game, {250, 290}, "Population overview") {}

void CityInfoWindow::populateCityInfo() {
    refresh();
}

void CityInfoWindow::build(gui::Window& report) {
    buildPopulation(report);
    buildHousing(report);
    buildConstruction(report);
}

void CityInfoWindow::buildPopulation(gui::Window& report) {
    addHeader(report, {10, 24}, 53, "Description");
    addHeader(report, {kValueX, 24}, kValueWidth, "Number", gui::Align::Right);
    addImage(report, {kLabelX, 31}, "ui/city_population_titles_underline");
    addText(report, labelBox(kPopulationY), "Total population");
    populationText = addText(report, valueBox(kPopulationY), "0", gui::Align::Right, kFontBold);
    for (std::size_t i = 0; i < kShareRows.size(); ++i) {
        addText(report, labelBox(kShareRows[i].y), kShareRows[i].label);
        shareTexts[i] = addText(report, valueBox(kShareRows[i].y), "0%", gui::Align::Right);
    }
    addHelpButton(report, {{230, 35}, {13, 13}}, "ui/help_button", "Social classes",
                  helpSocialClasses);
}

void CityInfoWindow::buildHousing(gui::Window& report) {
    game.ui->addTitleBar(report, 87, "New housing demand");
    addParagraph(report, {kLabelX, 99, kHelpTextWidth, kHelpTextHeight}, helpHousingDemand);
    addHeader(report, {kLabelX, 153}, 53, "Housing kind");
    addHeader(report, {kWordX, 153}, kValueWidth, "Demand");
    addImage(report, {kLabelX, 160}, "ui/city_population_titles_underline");
    for (std::size_t i = 0; i < kHouseRows.size(); ++i) {
        houseLabels[i] = addText(report, labelBox(kHouseRows[i].y), kHouseRows[i].label);
        demandTexts[i] = addText(report, {kWordX, kHouseRows[i].y, kValueWidth, kTextHeight}, "");
        houseLabels[i]->setVisible(false);
        demandTexts[i]->setVisible(false);
    }
}

void CityInfoWindow::buildConstruction(gui::Window& report) {
    game.ui->addTitleBar(report, 202, "Construction");
    addParagraph(report, {kLabelX, 214, kHelpTextWidth, kHelpTextHeight}, helpBuildRate);
    addText(report, labelBox(kBuildRateY), "Build rate");
    buildRateText = addText(report, valueBox(kBuildRateY), "", gui::Align::Right, kFontBold);
    upgradeCostLabel = addText(report, labelBox(kUpgradeCostY), "Upgrade cost");
    upgradeCostText = addText(report, valueBox(kUpgradeCostY), "", gui::Align::Right, kFontBold);
    upgradeButton = addTextButton(
        report, {kUpgradeButtonRight - kUpgradeButtonWidth, kBuildRateY, kUpgradeButtonWidth, 19},
        "", kFontMixed, {});
}

void CityInfoWindow::readGuarded() {
    population = game.simulation->city->populationNow();
}

void CityInfoWindow::rewrite() {
    const City& city = *game.simulation->city;
    populationText->setText(wholeText(population));
    const std::array<double, 3> shares{city.lowerShare, city.middleShare, city.upperShare};
    for (std::size_t i = 0; i < shares.size(); ++i)
        shareTexts[i]->setText(shareText(shares[i]));
    rewriteHousing();
    buildRateText->setText(rateText(game.simulation->buildRate));
    rewriteUpgrade();
}

void CityInfoWindow::rewriteHousing() {
    const Simulation& simulation = *game.simulation;
    const std::array<bool, 3> offered{true, isUnlocked(simulation.unlocked, UnlockFlag::LargeHouse),
                                      isUnlocked(simulation.unlocked, UnlockFlag::Flats)};
    for (std::size_t i = 0; i < offered.size(); ++i) {
        houseLabels[i]->setVisible(offered[i]);
        demandTexts[i]->setVisible(offered[i]);
        demandTexts[i]->setText(demandWord(simulation.housingDemand[i]));
    }
}

void CityInfoWindow::rewriteUpgrade() {
    const std::optional<BuildRateStep> next = game.simulation->nextBuildRate();
    for (gui::Widget* widget :
         std::array<gui::Widget*, 3>{upgradeButton, upgradeCostLabel, upgradeCostText})
        widget->setVisible(next.has_value());
    if (!next) {
        upgradeButton->onClick = nullptr;
        return;
    }
    upgradeCostText->setText(wholeText(next->price));
    upgradeButton->setText(upgradeLabel(next->rate));
    fitUpgradeButton();
    upgradeButton->onClick = [this] { buyUpgrade(); };
}

void CityInfoWindow::fitUpgradeButton() {
    const int width = std::max(kUpgradeButtonWidth,
                               upgradeButton->label()->getTextSize().x + kUpgradeLabelPadding);
    upgradeButton->setX(kUpgradeButtonRight - width);
    upgradeButton->setWidth(width, true);
}

void CityInfoWindow::buyUpgrade() {
    // The budget check and the no-budget message are the simulation's; the window only
    // celebrates and shows the new rate.
    if (game.simulation->buyBuildRate())
        game.ui->playSound("upgrade");
    refresh();
}
