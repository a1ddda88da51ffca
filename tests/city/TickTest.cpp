#include "CityTestSupport.h"
#include "city/BuildingTick.h"
#include "city/Messages.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr auto slot(LedgerCategory c) {
    return static_cast<std::size_t>(c);
}

} // namespace

// A blank 20 x 20 map with a road along row 5 and 25000 to spend.
class TickTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 20, 20);
        for (int x = 0; x < 20; ++x)
            build(sim, x, 5, TileKind::Road);
        sim.city->setBudget(25000);
        sim.housingDemand = {1, 0, 0, 0};
        refreshLists();
        requests.clear();
    }
    void refreshLists() {
        sim.map->markEverythingChanged();
        sim.map->recalculateVisibleTiles();
    }
    std::vector<std::string> messageTexts() {
        std::vector<std::string> texts;
        for (const Request& request : requests.all())
            if (request.kind == RequestKind::ShowMessage)
                texts.push_back(request.text);
        return texts;
    }
    Simulation sim;
    RequestLog requests{sim};
};

TEST_F(TickTest, DailyIncomeRoundsLossesAtOnceAndProfitsWhenWhole) {
    const struct {
        TileKind kind;
        int filled;
        int expected;
    } cases[] = {
        {TileKind::Shop, 7, 0},          {TileKind::Shop, 15, 5},
        {TileKind::Shop, 0, -5},         {TileKind::Commercial, 40, 0},
        {TileKind::Commercial, 100, 50}, {TileKind::House, 0, -1},
        {TileKind::House, 3, 2},         {TileKind::Road, 0, -1},
        {TileKind::Hospital, 0, -50},    {TileKind::PumpingStation, 0, -35},
    };
    for (const auto& c : cases) {
        Tile& tile = build(sim, 3, 3, c.kind, 1);
        if (Shop* shop = tile.shop())
            shop->visitors = c.filled;
        if (Commercial* office = tile.commercial())
            office->workers = c.filled;
        if (House* house = tile.house())
            house->residents = c.filled;
        EXPECT_EQ(BuildingTick::dailyIncome(tile), c.expected)
            << static_cast<int>(c.kind) << " with " << c.filled;
    }
    // One resident of three pays 2/3 a day: nothing, then 1 with the fraction dropped.
    Tile& tile = build(sim, 3, 3, TileKind::House, 1);
    tile.house()->residents = 1;
    EXPECT_EQ(BuildingTick::dailyIncome(tile), 0);
    EXPECT_EQ(BuildingTick::dailyIncome(tile), 1);
    EXPECT_DOUBLE_EQ(tile.house()->incomeCarry, 0.0);
}

TEST_F(TickTest, AVacantHouseStillAsksForOneOfEach) {
    Tile& house = build(sim, 3, 6, TileKind::House, 1);
    Tile& market = build(sim, 4, 6, TileKind::Shop, 1);
    refreshLists();
    runDay(sim);
    EXPECT_EQ(market.shop()->visitors, 1);
    EXPECT_EQ(house.house()->needs, kNeedWater | kNeedJobs);
    EXPECT_EQ(house.house()->waterUsersToPlace, 1);
    EXPECT_EQ(house.house()->jobSeekersToPlace, 1);
}

TEST_F(TickTest, NearerHousesAreServedFirstAndFullProvidersPassOn) {
    // far has the lower number but sits 3 from the small shop; near sits beside it.
    Tile& far = build(sim, 5, 2, TileKind::House, 1);
    Tile& near = build(sim, 6, 6, TileKind::House, 1);
    Tile& shop = build(sim, 5, 6, TileKind::Shop, 1);
    Tile& second = build(sim, 9, 6, TileKind::Shop, 1);
    shop.shop()->capacity = 2;
    far.house()->residents = 2; // three shoppers
    near.house()->health = 1.0; // keeps today's residents as they are
    far.house()->health = 1.0;
    refreshLists();
    runDay(sim);
    EXPECT_EQ(shop.shop()->visitors, 2);
    EXPECT_EQ(second.shop()->visitors, 2); // far's remaining two went on to the next shop
    EXPECT_EQ(near.house()->needs & kNeedShops, 0);
    EXPECT_EQ(far.house()->needs & kNeedShops, 0);

    second.shop()->capacity = 1;
    runDay(sim);
    EXPECT_EQ(near.house()->shoppersToPlace, 0);
    EXPECT_EQ(far.house()->shoppersToPlace, 1);
    EXPECT_NE(far.house()->needs & kNeedShops, 0);
}

