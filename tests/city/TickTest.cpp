#include "CityTestSupport.h"
#include "city/BuildingTick.h"
#include "city/Messages.h"
#include "city/SaveFile.h"
#include "city/SaveWriter.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

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
    Simulation sim;
    RequestLog requests{sim};
};

TEST_F(TickTest, DailyIncomeRoundsLossesAtOnceAndProfitsWhenWhole) {
    const struct {
        TileKind kind;
        int filled;
        int expected;
    } cases[] = {
        {TileKind::Shop, 7, 0},          {TileKind::Shop, 15, 5}, {TileKind::Shop, 0, -5},
        {TileKind::Commercial, 100, 50}, {TileKind::House, 3, 2}, {TileKind::Road, 0, -1},
        {TileKind::Hospital, 0, -50},
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
    houseOf(tile).residents = 1;
    EXPECT_EQ(BuildingTick::dailyIncome(tile), 0);
    EXPECT_EQ(BuildingTick::dailyIncome(tile), 1);
    EXPECT_DOUBLE_EQ(houseOf(tile).incomeCarry, 0.0);
}

TEST_F(TickTest, NearerHousesAreServedFirstAndFullProvidersPassOn) {
    // far has the lower number but sits 3 from the small shop; near sits beside it.
    House& far = settledHouse(sim, 5, 2, 1, 2); // three shoppers
    House& near = settledHouse(sim, 6, 6, 1, 0);
    Shop& shop = *build(sim, 5, 6, TileKind::Shop, 1).shop();
    Shop& second = *build(sim, 9, 6, TileKind::Shop, 1).shop();
    House& vacant = houseOf(build(sim, 12, 6, TileKind::House, 1));
    Shop& market = *build(sim, 13, 6, TileKind::Shop, 1).shop();
    shop.capacity = 2;
    refreshLists();
    runDay(sim);
    EXPECT_EQ(shop.visitors, 2);
    EXPECT_EQ(second.visitors, 2); // far's remaining two went on to the next shop
    EXPECT_EQ(near.needs & kNeedShops, 0);
    EXPECT_EQ(far.needs & kNeedShops, 0);
    // Even an empty house sends one of each, and lacks what it did not find.
    EXPECT_EQ(market.visitors, 1);
    EXPECT_EQ(vacant.needs, kNeedWater | kNeedJobs);

    second.capacity = 1;
    runDay(sim);
    EXPECT_EQ(near.shoppersToPlace, 0);
    EXPECT_EQ(far.shoppersToPlace, 1);
    EXPECT_NE(far.needs & kNeedShops, 0);
}

TEST_F(TickTest, JobsSetEfficiencyAndWaterIsServed) {
    House& house = settledHouse(sim, 2, 6, 3, 14);
    Tile& factory = build(sim, 8, 6, TileKind::Factory);
    Tile& tower = build(sim, 9, 4, TileKind::WaterTower);
    refreshLists();
    runDay(sim);
    EXPECT_EQ(factory.factory()->workers, 15);
    EXPECT_DOUBLE_EQ(factory.factory()->efficiency, 5.0 / 30.0);
    EXPECT_EQ(tower.waterSupply()->users, 15);
    EXPECT_EQ(house.needs, kNeedShops);
    EXPECT_DOUBLE_EQ(sim.goods[kGoodsProduction + 0], 40.0 * 5.0 / 30.0);
}

TEST_F(TickTest, TheDayBooksItsMoneyOnceTheTickEnds) {
    settledHouse(sim, 2, 6, 1, 3);
    build(sim, 3, 6, TileKind::Park);
    sim.city->loan = 10000;
    refreshLists();
    runDay(sim);
    const City& city = *sim.city;
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::RoadMaintenance)], -20);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::WaterSupply)], -4);
    EXPECT_DOUBLE_EQ(city.monthIncome[slot(LedgerCategory::HousingIncome)], 2);
    EXPECT_DOUBLE_EQ(city.monthExpenses[slot(LedgerCategory::LoanInterest)], -7.5);
    EXPECT_EQ(city.populationNow(), 3);
    const double production = city.monthIncome[slot(LedgerCategory::ProductionIncome)] +
                              city.monthExpenses[slot(LedgerCategory::ProductionIncome)];
    EXPECT_DOUBLE_EQ(city.budgetNow(), 25000 - 20 - 10 - 4 + 2 - 7.5 + production);
    EXPECT_DOUBLE_EQ(city.lastDayResult, city.budgetNow() - 25000);
}

