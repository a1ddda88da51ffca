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
        house().needs = 0;
    }
    House& house() { return houseOf(*tile); }
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
        {"factory two away", [](Simulation& s, Tile&) { build(s, 7, 5, TileKind::Factory); },
         0.2 - 0.352},
        {"small house crammed by a neighbour",
         [](Simulation& s, Tile&) { build(s, 6, 5, TileKind::House, 1); }, 0.1},
        {"a tree beside", [](Simulation& s, Tile&) { build(s, 6, 6, TileKind::Tree); }, 0.3},
        {"rent raised by one", [](Simulation&, Tile& t) { houseOf(t).rentModifier = 1; },
         0.2 - 0.147},
        {"no shops, water or jobs",
         [](Simulation&, Tile& t) {
             houseOf(t).needs = kAllNeeds;
             houseOf(t).residents = 3;
         },
         0.2 - 0.3 - 0.4 - 0.35},
        {"crime, fire hazard, no health care",
         [](Simulation&, Tile& t) {
             t.services() = {0.5, -1.0, -0.1};
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
        EXPECT_NEAR(house().attractiveness, c.expected, 1e-9) << c.what;
    }
}

TEST_F(HouseUpdateTest, GrowthFillsAndEmptiesTheHouse) {
    sim.housingDemand = {0.5, 0, 0, 0};
    for (int day = 0; day < 8; ++day)
        update();
    EXPECT_NEAR(house().growth, 0.8, 1e-9); // 0.2 * 0.5 a day; the first resident at 0.8333
    update();
    EXPECT_EQ(house().residents, 1);
    EXPECT_DOUBLE_EQ(house().growth, 0.0);

    // Leaving: s = 0.65, then 0.70, then 0.75 stops the loop at one resident.
    house().residents = 3;
    house().growth = -2.0;
    house().health = 1.0; // no growth today, so only the loss loop runs
    update();
    EXPECT_EQ(house().residents, 1);
    EXPECT_DOUBLE_EQ(house().growth, 0.0);
    EXPECT_NEAR(house().health, 0.58, 1e-9);

    // An empty house never owes residents.
    house().residents = 0;
    house().growth = -3.0;
    house().health = 1.0;
    update();
    EXPECT_EQ(house().residents, 0);
    EXPECT_DOUBLE_EQ(house().growth, 0.0);
}

TEST_F(HouseUpdateTest, ADeathLeavesTheHouseMourning) {
    house().residents = 2;
    house().health = -19.6;
    tile->services().healthCare = -0.5;
    update();
    EXPECT_EQ(house().residents, 1);
    EXPECT_DOUBLE_EQ(house().health, 5.0);
    update();
    EXPECT_NEAR(house().health, 4.58, 1e-9);
}
