#include "CityTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr auto slot(LedgerCategory c) {
    return static_cast<std::size_t>(c);
}

// Buys the action on the first visible tile that offers it and clicks it to the end;
// false when no tile offers it.
bool buildSomewhere(Simulation& sim, ActionKind kind) {
    for (Tile* tile : sim.map->visibleTiles()) {
        const std::size_t offered = slotOf(*tile, kind);
        if (offered == tile->actions.size())
            continue;
        if (!sim.buyAction(tile->number, offered))
            return false;
        while (sim.actionKind != ActionKind::None) {
            sim.actionClick();
            sim.waitForTick();
        }
        return true;
    }
    return false;
}

} // namespace

TEST(CityYearTest, ANewCityBuiltByClicksLivesThroughAYear) {
    std::srand(11);
    Simulation sim;
    sim.startNewGame();
    RequestLog requests(sim);
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).title, "Tapburg");
    EXPECT_EQ(requests.count(RequestKind::LeaveTitleScreen), 1);

    for (ActionKind kind :
         {ActionKind::BuildRoad, ActionKind::BuildRoad, ActionKind::BuildRoad,
          ActionKind::BuildRoad, ActionKind::BuildRoad, ActionKind::BuildFactory,
          ActionKind::BuildWaterTower, ActionKind::BuildMarket, ActionKind::BuildSmallHousing,
          ActionKind::BuildSmallHousing, ActionKind::BuildSmallHousing})
        ASSERT_TRUE(buildSomewhere(sim, kind)) << static_cast<int>(kind);
    const int daysByClicks = sim.dayCounter;
    EXPECT_GT(daysByClicks, 20);
    const double spent = -sim.city->yearExpenses[slot(LedgerCategory::Construction)];
    EXPECT_DOUBLE_EQ(spent, 5 * 250 + 3 * 1000 + 750 + 2000 + 2500);

    while (sim.dayCounter < 360)
        runDay(sim);
    EXPECT_EQ(sim.dayCounter, 360);
    const City& city = *sim.city;
    EXPECT_GT(city.populationNow(), 0);
    EXPECT_DOUBLE_EQ(city.lastYearExpenses[slot(LedgerCategory::Construction)], -spent);
    EXPECT_GT(city.lastYearIncome[slot(LedgerCategory::HousingIncome)], 0);
    EXPECT_GT(city.lastYearIncome[slot(LedgerCategory::ShopIncome)] +
                  -city.lastYearExpenses[slot(LedgerCategory::ShopIncome)],
              0);
    EXPECT_LT(city.lastYearExpenses[slot(LedgerCategory::WaterSupply)], 0);
    EXPECT_LT(city.lastYearExpenses[slot(LedgerCategory::RoadMaintenance)], 0);
    for (std::size_t c = 0; c < kLedgerSlots; ++c) {
        EXPECT_DOUBLE_EQ(city.yearIncome[c], 0) << c;
        EXPECT_DOUBLE_EQ(city.yearExpenses[c], 0) << c;
        EXPECT_DOUBLE_EQ(city.monthIncome[c], 0) << c;
    }
    EXPECT_EQ(requests.count(RequestKind::ShowExpenditure), 1);
    EXPECT_FALSE(sim.tickRunning());
}