TEST_F(TickTest, MonthsAndYearsCloseBeforeTheTickCountsAsDone) {
    sim.dayCounter = 29;
    runDay(sim);
    EXPECT_DOUBLE_EQ(sim.city->lastMonthExpenses[slot(LedgerCategory::RoadMaintenance)], -20);
    EXPECT_DOUBLE_EQ(sim.city->monthExpenses[slot(LedgerCategory::RoadMaintenance)], 0);
    EXPECT_EQ(requests.last(RequestKind::PlaySound).text, "month_end");
    EXPECT_EQ(requests.count(RequestKind::ShowExpenditure), 0);

    sim.dayCounter = 359;
    requests.clear();
    EXPECT_EQ(sim.advanceDay(), 7u);
    while (sim.tickRunning())
        std::this_thread::yield();
    // Not yet released, and already closed.
    EXPECT_DOUBLE_EQ(sim.city->lastYearExpenses[slot(LedgerCategory::RoadMaintenance)], -40);
    EXPECT_DOUBLE_EQ(sim.city->yearExpenses[slot(LedgerCategory::RoadMaintenance)], 0);
    sim.waitForTick();
    EXPECT_EQ(requests.count(RequestKind::ShowExpenditure), 1);
    EXPECT_EQ(requests.last(RequestKind::PlaySound).text, "year_end");
}

TEST_F(TickTest, ThreeUnlocksAtPopulation330InTheirOrder) {
    for (int i = 0; i < 22; ++i)
        settledHouse(sim, 1 + i % 11, i < 11 ? 6 : 4, 3, 15);
    refreshLists();
    runDay(sim);
    EXPECT_EQ(sim.city->populationNow(), 330);
    EXPECT_EQ(requests.messageTexts(),
              (std::vector<std::string>{msgUnlockLargeHousing, msgUnlockFlats,
                                        msgUnlockConvenienceStore}));
    EXPECT_EQ(sim.unlocked, 7u);
    runDay(sim); // each shows once
    EXPECT_EQ(requests.messageTexts().size(), 3u);
}

TEST_F(TickTest, FireHazardCountsOnlyAfterTheGraceDays) {
    Tile& house = *sim.map->tileAt(2, 6);
    settledHouse(sim, 2, 6, 1, 3);
    sim.unlocked = static_cast<unsigned>(UnlockFlag::FireStation);
    sim.fireGraceEnd = 580;
    sim.dayCounter = 578;
    refreshLists();
    runDay(sim);
    EXPECT_DOUBLE_EQ(house.services().fireSafety, 0.0);
    runDay(sim);
    EXPECT_LT(house.services().fireSafety, 0.0);
}

// Stations at the map's edge reach the part of their square inside the map, once a
// day however many overlap, and hospitals care for houses only.
TEST_F(TickTest, ServicesReachTheirSquareCutAtTheEdges) {
    build(sim, 0, 0, TileKind::PoliceStation);
    build(sim, 1, 0, TileKind::PoliceStation);
    build(sim, 19, 10, TileKind::FireStation);
    build(sim, 19, 19, TileKind::Hospital);
    settledHouse(sim, 10, 7, 1, 2);
    const Tile* house = sim.map->tileAt(10, 7);
    refreshLists();
    runDay(sim);
    for (const Tile& tile : sim.map->tiles) {
        const TileServices& s = tile.services();
        EXPECT_EQ(s.crime, tile.x <= 13 && tile.y <= 12 ? -5.0 : 0.0) << tile.x << "," << tile.y;
        EXPECT_EQ(s.fireSafety, tile.x >= 7 ? 8.0 : 0.0) << tile.x << "," << tile.y;
        EXPECT_EQ(s.healthCare, &tile == house ? 5.0 : 0.0) << tile.x << "," << tile.y;
    }
}