TEST_F(TickTest, JobsSetEfficiencyAndWaterIsServed) {
    Tile& house = build(sim, 2, 6, TileKind::House, 3);
    house.house()->residents = 14;
    house.house()->health = 1.0;
    Tile& factory = build(sim, 8, 6, TileKind::Factory);
    Tile& tower = build(sim, 9, 4, TileKind::WaterTower);
    refreshLists();
    runDay(sim);
    EXPECT_EQ(factory.factory()->workers, 15);
    EXPECT_DOUBLE_EQ(factory.factory()->efficiency, 5.0 / 30.0);
    EXPECT_EQ(tower.waterSupply()->users, 15);
    EXPECT_EQ(house.house()->needs, kNeedShops);
    EXPECT_DOUBLE_EQ(sim.goods[kGoodsProduction + 0], 40.0 * 5.0 / 30.0);
}

TEST_F(TickTest, TheDayBooksItsMoneyOnceTheTickEnds) {
    Tile& house = build(sim, 2, 6, TileKind::House, 1);
    house.house()->residents = 3;
    house.house()->health = 1.0;
    build(sim, 3, 6, TileKind::Park);
    sim.city->loan = 10000;
    refreshLists();
    runDay(sim);
    const City& city = *sim.city;
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::RoadMaintenance)], -20);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::ParkMaintenance)], -10);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::WaterSupply)], -4);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::HousingIncome)], 2);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::LoanInterest)], -7.5);
    EXPECT_EQ(city.populationNow(), 3);
    const double production = city.monthIncome[slot(LedgerCategory::ProductionIncome)] +
                              city.monthExpenses[slot(LedgerCategory::ProductionIncome)];
    EXPECT_DOUBLE_EQ(city.budgetNow(), 25000 - 20 - 10 - 4 + 2 - 7.5 + production);
    EXPECT_DOUBLE_EQ(city.lastDayResult, city.budgetNow() - 25000);
}

TEST_F(TickTest, MonthsAndYearsClose) {
    sim.dayCounter = 29;
    runDay(sim);
    EXPECT_DOUBLE_EQ(sim.city->lastMonthExpenses[slot(LedgerCategory::RoadMaintenance)], -20);
    EXPECT_DOUBLE_EQ(sim.city->monthExpenses[slot(LedgerCategory::RoadMaintenance)], 0);
    EXPECT_DOUBLE_EQ(sim.city->yearExpenses[slot(LedgerCategory::RoadMaintenance)], -20);
    EXPECT_EQ(requests.last(RequestKind::PlaySound).text, "month_end");
    EXPECT_EQ(requests.count(RequestKind::ShowExpenditure), 0);

    sim.dayCounter = 359;
    requests.clear();
    EXPECT_EQ(sim.advanceDay(), 7u);
    sim.waitForTick();
    EXPECT_DOUBLE_EQ(sim.city->lastYearExpenses[slot(LedgerCategory::RoadMaintenance)], -40);
    EXPECT_DOUBLE_EQ(sim.city->yearExpenses[slot(LedgerCategory::RoadMaintenance)], 0);
    EXPECT_EQ(requests.count(RequestKind::ShowExpenditure), 1);
    EXPECT_EQ(requests.last(RequestKind::PlaySound).text, "year_end");
    EXPECT_EQ(requests.count(RequestKind::RefreshCityInfo), 1);
}

TEST_F(TickTest, ThreeUnlocksAtPopulation330InTheirOrder) {
    for (int i = 0; i < 22; ++i) {
        Tile& flats = build(sim, 1 + i % 11, i < 11 ? 6 : 4, TileKind::House, 3);
        flats.house()->residents = 15;
        flats.house()->health = 1.0;
    }
    refreshLists();
    runDay(sim);
    EXPECT_EQ(sim.city->populationNow(), 330);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{msgUnlockLargeHousing, msgUnlockFlats,
                                                        msgUnlockConvenienceStore}));
    EXPECT_EQ(sim.unlocked, 7u);
    EXPECT_EQ(requests.count(RequestKind::PlaySound), 3);
    runDay(sim); // each shows once
    EXPECT_EQ(messageTexts().size(), 3u);
}

