#include "CityTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

int countKind(const Map& map, TileKind kind) {
    return static_cast<int>(std::count_if(map.tiles.begin(), map.tiles.end(),
                                          [kind](const Tile& t) { return t.kind == kind; }));
}

bool contains(const std::vector<Tile*>& list, const Tile* tile) {
    return std::find(list.begin(), list.end(), tile) != list.end();
}

} // namespace

class GridTest : public ::testing::Test {
protected:
    Simulation sim;
};

TEST_F(GridTest, NeighboursAndNeighbourhoodsStopAtTheBorder) {
    makeBlankMap(sim, 10, 6);
    Map& map = *sim.map;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {10, 0}, {0, 6}})
        EXPECT_EQ(map.tileAt(x, y), nullptr);
    EXPECT_EQ(map.tileAt(4, 3)->number, 4 + 3 + 2 * 10 * 3);
    // corner, far corner, edge, middle: orthogonal, diagonal and within-3 counts
    const int cases[][5] = {{0, 0, 2, 1, 16}, {9, 5, 2, 1, 16}, {0, 3, 3, 2, 24}, {5, 3, 4, 4, 42}};
    for (const auto& [x, y, orthogonal, diagonal, within3] : cases) {
        const Tile& tile = *map.tileAt(x, y);
        EXPECT_EQ(tile.orthogonal().size(), std::size_t(orthogonal)) << x << "," << y;
        EXPECT_EQ(tile.diagonal().size(), std::size_t(diagonal)) << x << "," << y;
        int walked = 0;
        for (const Tile* t : tile.within3())
            walked += std::abs(t->x - x) <= 3 && std::abs(t->y - y) <= 3 ? 1 : 0;
        EXPECT_EQ(walked, within3) << x << "," << y;
    }
    EXPECT_EQ(map.tileAt(5, 3)->orthogonal()[1], map.tileAt(4, 3)); // north, west, south, east
}

TEST_F(GridTest, NewMapsAreTheDefaultSizeWithOneRoadAndOneSmallHouseAtTheCentre) {
    for (auto [w, h] : {std::pair{0, 0}, {-5, 10}, {10, 0}, {kMaxMapSide + 1, 10}}) {
        sim.map->create(w, h, true); // unusable sizes fall back to the default
        EXPECT_EQ(std::pair(sim.map->width, sim.map->height), std::pair(75, 75));
    }
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        sim.randomNumbers.seed(seed);
        sim.startNewGame();
        const Map& map = *sim.map;
        EXPECT_EQ(countKind(map, TileKind::Road), 1);
        EXPECT_EQ(countKind(map, TileKind::House), 1);
        EXPECT_EQ(map.tileAt(37, 37)->kind, TileKind::Road);
        const Tile* house = map.lists.houses.at(0);
        EXPECT_TRUE((house->x == 38 && house->y == 37) || (house->x == 37 && house->y == 36));
        EXPECT_TRUE(map.tileAt(40, 39)->isVisible()); // 3.6 away: the whole part counts
        EXPECT_EQ(map.lists.visible.size(), 45u);
        EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 25000);
        EXPECT_DOUBLE_EQ(sim.housingDemand[0], 1.0);
    }
    sim.map->reveal(0, 0, 1, true); // at the corner nothing outside the grid is touched
    EXPECT_EQ(sim.map->lists.visible.size(), 45u + 4u);
}

TEST(VisibleListsTest, KindsGoToTheirListsAndHiddenTilesToNone) {
    Simulation sim;
    makeBlankMap(sim, 20, 20);
    Tile& hidden = build(sim, 5, 5, TileKind::Shop);
    hidden.flags &= static_cast<std::uint8_t>(~kFlagVisible);
    for (TileKind kind :
         {TileKind::Factory, TileKind::Commercial, TileKind::PumpingStation, TileKind::WaterTower})
        build(sim, static_cast<int>(kind), 1, kind);
    sim.map->recalculateVisibleTiles();
    const TileLists& lists = sim.map->lists;
    EXPECT_FALSE(contains(lists.visible, &hidden));
    EXPECT_TRUE(lists.shops.empty());
    EXPECT_EQ(lists.jobBuildings.size(), 2u);
    EXPECT_EQ(lists.water.size(), 2u);
    EXPECT_EQ(lists.visible.size(), 399u);
}

class ProviderListTest : public ::testing::Test {
protected:
    void SetUp() override { makeBlankMap(sim, 40, 40); }
    Simulation sim;
};

TEST_F(ProviderListTest, DemolishedProvidersLeaveAndLoadedGridsGetTheirLists) {
    Tile& house = build(sim, 10, 10, TileKind::House);
    Tile& shop = build(sim, 12, 10, TileKind::Shop);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    ASSERT_TRUE(contains(sim.map->providersOf(house).shops, &shop));
    shop.setKind(TileKind::Empty);
    sim.map->recalculateVisibleTiles();
    EXPECT_TRUE(sim.map->providersOf(house).shops.empty());

    // The loader writes kinds straight into a fresh grid, without setKind.
    sim.map->create(20, 20, true);
    Tile& loaded = *sim.map->tileAt(5, 5);
    Tile& water = *sim.map->tileAt(6, 5);
    loaded.kind = TileKind::House;
    loaded.building = makeBuilding(TileKind::House, 1);
    water.kind = TileKind::WaterTower;
    water.building = makeBuilding(TileKind::WaterTower, 0);
    loaded.flags |= kFlagVisible;
    water.flags |= kFlagVisible;
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(sim.map->providersOf(loaded).water, std::vector<Tile*>{&water});
}

