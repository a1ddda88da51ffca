#pragma once
// "Population overview": population, class shares, housing demand and the build-rate
// upgrade.
#include "screens/ReportWindow.h"

#include <array>
#include <mutex>

class CityInfoWindow : public ReportWindow {
public:
    explicit CityInfoWindow(Game& game);

    // Rewrites the values of an open window.
    void populateCityInfo();

    // Valid while the window is open. Shares and house rows go lower, middle, upper
    // and small, large, apartment.
    gui::Text* populationText = nullptr;
    std::array<gui::Text*, 3> shareTexts{};
    std::array<gui::Text*, 3> houseLabels{};
    std::array<gui::Text*, 3> demandTexts{};
    gui::Text* buildRateText = nullptr;
    gui::Text* upgradeCostLabel = nullptr;
    gui::Text* upgradeCostText = nullptr;
    gui::Button* upgradeButton = nullptr;

    std::mutex cityInfoMutex;

protected:
    std::mutex& windowMutex() override { return cityInfoMutex; }
    void readGuarded() override;
    void build(gui::Window& report) override;
    void rewrite() override;

private:
    void buildPopulation(gui::Window& report);
    void buildHousing(gui::Window& report);
    void buildConstruction(gui::Window& report);
    void rewriteHousing();
    void rewriteUpgrade();
    void fitUpgradeButton();
    void buyUpgrade();

    int population = 0; // as read for the next rewrite
};