TEST_F(TickTest, WasteGoesToLandfillsOrOntoTheStreets) {
    sim.unlocked = static_cast<unsigned>(UnlockFlag::Landfill);
    settledHouse(sim, 2, 6, 3, 0);
    refreshLists();
    sim.city->streetTrash = 1500.0;
    runDay(sim);
    EXPECT_NEAR(sim.city->streetTrash, 1000.0 + 500.0 + 0.1, 1e-9); // flats make 1.0 a day
    EXPECT_EQ(requests.messageTexts(), std::vector<std::string>{msgTrashText});
    EXPECT_DOUBLE_EQ(sim.city->monthExpenses[slot(LedgerCategory::WasteManagement)], 0.0);

    // The first landfill with room takes it all.
    build(sim, 6, 6, TileKind::Landfill).landfill()->fill = 10000.0;
    Tile& started = build(sim, 7, 6, TileKind::Landfill);
    Tile& empty = build(sim, 8, 6, TileKind::Landfill);
    started.landfill()->fill = 10.0;
    refreshLists();
    for (int day = 0; day < 5; ++day)
        runDay(sim);
    EXPECT_DOUBLE_EQ(sim.city->streetTrash, 0.0);
    EXPECT_EQ(sim.warnings & kWarningStreetTrash, 0u);
    EXPECT_DOUBLE_EQ(empty.landfill()->fill, 0.0);
    EXPECT_GT(started.landfill()->fill, 1500.0);
}

namespace {

// Rows of houses, shops, job buildings and water towers between roads, with residents.
void buildMixedCity(Simulation& sim) {
    makeBlankMap(sim, 24, 24);
    sim.unlocked = 511;
    const TileKind kinds[] = {TileKind::House,      TileKind::House,   TileKind::Shop,
                              TileKind::House,      TileKind::Factory, TileKind::House,
                              TileKind::WaterTower, TileKind::House,   TileKind::Commercial};
    int k = 0;
    for (Tile& tile : sim.map->tiles) {
        ++k;
        if (tile.y % 3 == 1)
            tile.setKind(TileKind::Road);
        else
            tile.setKind(kinds[static_cast<std::size_t>(k * 7 % 9)], 1 + k % 3);
        if (House* house = tile.house())
            house->residents = house->capacity * (k % 4) / 3;
    }
    sim.map->tileAt(6, 6)->setKind(TileKind::PoliceStation);
    sim.map->tileAt(20, 9)->setKind(TileKind::FireStation);
    sim.map->tileAt(14, 21)->setKind(TileKind::Hospital);
    sim.map->recalculateVisibleTiles();
}

Tile& firstOf(Simulation& sim, TileKind kind) {
    for (Tile& tile : sim.map->tiles)
        if (tile.kind == kind && tile.x > 5 && tile.y > 5)
            return tile;
    throw std::logic_error("no such tile");
}

} // namespace