// Lists are rebuilt one changed family at a time and trimmed to the family's range;
// after any sequence of builds they must equal a full rebuild, and a full rebuild must
// hold every shop that reaches the house, nearest first.
TEST_F(ProviderListTest, StepByStepBuildingMatchesAFullRebuildOfEveryReachableProvider) {
    std::srand(5);
    for (int i = 0; i < 120; ++i) {
        build(sim, std::rand() % 40, std::rand() % 40, TileKind::House);
        sim.map->recalculateVisibleTiles();
    }
    const TileKind providers[] = {TileKind::Shop, TileKind::Factory, TileKind::WaterTower,
                                  TileKind::Commercial, TileKind::Empty};
    for (int i = 0; i < 200; ++i) {
        build(sim, std::rand() % 40, std::rand() % 40, providers[std::rand() % 5],
              1 + std::rand() % 3);
        sim.map->recalculateVisibleTiles();
    }
    const auto listsOf = [this](const Tile* house) {
        const ProvidersInRange& in = sim.map->providersOf(*house);
        return std::array{&in.shops, &in.jobs, &in.water};
    };
    std::vector<std::vector<Tile*>> stepwise;
    for (const Tile* house : sim.map->lists.houses)
        for (const auto* list : listsOf(house))
            stepwise.push_back(*list);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    std::size_t i = 0;
    for (const Tile* house : sim.map->lists.houses) {
        for (const auto* list : listsOf(house))
            EXPECT_EQ(*list, stepwise[i++]) << house->x << "," << house->y;
        const auto distance = [house](const Tile* t) {
            return std::hypot(t->x - house->x, t->y - house->y);
        };
        const auto& shops = sim.map->providersOf(*house).shops;
        EXPECT_TRUE(std::is_sorted(shops.begin(), shops.end(),
                                   [&](auto* a, auto* b) { return distance(a) < distance(b); }));
        for (const Tile* shop : sim.map->lists.shops) {
            const int range = shop->shop()->range;
            const bool reaches =
                std::abs(shop->x - house->x) <= range && std::abs(shop->y - house->y) <= range;
            EXPECT_TRUE(!reaches || contains(shops, shop)) << house->x << "," << house->y;
        }
    }
}

class RotationTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 9, 9);
        houseOf(build(sim, 1, 2, TileKind::House)).residents = 2;
        build(sim, 6, 0, TileKind::Shop, 3);
        sim.map->tileAt(8, 8)->flags |= kFlagBurning;
        sim.map->recalculateVisibleTiles();
    }
    Simulation sim;
};

TEST_F(RotationTest, QuarterTurnsFollowTheMappingAndKeepTheArmedTile) {
    Map& map = *sim.map;
    const int number = map.tileAt(1, 2)->number;
    sim.actionKind = ActionKind::BuildConvenienceStore;
    sim.actionTile = map.tileAt(6, 0);
    sim.actionTileNumber = sim.actionTile->number;
    map.rotateRight(); // (x, y) -> (8 - y, x)
    Tile& moved = *map.tileAt(6, 1);
    EXPECT_EQ(moved.number, number);
    EXPECT_EQ(houseOf(moved).residents.load(), 2);
    EXPECT_EQ(map.tileAt(8, 6)->kind, TileKind::Shop);
    EXPECT_EQ(sim.actionTile, map.tileAt(8, 6));
    EXPECT_TRUE(map.tileAt(0, 8)->hasFlag(kFlagBurning));
    EXPECT_EQ(map.tileAt(1, 2)->kind, TileKind::Empty);
    EXPECT_EQ(map.rotation, -1);
    map.rotateLeft(); // and back, then (x, y) -> (y, 8 - x)
    map.rotateLeft();
    EXPECT_EQ(map.rotation, 1);
    EXPECT_EQ(map.lists.houses.at(0), map.tileAt(2, 7));

    Simulation flat; // non-square grids stay put
    makeBlankMap(flat, 6, 4);
    build(flat, 5, 0, TileKind::Park);
    flat.map->rotateRight();
    EXPECT_EQ(flat.map->tileAt(5, 0)->kind, TileKind::Park);
    EXPECT_EQ(flat.map->rotation, 0);
}

TEST(ViewTest, CullingMarksTilesOutsideTheView) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    Map& map = *sim.map;
    // Tile (0, 0) covers [0, 32) x [0, 16); (5, 5) covers [160, 192) x [0, 16).
    map.cullToView(0.f, 0.f, 100.f, 20.f);
    EXPECT_FALSE(map.tileAt(0, 0)->hasFlag(kFlagOffScreen));
    EXPECT_TRUE(map.tileAt(5, 5)->hasFlag(kFlagOffScreen));
    // (0, 6) starts at y 48: inside only thanks to the 32 units of slack below the view.
    EXPECT_FALSE(map.tileAt(0, 6)->hasFlag(kFlagOffScreen));
    EXPECT_TRUE(map.tileAt(0, 9)->hasFlag(kFlagOffScreen));
}
