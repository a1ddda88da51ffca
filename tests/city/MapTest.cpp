#include "CityTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

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

TEST_F(GridTest, OutsideTheGridThereAreNoTiles) {
    makeBlankMap(sim, 10, 6);
    Map& map = *sim.map;
    EXPECT_EQ(map.tileAt(-1, 0), nullptr);
    EXPECT_EQ(map.tileAt(0, -1), nullptr);
    EXPECT_EQ(map.tileAt(10, 0), nullptr);
    EXPECT_EQ(map.tileAt(0, 6), nullptr);
    ASSERT_NE(map.tileAt(9, 5), nullptr);
    EXPECT_EQ(map.tileAt(9, 5)->x, 9);
    EXPECT_EQ(map.tileAt(9, 5)->y, 5);
    EXPECT_EQ(map.tileAt(4, 3)->number, 4 + 3 + 2 * 10 * 3);
}

TEST_F(GridTest, NeighboursAndNeighbourhoodsStopAtTheBorder) {
    makeBlankMap(sim, 10, 6);
    Map& map = *sim.map;
    const struct {
        int x, y;
        std::size_t orthogonal, diagonal, within3;
    } cases[] = {
        {0, 0, 2, 1, 16},
        {9, 5, 2, 1, 16},
        {0, 3, 3, 2, 4 * 6},
        {5, 3, 4, 4, 7 * 6},
    };
    for (const auto& c : cases) {
        const Tile& tile = *map.tileAt(c.x, c.y);
        SCOPED_TRACE(c.x * 100 + c.y);
        EXPECT_EQ(tile.orthogonal.size(), c.orthogonal);
        EXPECT_EQ(tile.diagonal.size(), c.diagonal);
        EXPECT_EQ(tile.adjacent.size(), c.orthogonal + c.diagonal);
        EXPECT_EQ(tile.within3().size(), c.within3);
        std::size_t walked = 0;
        for (const Tile* t : tile.within3()) {
            EXPECT_LE(std::abs(t->x - c.x), 3);
            EXPECT_LE(std::abs(t->y - c.y), 3);
            ++walked;
        }
        EXPECT_EQ(walked, c.within3);
    }
    const Tile& corner = *map.tileAt(0, 0);
    const int nulls =
        static_cast<int>(std::count(corner.neighbours.begin(), corner.neighbours.end(), nullptr));
    EXPECT_EQ(nulls, 5); // only south, east and south-east lie inside
    EXPECT_EQ(corner.neighbour(Direction::South), map.tileAt(0, 1));
    EXPECT_EQ(corner.neighbour(Direction::East), map.tileAt(1, 0));
    EXPECT_EQ(corner.neighbour(Direction::SouthEast), map.tileAt(1, 1));
    // orthogonal order: north, west, south, east
    const Tile& middle = *map.tileAt(5, 3);
    EXPECT_EQ(middle.orthogonal[0], map.tileAt(5, 2));
    EXPECT_EQ(middle.orthogonal[1], map.tileAt(4, 3));
    EXPECT_EQ(middle.orthogonal[2], map.tileAt(5, 4));
    EXPECT_EQ(middle.orthogonal[3], map.tileAt(6, 3));
    EXPECT_EQ(middle.diagonal[0], map.tileAt(6, 4));
}

TEST_F(GridTest, UnusableSizesFallBackToTheDefault) {
    for (auto [w, h] : {std::pair{0, 0}, {-5, 10}, {10, 0}, {kMaxMapSide + 1, 10}}) {
        sim.map->create(w, h, true);
        EXPECT_EQ(sim.map->width, 75);
        EXPECT_EQ(sim.map->height, 75);
    }
}

TEST_F(GridTest, NewMapHasOneRoadAndOneSmallHouseAtTheCentre) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::srand(seed);
        sim.startNewGame();
        const Map& map = *sim.map;
        ASSERT_EQ(map.width, 75);
        EXPECT_EQ(countKind(map, TileKind::Road), 1);
        EXPECT_EQ(countKind(map, TileKind::House), 1);
        EXPECT_EQ(map.tileAt(37, 37)->kind, TileKind::Road);
        const Tile* house = map.lists.houses.at(0);
        EXPECT_EQ(house->house()->level, 1);
        EXPECT_TRUE((house->x == 38 && house->y == 37) || (house->x == 37 && house->y == 36));
        for (const Tile& tile : map.tiles) {
            const int d2 = (tile.x - 37) * (tile.x - 37) + (tile.y - 37) * (tile.y - 37);
            EXPECT_EQ(tile.isVisible(), d2 < 16) << tile.x << "," << tile.y;
        }
        EXPECT_EQ(map.lists.visible.size(), 45u); // the whole-number disc of radius 3
        EXPECT_DOUBLE_EQ(sim.city->budgetNow(), 25000);
        EXPECT_EQ(sim.housesPerLevel[0], 1);
        EXPECT_DOUBLE_EQ(sim.housingDemand[0], 1.0);
        EXPECT_NE(house->orientation, 0);
    }
}