// The tick keeps its own form of the houses' provider lists, surroundings and services
// from day to day. Whatever changes the map in between, the next days must come out as
// they do when the tick has to build them afresh every day.
TEST(TickMemoryTest, ADayAfterAMapChangeMatchesOneThatStartsAfresh) {
    const struct {
        const char* what;
        std::function<void(Simulation&)> change;
    } cases[] = {
        {"nothing", [](Simulation&) {}},
        {"shop demolished",
         [](Simulation& s) { firstOf(s, TileKind::Shop).setKind(TileKind::Empty); }},
        {"shop upgraded",
         [](Simulation& s) { firstOf(s, TileKind::Shop).setKind(TileKind::Shop, 3); }},
        {"water tower built",
         [](Simulation& s) { firstOf(s, TileKind::House).setKind(TileKind::WaterTower); }},
        {"park among houses",
         [](Simulation& s) { firstOf(s, TileKind::House).setKind(TileKind::Park); }},
        {"factory demolished",
         [](Simulation& s) { firstOf(s, TileKind::Factory).setKind(TileKind::Empty); }},
        {"turned", [](Simulation& s) { s.map->rotateLeft(); }},
        {"police station demolished",
         [](Simulation& s) { s.map->tileAt(6, 6)->setKind(TileKind::Empty); }},
        {"house on a road by a fire station",
         [](Simulation& s) { s.map->tileAt(20, 10)->setKind(TileKind::House); }},
        {"police reach further", [](Simulation& s) { s.city->policeRangeExtended = true; }},
    };
    for (const auto& c : cases) {
        Simulation kept;
        Simulation fresh;
        for (Simulation* sim : {&kept, &fresh}) {
            buildMixedCity(*sim);
            sim->randomNumbers.seed(3);
            sim->buildingTick();
            const std::uint64_t before = sim->map->revision;
            c.change(*sim);
            if (sim->map->revision != before)
                sim->map->recalculateVisibleTiles();
        }
        for (Simulation* sim : {&kept, &fresh})
            sim->randomNumbers.seed(4);
        for (int day = 0; day < 3; ++day) {
            fresh.map->providerIndex = ProviderIndex();
            fresh.map->houseLayout = HouseLayout();
            fresh.map->serviceReach = ServiceReach();
            fresh.map->neighbourTable = NeighbourTable();
            kept.buildingTick();
            fresh.buildingTick();
        }
        EXPECT_EQ(SaveWriter::format(SaveFile::capture(kept)),
                  SaveWriter::format(SaveFile::capture(fresh)))
            << c.what;
    }
}

TEST(TickServingTest, ProviderNumbersPastTwoBytesServeTheRightProviders) {
    // More shops than two-byte words can number: those beside the house in the far
    // corner are numbered past 65535, and only they may take its shoppers.
    Simulation sim;
    makeBlankMap(sim, 300, 240);
    for (Tile& tile : sim.map->tiles)
        tile.setKind(TileKind::Shop, 1);
    House& house = settledHouse(sim, 250, 235, 1, 2);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    runDay(sim);
    int visitors = 0;
    for (const Tile& tile : sim.map->tiles) {
        const Shop* shop = tile.shop();
        if (shop == nullptr || shop->visitors == 0)
            continue;
        visitors += shop->visitors;
        EXPECT_EQ(std::abs(tile.x - 250) + std::abs(tile.y - 235), 1) << tile.x << "," << tile.y;
    }
    EXPECT_EQ(visitors, 3);
    EXPECT_EQ(house.shoppersToPlace, 0);
}

TEST(TickThreadTest, ClosingWhileATickRunsWaitsForIt) {
    auto sim = std::make_unique<Simulation>();
    makeBlankMap(*sim, 30, 30);
    sim->setTickHookForTests([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
    ASSERT_EQ(sim->advanceDay(), 1u);
    sim.reset(); // must join the tick before the map and city go
}

TEST(RequestQueueTest, AnUndrainedQueueKeepsTheNewestInOrder) {
    RequestQueue queue;
    for (int i = 0; i < 5000; ++i)
        queue.centreViewOnTile(i, 0);
    const std::vector<Request> kept = queue.take();
    ASSERT_EQ(kept.size(), RequestQueue::kMaxPending);
    EXPECT_EQ(kept.front().tileX, 5000 - static_cast<int>(RequestQueue::kMaxPending));
    EXPECT_EQ(kept.back().tileX, 4999);
}
