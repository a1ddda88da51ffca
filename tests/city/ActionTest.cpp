#include "CityTestSupport.h"
#include "city/Messages.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr auto slot(LedgerCategory c) {
    return static_cast<std::size_t>(c);
}

} // namespace

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
        {ActionKind::BuildRoad, 5, 6, 1.0, 10},
        {ActionKind::BuildRoad, 5, 6, 2.5, 4},
        {ActionKind::BuildSmallHousing, 5, 6, 1.0, 25},
        {ActionKind::BuildSmallHousing, 5, 6, 2.5, 10},
        {ActionKind::Demolish, 4, 5, 1.0, 8},
        {ActionKind::Demolish, 4, 5, 5.0, 8},
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
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 24000);

    sim.cancelAction();
    EXPECT_EQ(sim.actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 25000);
    EXPECT_DOUBLE_EQ(sim.city->monthIncome[slot(LedgerCategory::Construction)], 1000);
    EXPECT_EQ(requests.last(RequestKind::ActionTitle).text, "");

    sim.city->setBudget(999);
    EXPECT_FALSE(buy(5, 6, ActionKind::BuildSmallHousing));
    EXPECT_EQ(requests.last(RequestKind::ShowMessage).title, "Oh no.");
    EXPECT_EQ(sim.actionKind, ActionKind::None);
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 999);

    // An unknown kind armed by a save file completes into nothing.
    sim.actionKind = static_cast<ActionKind>(99);
    sim.clicksNeeded = 1;
    EXPECT_TRUE(sim.actionClick());
    EXPECT_EQ(sim.actionKind, ActionKind::None);

    // Slots and tiles that offer nothing arm nothing.
    const Tile& empty = *sim.map->tileAt(5, 6);
    EXPECT_FALSE(sim.startAction(empty.number, empty.actions.size(), 0));
    EXPECT_FALSE(sim.startAction(-5, 0, 0));
    EXPECT_EQ(sim.actionKind, ActionKind::None);
}

TEST_F(ActionTest, UpgradesCostTheUpgradePrice) {
    Tile& house = build(sim, 5, 6, TileKind::House, 1);
    EXPECT_EQ(Simulation::actionPriceFor(house, ActionKind::BuildLargeHousing), 1500);
    EXPECT_EQ(Simulation::actionPriceFor(*sim.map->tileAt(5, 4), ActionKind::BuildLargeHousing),
              2500);
    EXPECT_EQ(Simulation::actionPriceFor(house, ActionKind::Demolish), 150);
}

TEST_F(ActionTest, EachClickMarksTheTileAndRaisesThePitch) {
    ASSERT_TRUE(buy(5, 6, ActionKind::BuildRoad));
    requests.clear();
    ASSERT_TRUE(sim.actionClick());
    const Request mark = requests.last(RequestKind::FloatingMark);
    EXPECT_FLOAT_EQ(mark.x, (5 + 6) * 16 + 16);
    EXPECT_FLOAT_EQ(mark.y, (6 - 5) * 8 + 8);
    EXPECT_GE(mark.drift, -0.5f);
    EXPECT_LE(mark.drift, 0.5f);
    const Request sound = requests.last(RequestKind::PlaySound);
    EXPECT_EQ(sound.text, "progress_build");
    EXPECT_FLOAT_EQ(sound.pitch, 0.1f * 0.3f + 0.75f);
    EXPECT_GE(sound.volume, 36.f);
    EXPECT_LT(sound.volume, 40.f);
}

TEST_F(ActionTest, TheTenthClickCompletesAndAdvancesTheDay) {
    ASSERT_TRUE(buy(5, 6, ActionKind::BuildRoad));
    for (int i = 0; i < 9; ++i)
        sim.actionClick();
    EXPECT_EQ(sim.clickCounter, 9);
    EXPECT_EQ(sim.dayCounter, 0);
    requests.clear();
    sim.actionClick();
    sim.waitForTick();
    EXPECT_EQ(sim.map->tileAt(5, 6)->kind, TileKind::Road);
    EXPECT_EQ(sim.dayCounter, 1);
    EXPECT_EQ(sim.clickCounter, 0);
    const Request shake = requests.last(RequestKind::Shake);
    EXPECT_FLOAT_EQ(shake.strength, 0.36f);
    EXPECT_FLOAT_EQ(shake.decay, 1.2f);
    EXPECT_EQ(requests.count(RequestKind::DateButtonEnabled), 2); // off, then on again
    EXPECT_TRUE(requests.last(RequestKind::DateButtonEnabled).enabled);
    // The click counter runs across actions.
    ASSERT_TRUE(buy(5, 7, ActionKind::BuildRoad));
    sim.actionClick();
    EXPECT_EQ(sim.clickCounter, 1);
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
    EXPECT_EQ(sim.dayCounter, 1);
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

TEST_F(ActionTest, BuildRateLadder) {
    sim.city->setBudget(2000000);
    double expected[] = {1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0};
    for (double rate : expected) {
        ASSERT_TRUE(sim.buyBuildRate());
        EXPECT_DOUBLE_EQ(sim.buildRate, rate);
    }
    EXPECT_FALSE(sim.nextBuildRate().has_value());
    EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 2000000 - 1480000);
    sim.buildRate = 1.1; // not on the ladder: nothing offered
    EXPECT_FALSE(sim.buyBuildRate());
}