TEST_F(GridTest, RevealUsesTheWholePartOfTheDistance) {
    sim.map->create(30, 30, true);
    sim.map->reveal(10, 10, 2, false);
    EXPECT_TRUE(sim.map->tileAt(12, 10)->isVisible());
    EXPECT_TRUE(sim.map->tileAt(11, 11)->isVisible());
    EXPECT_TRUE(sim.map->tileAt(12, 12)->isVisible());
    EXPECT_FALSE(sim.map->tileAt(13, 10)->isVisible());
    EXPECT_FALSE(sim.map->tileAt(13, 11)->isVisible());
    sim.map->reveal(0, 0, 1, true); // at the corner nothing outside the grid is touched
    EXPECT_EQ(sim.map->lists.visible.size(), 25u + 4u);
}

class VisibleListsTest : public ::testing::Test {
protected:
    void SetUp() override { makeBlankMap(sim, 20, 20); }
    Simulation sim;
};

TEST_F(VisibleListsTest, TilesNeverRevealedStayOutOfEveryList) {
    Tile& hidden = build(sim, 5, 5, TileKind::Shop);
    hidden.flags &= static_cast<std::uint8_t>(~kFlagVisible);
    Tile& house = build(sim, 6, 5, TileKind::House);
    sim.map->recalculateVisibleTiles();
    const TileLists& lists = sim.map->lists;
    for (const std::vector<Tile*>* list :
         {&lists.visible, &lists.shops, &lists.houses, &lists.jobBuildings})
        EXPECT_FALSE(contains(*list, &hidden));
    EXPECT_TRUE(contains(lists.houses, &house));
    EXPECT_TRUE(house.shopsInRange.empty());
    EXPECT_EQ(sim.map->visibleTiles().size(), 399u);
}

TEST_F(VisibleListsTest, KindsGoToTheirLists) {
    build(sim, 1, 1, TileKind::Factory);
    build(sim, 2, 1, TileKind::Commercial);
    build(sim, 3, 1, TileKind::PumpingStation);
    build(sim, 4, 1, TileKind::WaterTower);
    build(sim, 5, 1, TileKind::Tree);
    sim.map->recalculateVisibleTiles();
    const TileLists& lists = sim.map->lists;
    EXPECT_EQ(lists.factories.size(), 1u);
    EXPECT_EQ(lists.offices.size(), 1u);
    EXPECT_EQ(lists.jobBuildings.size(), 2u);
    EXPECT_EQ(lists.water.size(), 2u);
    EXPECT_EQ(lists.visible.size(), 400u);
}

class ProviderListTest : public ::testing::Test {
protected:
    void SetUp() override { makeBlankMap(sim, 40, 40); }

    // Every provider of the list's family within its own range, nearest first.
    static std::vector<const Tile*> reachableShops(const Tile& house,
                                                   const std::vector<Tile*>& list) {
        std::vector<const Tile*> out;
        for (const Tile* p : list) {
            const int range = p->shop()->range;
            if (std::abs(p->x - house.x) <= range && std::abs(p->y - house.y) <= range)
                out.push_back(p);
        }
        return out;
    }

    Simulation sim;
};

TEST_F(ProviderListTest, SortedNearestFirstAndHoldingEveryReachableShop) {
    Tile& house = build(sim, 20, 20, TileKind::House);
    build(sim, 26, 20, TileKind::Shop, 2); // 6 away, range 6
    build(sim, 22, 22, TileKind::Shop, 1); // sqrt 8, range 4
    build(sim, 20, 17, TileKind::Shop, 3); // 3 away, range 8
    build(sim, 35, 35, TileKind::Shop, 1); // far beyond every range
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    ASSERT_GE(house.shopsInRange.size(), 3u);
    EXPECT_EQ(house.shopsInRange[0], sim.map->tileAt(22, 22));
    EXPECT_EQ(house.shopsInRange[1], sim.map->tileAt(20, 17));
    EXPECT_EQ(house.shopsInRange[2], sim.map->tileAt(26, 20));
    EXPECT_FALSE(contains(house.shopsInRange, sim.map->tileAt(35, 35)));
    const auto& list = house.shopsInRange;
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [&](const Tile* a, const Tile* b) {
        return std::hypot(a->x - 20, a->y - 20) < std::hypot(b->x - 20, b->y - 20);
    }));
}