TEST_F(TickTest, FireHazardCountsOnlyAfterTheGraceDays) {
    Tile& house = build(sim, 2, 6, TileKind::House, 1);
    house.house()->residents = 3;
    house.house()->health = 1.0;
    sim.dayCounter = 399;
    sim.unlocked = static_cast<unsigned>(UnlockFlag::FireStation) - 1; // all before it
    // 3 + 27 * 15 residents: past the fire station's 400.
    for (int i = 0; i < 27; ++i) {
        Tile& flats = build(sim, i % 18 + 1, i < 18 ? 4 : 3, TileKind::House, 3);
        flats.house()->residents = 15;
        flats.house()->health = 1.0;
    }
    refreshLists();
    runDay(sim);
    EXPECT_EQ(sim.fireGraceEnd, 580);
    EXPECT_EQ(messageTexts().back(), msgUnlockFireStation);
    sim.dayCounter = 578;
    runDay(sim);
    EXPECT_DOUBLE_EQ(house.fireSafety, 0.0);
    runDay(sim);
    EXPECT_LT(house.fireSafety, 0.0);
}

TEST_F(TickTest, WasteGoesToLandfillsOrOntoTheStreets) {
    sim.unlocked = static_cast<unsigned>(UnlockFlag::Landfill);
    Tile& house = build(sim, 2, 6, TileKind::House, 3);
    house.house()->health = 1.0;
    refreshLists();
    sim.city->streetTrash = 1500.0;
    runDay(sim);
    EXPECT_NEAR(sim.city->streetTrash, 1000.0 + 500.0 + 0.1, 1e-9); // flats make 1.0 a day
    EXPECT_EQ(messageTexts(), std::vector<std::string>{msgTrashText});
    EXPECT_DOUBLE_EQ(sim.city->monthExpenses[slot(LedgerCategory::WasteManagement)], 0.0);
    runDay(sim);
    EXPECT_EQ(messageTexts().size(), 1u); // once until the streets are clear

    Tile& full = build(sim, 6, 6, TileKind::Landfill);
    Tile& started = build(sim, 7, 6, TileKind::Landfill);
    Tile& empty = build(sim, 8, 6, TileKind::Landfill);
    full.landfill()->fill = 10000.0;
    started.landfill()->fill = 10.0;
    refreshLists();
    for (int day = 0; day < 5; ++day)
        runDay(sim);
    EXPECT_DOUBLE_EQ(sim.city->streetTrash, 0.0);
    EXPECT_EQ(sim.warnings & kWarningStreetTrash, 0u);
    EXPECT_DOUBLE_EQ(full.landfill()->fill, 10000.0);
    EXPECT_DOUBLE_EQ(empty.landfill()->fill, 0.0);
    EXPECT_GT(started.landfill()->fill, 1500.0);

    // Once every landfill is full the trash piles up and warns again.
    started.landfill()->fill = 10000.0;
    empty.landfill()->fill = 10000.0;
    sim.city->streetTrash = 999.95;
    runDay(sim);
    EXPECT_EQ(messageTexts().size(), 2u);
}

TEST_F(TickTest, TwoDatePressesDuringATickMakeOneDay) {
    EXPECT_EQ(sim.advanceDay(), 1u);
    sim.advanceDay(); // refused unless the first has already finished
    sim.waitForTick();
    sim.waitForTick();
    EXPECT_GE(sim.dayCounter, 1);
    EXPECT_LE(sim.dayCounter, 2);
    EXPECT_FALSE(sim.tickRunning());
    EXPECT_FALSE(sim.waitForTick()); // nothing left to wait for
}

TEST(TickThreadTest, ClosingWhileATickRunsWaitsForIt) {
    auto sim = std::make_unique<Simulation>();
    makeBlankMap(*sim, 30, 30);
    sim->setTickHookForTests([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
    ASSERT_EQ(sim->advanceDay(), 1u);
    sim.reset(); // must join the tick before the map and city go
    SUCCEED();
}

TEST(RequestQueueTest, AnUndrainedQueueKeepsTheNewestInOrder) {
    RequestQueue queue;
    for (int i = 0; i < 5000; ++i)
        queue.centreViewOnTile(i, 0);
    const std::vector<Request> kept = queue.take();
    ASSERT_EQ(kept.size(), RequestQueue::kMaxPending);
    EXPECT_EQ(kept.front().tileX, 5000 - static_cast<int>(RequestQueue::kMaxPending));
    EXPECT_EQ(kept.back().tileX, 4999);
    EXPECT_EQ(queue.size(), 0u);

    queue.setActionTitle("a");
    queue.drain({}); // nobody to hand them to: they stay
    std::vector<std::string> seen;
    queue.drain([&seen](const Request& r) { seen.push_back(r.text); });
    EXPECT_EQ(seen, std::vector<std::string>{"a"});
}
