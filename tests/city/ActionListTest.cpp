#include "CityTestSupport.h"

#include <gtest/gtest.h>

using A = ActionKind;
using Actions = std::vector<ActionKind>;

class ActionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 12, 12);
        build(sim, 5, 5, TileKind::Road);
    }
    Actions offered(int x, int y) {
        sim.rebuildActionLists();
        return sim.map->tileAt(x, y)->actions();
    }
    Simulation sim;
};

TEST_F(ActionListTest, EmptyTilesOfferBuildingOnlyBesideARoadAndWhenSeen) {
    sim.map->tileAt(5, 4)->flags &= static_cast<std::uint8_t>(~kFlagVisible);
    EXPECT_EQ(offered(5, 6),
              (Actions{A::BuildRoad, A::BuildSmallHousing, A::BuildMarket, A::BuildShop,
                       A::PlantTree, A::BuildPark, A::BuildWaterTower, A::BuildFactory}));
    EXPECT_TRUE(offered(6, 6).empty()); // diagonal to the road only
    sim.unlocked = 511;
    EXPECT_EQ(offered(4, 5),
              (Actions{A::BuildRoad, A::BuildSmallHousing, A::BuildLargeHousing, A::BuildFlats,
                       A::BuildCommercial, A::BuildMarket, A::BuildShop, A::BuildConvenienceStore,
                       A::PlantTree, A::BuildPark, A::BuildWaterTower, A::BuildPumpingStation,
                       A::BuildFactory, A::BuildLandfill, A::BuildHospital, A::BuildFireStation,
                       A::BuildPoliceStation}));
    EXPECT_TRUE(offered(5, 4).empty()); // never seen
}

TEST_F(ActionListTest, TreesRoadsAndBuildings) {
    build(sim, 5, 4, TileKind::Tree);
    build(sim, 8, 8, TileKind::Tree);
    EXPECT_EQ(offered(5, 4), (Actions{A::Demolish, A::BuildPark}));
    EXPECT_TRUE(offered(8, 8).empty());

    EXPECT_EQ(offered(5, 5), (Actions{A::Demolish})); // dead end, nothing beside it
    build(sim, 5, 6, TileKind::Road);
    build(sim, 5, 7, TileKind::Road);
    EXPECT_TRUE(offered(5, 6).empty()); // between two roads
    build(sim, 4, 7, TileKind::Park);   // no record: still demolishable
    EXPECT_EQ(offered(5, 7), (Actions{A::Demolish}));
    build(sim, 6, 7, TileKind::House);
    EXPECT_TRUE(offered(5, 7).empty()); // a building leans on it

    const struct {
        TileKind kind;
        int level;
        unsigned unlocked;
        Actions expected;
    } cases[] = {
        {TileKind::House, 1, 0, {A::Demolish}},
        {TileKind::House, 1, 1, {A::Demolish, A::BuildLargeHousing}},
        {TileKind::House, 2, 4, {A::Demolish, A::BuildFlats}},
        {TileKind::Shop, 1, 0, {A::Demolish, A::BuildShop}},
        {TileKind::Shop, 2, 2, {A::Demolish, A::BuildConvenienceStore}},
        {TileKind::Landfill, 0, 511, {}},
    };
    for (const auto& c : cases) {
        build(sim, 10, 10, c.kind, c.level);
        sim.unlocked = c.unlocked;
        EXPECT_EQ(offered(10, 10), c.expected) << static_cast<int>(c.kind) << "/" << c.level;
    }
}

TEST_F(ActionListTest, BuildingsFaceARoad) {
    // Road to the north only.
    Tile& south = build(sim, 5, 6, TileKind::House);
    // Roads west and east: either may be chosen.
    build(sim, 3, 5, TileKind::Road);
    Tile& between = build(sim, 4, 5, TileKind::Shop);
    // No road at all.
    Tile& lonely = build(sim, 9, 1, TileKind::Factory);
    sim.randomNumbers.seed(3);
    sim.rebuildActionLists();
    EXPECT_EQ(south.orientation, 2);
    EXPECT_TRUE(between.orientation == 3 || between.orientation == 4);
    EXPECT_EQ(lonely.orientation, 4);
}
