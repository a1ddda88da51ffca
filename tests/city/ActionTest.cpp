#include "CityTestSupport.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

// A road at (5, 5) on a blank 12 x 12 map with 25000 to spend; (5, 6) is empty beside
// it, (4, 5) carries a tree.
class ActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 12, 12);
        build(sim, 5, 5, TileKind::Road);
        build(sim, 4, 5, TileKind::Tree);
        sim.map->recalculateVisibleTiles();
        sim.rebuildActionLists();
        sim.city->setBudget(25000);
        requests.clear();
    }
    bool buy(int x, int y, ActionKind kind) {
        const Tile& tile = *sim.map->tileAt(x, y);
        return sim.buyAction(tile.number, slotOf(tile, kind));
    }
    // Clicks until the armed action completes; the number of clicks it took.
    int clicksToComplete() {
        int clicks = 0;
        while (sim.actionKind != ActionKind::None && clicks < 1000) {
            sim.actionClick();
            sim.waitForTick();
            ++clicks;
        }
        return clicks;
    }
    Simulation sim;
    RequestLog requests{sim};
};

TEST_F(ActionTest, ClicksNeededFollowTheBuildRateExceptForDemolishing) {
    const struct {
        ActionKind kind;
        int x, y;
        double rate;
        int clicks;
    } cases[] = {
        {ActionKind::BuildRoad, 5, 6, 1.0, 10},         {ActionKind::BuildRoad, 5, 6, 2.5, 4},
        {ActionKind::BuildSmallHousing, 5, 6, 1.0, 25}, {ActionKind::Demolish, 4, 5, 5.0, 8},
        {ActionKind::PlantTree, 5, 6, 4.0, 10},
    };
    for (const auto& c : cases) {
        SetUp();
        sim.buildRate = c.rate;
        ASSERT_TRUE(buy(c.x, c.y, c.kind));
        EXPECT_EQ(clicksToComplete(), c.clicks) << static_cast<int>(c.kind) << " at " << c.rate;
        EXPECT_EQ(sim.map->tileAt(c.x, c.y)->kind, actionSpec(c.kind).result);
    }
}

TEST_F(ActionTest, BuyingPaysTheRightPriceOrRefuses) {
    ASSERT_TRUE(buy(5, 6, ActionKind::BuildSmallHousing));
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 24000);
    EXPECT_EQ(requests.last(RequestKind::ActionTitle).text, "Build small housing");
    EXPECT_FALSE(buy(5, 4, ActionKind::BuildRoad)); // one action at a time

    sim.cancelAction();
    EXPECT_EQ(sim.actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 25000);
    EXPECT_EQ(requests.last(RequestKind::ActionTitle).text, "");

    sim.city->setBudget(999);
    EXPECT_FALSE(buy(5, 6, ActionKind::BuildSmallHousing));
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).title, "Oh no.");
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 999);

    // Slots and tiles that offer nothing arm nothing.
    EXPECT_FALSE(sim.startAction(sim.map->tileAt(5, 6)->number, 99, 0));
    EXPECT_FALSE(sim.startAction(-5, 0, 0));

    // Upgrading a house costs the upgrade price, building anew the full one.
    Tile& house = build(sim, 5, 6, TileKind::House, 1);
    EXPECT_EQ(Simulation::actionPriceFor(house, ActionKind::BuildLargeHousing), 1500);
    EXPECT_EQ(Simulation::actionPriceFor(*sim.map->tileAt(5, 4), ActionKind::BuildLargeHousing),
              2500);
}

TEST_F(ActionTest, NothingCountsWhileATickRuns) {
    std::promise<void> letGo;
    std::shared_future<void> gate = letGo.get_future().share();
    std::atomic<bool> holding{false};
    sim.setTickHookForTests([&] {
        holding = true;
        gate.wait();
    });
    ASSERT_TRUE(buy(5, 6, ActionKind::BuildRoad));
    for (int i = 0; i < 9; ++i)
        sim.actionClick(); // the tenth would start a day
    EXPECT_EQ(sim.advanceDay(), 1u);
    while (!holding)
        std::this_thread::yield();

    EXPECT_EQ(sim.advanceDay(), 0u);
    EXPECT_FALSE(sim.actionClick());
    EXPECT_EQ(sim.clickCounter, 9);
    EXPECT_DOUBLE_EQ(sim.progress, 9.0);
    EXPECT_FALSE(sim.releaseFinishedTick());
    EXPECT_FALSE(requests.last(RequestKind::DateButtonEnabled).enabled);

    letGo.set_value();
    EXPECT_TRUE(sim.waitForTick());
    EXPECT_TRUE(requests.last(RequestKind::DateButtonEnabled).enabled);
    sim.setTickHookForTests({});
    EXPECT_TRUE(sim.actionClick()); // completes and starts day 2
    sim.waitForTick();
    EXPECT_EQ(sim.dayCounter, 2);
}
