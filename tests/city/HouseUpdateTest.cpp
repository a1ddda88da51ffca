#include "city/HouseUpdate.h"

#include "CityTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

// A small house at (5, 5) with a road to the north on a blank map; every need met.
class HouseUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeBlankMap(sim, 14, 14);
        build(sim, 5, 4, TileKind::Road);
        tile = &build(sim, 5, 5, TileKind::House, 1);
        house()->needs = 0;
    }
    House* house() { return tile->house(); }
    void update(ServiceLacks lacks = {}) { HouseUpdate(sim, lacks).updateHouse(*tile); }
    Simulation sim;
    Tile* tile = nullptr;
};

TEST_F(HouseUpdateTest, AttractivenessTerms) {
    const struct {
        const char* what;
        std::function<void(Simulation&, Tile&)> arrange;
        double expected;
    } cases[] = {
        {"lone house beside one road", [](Simulation&, Tile&) {}, 0.2},
        {"two roads", [](Simulation& s, Tile&) { build(s, 4, 5, TileKind::Road); }, 0.05},
        {"four roads",
         [](Simulation& s, Tile&) {
             build(s, 4, 5, TileKind::Road);
             build(s, 6, 5, TileKind::Road);
             build(s, 5, 6, TileKind::Road);
         },
         -0.25},
        {"factory two away", [](Simulation& s, Tile&) { build(s, 7, 5, TileKind::Factory); },
         0.2 - 0.352},
        {"factory three away", [](Simulation& s, Tile&) { build(s, 8, 5, TileKind::Factory); },
         0.2 - 0.032},
        {"factory at root ten", [](Simulation& s, Tile&) { build(s, 8, 6, TileKind::Factory); },
         0.2},
        {"small house crammed by a neighbour",
         [](Simulation& s, Tile&) { build(s, 6, 5, TileKind::House, 1); }, 0.1},
        {"flats are not crammed",
         [](Simulation& s, Tile& t) {
             t.setKind(TileKind::House, 3);
             t.house()->needs = 0;
             build(s, 6, 5, TileKind::House, 1);
         },
         0.2},
        {"a tree beside", [](Simulation& s, Tile&) { build(s, 6, 6, TileKind::Tree); }, 0.3},
        {"two parks near",
         [](Simulation& s, Tile&) {
             build(s, 7, 7, TileKind::Park);
             build(s, 2, 2, TileKind::Park);
         },
         0.2 + 0.64},
        {"rent raised by one", [](Simulation&, Tile& t) { t.house()->rentModifier = 1; },
         0.2 - 0.147},
        {"no shops, water or jobs",
         [](Simulation&, Tile& t) {
             t.house()->needs = kAllNeeds;
             t.house()->residents = 3;
         },
         0.2 - 0.3 - 0.4 - 0.35},
        {"a landfill near", [](Simulation& s, Tile&) { build(s, 3, 3, TileKind::Landfill); },
         0.2 - 0.5},
        {"crime, fire hazard, no health care",
         [](Simulation&, Tile& t) {
             t.crime = 0.5;
             t.fireSafety = -1.0;
             t.healthCare = -0.1;
         },
         0.2 - 0.4 - 0.5 - 0.29},
        {"trash on the streets", [](Simulation& s, Tile&) { s.city->streetTrash = 2600.0; },
         0.2 - 2 * 0.058},
    };
    for (const auto& c : cases) {
        SetUp();
        sim.city->streetTrash = 0.0;
        c.arrange(sim, *tile);
        update();
        EXPECT_NEAR(house()->attractiveness, c.expected, 1e-9) << c.what;
    }
}

TEST_F(HouseUpdateTest, GrowthFillsAndEmptiesTheHouse) {
    sim.housingDemand = {0.5, 0, 0, 0};
    for (int day = 0; day < 8; ++day)
        update();
    EXPECT_NEAR(house()->growth, 0.8, 1e-9); // 0.2 * 0.5 a day; the first resident at 0.8333
    update();
    EXPECT_EQ(house()->residents, 1);
    EXPECT_DOUBLE_EQ(house()->growth, 0.0);

    // Leaving: s = 0.65, then 0.70, then 0.75 stops the loop at one resident.
    house()->residents = 3;
    house()->growth = -2.0;
    house()->health = 1.0; // no growth today, so only the loss loop runs
    update();
    EXPECT_EQ(house()->residents, 1);
    EXPECT_DOUBLE_EQ(house()->growth, 0.0);
    EXPECT_NEAR(house()->health, 0.58, 1e-9);

    // A small decline waits for more; an empty house never owes residents.
    house()->growth = -0.5;
    house()->health = 1.0;
    update();
    EXPECT_EQ(house()->residents, 1);
    EXPECT_DOUBLE_EQ(house()->growth, -0.5);
    house()->residents = 0;
    house()->growth = -3.0;
    house()->health = 1.0;
    update();
    EXPECT_EQ(house()->residents, 0);
    EXPECT_DOUBLE_EQ(house()->growth, 0.0);
}

TEST_F(HouseUpdateTest, ADeathLeavesTheHouseMourning) {
    house()->residents = 2;
    house()->health = -19.6;
    tile->healthCare = -0.5;
    update();
    EXPECT_EQ(house()->residents, 1);
    EXPECT_DOUBLE_EQ(house()->health, 5.0);
    update();
    EXPECT_NEAR(house()->health, 4.58, 1e-9);
    EXPECT_EQ(house()->residents, 1);
}

TEST_F(HouseUpdateTest, ABurningHouseIsLeftAlone) {
    house()->residents = 2;
    house()->attractiveness = -0.7;
    house()->growth = -5.0;
    tile->flags |= kFlagBurning;
    update();
    EXPECT_EQ(house()->residents, 2);
    EXPECT_DOUBLE_EQ(house()->attractiveness, -0.7);
}

TEST_F(HouseUpdateTest, LackingServicesReachIntoTheNeighbourhood) {
    Tile& neighbour = build(sim, 6, 6, TileKind::House, 1);
    neighbour.house()->residents = 10;
    neighbour.crime = 2.0;
    neighbour.flags |= kFlagBurning;
    house()->residents = 5;
    HouseUpdate(sim, {true, true, true}).applyServiceLacks(*tile);
    // r lies in [0.75, 1.05); every term scales with it except the neighbour's crime.
    EXPECT_GT(tile->crime, 0.5 * 0.75 + 0.3);
    EXPECT_LT(tile->crime, 0.5 * 1.05 + 0.3);
    EXPECT_LT(tile->healthCare, -(5 * 0.03 + 0.21) * 0.75 + 1e-9);
    EXPECT_LT(tile->fireSafety, -(0.36 * 0.75 + 0.75 * 0.75 + 14.0) + 1e-9);
    EXPECT_GT(tile->fireSafety, -(0.36 * 1.05 + 0.75 * 1.05 + 14.0));

    Tile& road = *sim.map->tileAt(5, 4);
    HouseUpdate(sim, {true, true, true}).applyServiceLacks(road);
    EXPECT_DOUBLE_EQ(road.crime, 0.0); // only houses lack services
}