TEST_F(ProviderListTest, OnlyTheChangedFamilyIsRebuilt) {
    Tile& house = build(sim, 10, 10, TileKind::House);
    sim.map->recalculateVisibleTiles();
    build(sim, 12, 10, TileKind::Factory);
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(house.jobsInRange.size(), 1u);
    EXPECT_TRUE(house.shopsInRange.empty());
    build(sim, 11, 11, TileKind::WaterTower);
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(house.waterInRange.size(), 1u);
    // A new house gets all three of its lists at once.
    Tile& second = build(sim, 12, 12, TileKind::House);
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(second.jobsInRange.size(), 1u);
    EXPECT_EQ(second.waterInRange.size(), 1u);
}

TEST_F(ProviderListTest, DemolishedProvidersLeaveTheLists) {
    Tile& house = build(sim, 10, 10, TileKind::House);
    Tile& shop = build(sim, 12, 10, TileKind::Shop);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    ASSERT_TRUE(contains(house.shopsInRange, &shop));
    shop.setKind(TileKind::Empty);
    sim.map->recalculateVisibleTiles();
    EXPECT_TRUE(house.shopsInRange.empty());
}

TEST_F(ProviderListTest, LoadedGridGetsItsListsOnTheFirstRebuild) {
    // The loader writes kinds straight into a fresh grid, without setKind.
    sim.map->create(20, 20, true);
    Tile& house = *sim.map->tileAt(5, 5);
    Tile& water = *sim.map->tileAt(6, 5);
    house.kind = TileKind::House;
    house.building = makeBuilding(TileKind::House, 1);
    water.kind = TileKind::WaterTower;
    water.building = makeBuilding(TileKind::WaterTower, 0);
    house.flags |= kFlagVisible;
    water.flags |= kFlagVisible;
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(house.waterInRange, std::vector<Tile*>{&water});
}

TEST_F(ProviderListTest, TrimmedListsKeepEveryReachableProviderInOrder) {
    std::srand(11);
    for (int i = 0; i < 150; ++i)
        build(sim, std::rand() % 40, std::rand() % 40, TileKind::Shop, 1 + std::rand() % 3);
    for (int i = 0; i < 150; ++i)
        build(sim, std::rand() % 40, std::rand() % 40, TileKind::House);
    sim.map->recalculateVisibleTiles();
    for (const Tile* house : sim.map->lists.houses) {
        const std::vector<const Tile*> kept = reachableShops(*house, house->shopsInRange);
        std::vector<Tile*> all = sim.map->lists.shops;
        std::stable_sort(all.begin(), all.end(), [&](const Tile* a, const Tile* b) {
            return std::hypot(a->x - house->x, a->y - house->y) <
                   std::hypot(b->x - house->x, b->y - house->y);
        });
        const std::vector<const Tile*> full = reachableShops(*house, all);
        ASSERT_EQ(kept.size(), full.size());
        for (std::size_t i = 0; i < full.size(); ++i)
            EXPECT_EQ(std::hypot(kept[i]->x - house->x, kept[i]->y - house->y),
                      std::hypot(full[i]->x - house->x, full[i]->y - house->y));
    }
}

TEST_F(ProviderListTest, StepByStepBuildingMatchesAFullRebuild) {
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
    std::vector<std::vector<Tile*>> stepwise;
    for (const Tile* house : sim.map->lists.houses)
        for (const auto* list : {&house->shopsInRange, &house->jobsInRange, &house->waterInRange})
            stepwise.push_back(*list);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    std::size_t i = 0;
    for (const Tile* house : sim.map->lists.houses)
        for (const auto* list : {&house->shopsInRange, &house->jobsInRange, &house->waterInRange})
            EXPECT_EQ(*list, stepwise[i++]) << house->x << "," << house->y;
}

class RotationTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 9, 9);
        build(sim, 1, 2, TileKind::House).house()->residents = 2;
        build(sim, 1, 3, TileKind::Road);
        build(sim, 6, 0, TileKind::Shop, 3);
        sim.map->tileAt(8, 8)->flags |= kFlagBurning;
        sim.map->recalculateVisibleTiles();
    }
    Simulation sim;
};

