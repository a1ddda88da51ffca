#include "CityTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

// Houses beside a road on row 5 of a blank 16 x 16 map, fire stations unlocked and
// past their grace days.
class FireTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 16, 16);
        for (int x = 0; x < 16; ++x)
            build(sim, x, 5, TileKind::Road);
        for (int x = 2; x < 8; ++x)
            settledHouse(sim, x, 6, 1, 0);
        sim.map->markEverythingChanged();
        sim.map->recalculateVisibleTiles();
        sim.rebuildActionLists();
        sim.city->setBudget(25000);
        requests.clear();
    }
    Tile& tileAt(int x) { return *sim.map->tileAt(x, 6); }
    House& houseAt(int x) { return houseOf(tileAt(x)); }
    Simulation sim;
    RequestLog requests{sim};
};

// On the last day of a month, so that a refund booked after the tick would land in
// the next month's books.
TEST_F(FireTest, AFireTakesOverTheArmedActionWithinItsTick) {
    sim.unlocked = static_cast<unsigned>(UnlockFlag::FireStation);
    sim.fireGraceEnd = 1;
    sim.dayCounter = 29;
    houseAt(4).residents = 3;
    houseAt(4).fireRisk = -74.9;
    const Tile& site = *sim.map->tileAt(10, 6);
    ASSERT_TRUE(sim.buyAction(site.number, slotOf(site, ActionKind::BuildMarket)));
    sim.progress = 19; // one click from done
    ASSERT_EQ(sim.advanceDay(), 3u);
    while (sim.tickRunning())
        std::this_thread::yield();
    // Finished, not yet released: the market is gone and clicks reach the fire.
    EXPECT_TRUE(tileAt(4).hasFlag(kFlagBurning));
    EXPECT_EQ(houseAt(4).residents, 0);
    EXPECT_EQ(sim.actionKind, ActionKind::PutOutFires);
    EXPECT_EQ(sim.actionTile, nullptr);
    EXPECT_DOUBLE_EQ(sim.city->lastMonthIncome[slot(LedgerCategory::Construction)], 750);
    EXPECT_DOUBLE_EQ(sim.city->monthIncome[slot(LedgerCategory::Construction)], 0);
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 25000 + sim.city->lastDayResult);
    ASSERT_TRUE(sim.actionClick());
    EXPECT_DOUBLE_EQ(sim.progress, 1.0);
    EXPECT_EQ(site.kind, TileKind::Empty);

    sim.releaseFinishedTick();
    EXPECT_EQ(sim.actionKind, ActionKind::PutOutFires);
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).title, "AAAAAAAAHH!");
    EXPECT_EQ(requests.last(RequestKind::ActionTitle).text, "Put out fires!");
}

TEST_F(FireTest, EveryFireAddsClicksUpToSeventy) {
    sim.actionKind = ActionKind::BuildFlats;
    sim.actionPrice = 5000;
    sim.clicksNeeded = 75;
    sim.startFire(tileAt(2));
    sim.startFire(tileAt(2)); // already burning: nothing more
    sim.applyPendingFires();
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 30000); // the flats are refunded
    const unsigned first = sim.clicksNeeded;
    EXPECT_GE(first, 24u);
    EXPECT_LE(first, 29u);

    sim.startFire(tileAt(3));
    sim.applyPendingFires();
    EXPECT_GE(sim.clicksNeeded, first + 4);
    EXPECT_LE(sim.clicksNeeded, first + 9);
    EXPECT_EQ(requests.count(RequestKind::ShowMessage), 1); // announced once

    for (int x = 0; x < 12; ++x)
        sim.startFire(*sim.map->tileAt(x, 8));
    sim.applyPendingFires();
    EXPECT_EQ(sim.clicksNeeded, 70u);

    sim.cancelAction(); // giving up on the fire pays nothing
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 30000);
}

TEST_F(FireTest, PuttingOutTurnsEveryBurningTileToRubble) {
    houseAt(5).fireRisk = -50.0;
    sim.startFire(tileAt(2));
    sim.startFire(tileAt(3));
    sim.applyPendingFires();
    const unsigned clicks = sim.clicksNeeded;
    for (unsigned i = 0; i < clicks; ++i) {
        ASSERT_TRUE(sim.actionClick());
        sim.waitForTick();
    }
    EXPECT_EQ(sim.actionKind, ActionKind::None);
    EXPECT_EQ(tileAt(2).kind, TileKind::Rubble);
    EXPECT_EQ(tileAt(3).kind, TileKind::Rubble);
    EXPECT_EQ(tileAt(4).kind, TileKind::House);
    EXPECT_DOUBLE_EQ(houseAt(5).fireRisk, 0.0);
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).text,
              "Fire has been put out but the houses have been destroyed..");
    EXPECT_EQ(sim.map->tileAt(2, 6)->actions(), std::vector<ActionKind>{ActionKind::Demolish});
}