TEST_F(RotationTest, QuarterTurnsFollowTheMapping) {
    Map& map = *sim.map;
    const int number = map.tileAt(1, 2)->number;
    map.rotateRight(); // (x, y) -> (8 - y, x)
    Tile& moved = *map.tileAt(6, 1);
    EXPECT_EQ(moved.kind, TileKind::House);
    EXPECT_EQ(moved.number, number);
    EXPECT_EQ(moved.building->tile, &moved);
    EXPECT_EQ(moved.house()->residents.load(), 2);
    EXPECT_EQ(map.tileAt(8, 6)->kind, TileKind::Shop);
    EXPECT_TRUE(map.tileAt(0, 8)->hasFlag(kFlagBurning));
    EXPECT_EQ(map.tileAt(1, 2)->kind, TileKind::Empty);
    EXPECT_EQ(map.rotation, -1);
    map.rotateLeft(); // and back
    EXPECT_EQ(map.tileAt(1, 2)->kind, TileKind::House);
    map.rotateLeft(); // (x, y) -> (y, 8 - x)
    EXPECT_EQ(map.tileAt(2, 7)->kind, TileKind::House);
    EXPECT_EQ(map.rotation, 1);
    EXPECT_EQ(map.lists.houses.at(0), map.tileAt(2, 7));
}

TEST_F(RotationTest, FourTurnsRestoreEverySquare) {
    Map& map = *sim.map;
    std::vector<std::pair<TileKind, int>> before;
    for (const Tile& t : map.tiles)
        before.emplace_back(t.kind, t.number);
    for (auto turn : {&Map::rotateRight, &Map::rotateLeft}) {
        for (int i = 0; i < 4; ++i)
            (map.*turn)();
        for (std::size_t i = 0; i < map.tiles.size(); ++i) {
            EXPECT_EQ(map.tiles[i].kind, before[i].first);
            EXPECT_EQ(map.tiles[i].number, before[i].second);
        }
    }
    EXPECT_EQ(map.rotation, 0);
}

TEST_F(RotationTest, ArmedActionTileIsFoundAgainByNumber) {
    Tile& shop = *sim.map->tileAt(6, 0);
    sim.actionKind = ActionKind::BuildConvenienceStore;
    sim.actionTile = &shop;
    sim.actionTileNumber = shop.number;
    sim.map->rotateRight();
    ASSERT_NE(sim.actionTile, nullptr);
    EXPECT_EQ(sim.actionTile, sim.map->tileAt(8, 6));
    EXPECT_EQ(sim.actionTile->kind, TileKind::Shop);
}

TEST_F(RotationTest, NonSquareGridsStayPut) {
    makeBlankMap(sim, 6, 4);
    build(sim, 5, 0, TileKind::Park);
    sim.map->rotateRight();
    EXPECT_EQ(sim.map->tileAt(5, 0)->kind, TileKind::Park);
    EXPECT_EQ(sim.map->rotation, 0);
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
    map.cullToView(150.f, -10.f, 50.f, 10.f);
    EXPECT_TRUE(map.tileAt(0, 0)->hasFlag(kFlagOffScreen));
    EXPECT_FALSE(map.tileAt(5, 5)->hasFlag(kFlagOffScreen));
}

TEST(ViewTest, RangeHighlightSelectionAndLayer) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    Map& map = *sim.map;
    map.highlightRange(*map.tileAt(5, 5), 2);
    int lit = 0;
    for (const Tile& t : map.tiles)
        lit += t.hasFlag(kFlagHighlighted) ? 1 : 0;
    EXPECT_EQ(lit, 25);
    map.highlightRange(*map.tileAt(0, 0), 1);
    EXPECT_FALSE(map.tileAt(5, 5)->hasFlag(kFlagHighlighted));
    EXPECT_TRUE(map.tileAt(1, 1)->hasFlag(kFlagHighlighted));
    map.clearHighlight();
    EXPECT_FALSE(map.tileAt(1, 1)->hasFlag(kFlagHighlighted));

    map.setSelectedTile(map.tileAt(3, 3));
    EXPECT_EQ(map.selectedTileNumber, map.tileAt(3, 3)->number);
    EXPECT_FLOAT_EQ(map.highlightTime, 0.5f);
    map.setSelectedTile(nullptr);
    EXPECT_EQ(map.selectedTileNumber, -1);

    RequestLog requests(sim);
    requests.clear();
    map.setLayer(2);
    EXPECT_EQ(map.layer, 2);
    EXPECT_EQ(requests.count(RequestKind::RefreshLayerOptions), 1);
}
