#include "CityTestSupport.h"

#include <gtest/gtest.h>

TEST(RentTest, StaysBetweenOneAndBaseRentPlusSix) {
    House small(1); // base rent 2
    EXPECT_TRUE(small.adjustRent(-1));
    EXPECT_FALSE(small.adjustRent(-1));
    while (small.adjustRent(+1)) {
    }
    EXPECT_EQ(small.rentModifier, 6);

    House flats(3); // base rent 8: may go down to modifier -7
    for (int i = 0; i < 20; ++i)
        flats.adjustRent(-1);
    EXPECT_EQ(flats.amount + flats.rentModifier, 1);
}

class SetKindTest : public ::testing::Test {
protected:
    void SetUp() override { makeBlankMap(sim, 8, 8); }
    Simulation sim;
};

TEST_F(SetKindTest, UpgradesCarryResidentsAndVisitorsOnly) {
    Tile& home = build(sim, 2, 2, TileKind::House, 1);
    houseOf(home).residents = 3;
    houseOf(home).rentModifier = 4;
    houseOf(home).growth = 0.7;
    home.setKind(TileKind::House, 2);
    EXPECT_EQ(houseOf(home).residents.load(), 3);
    EXPECT_EQ(houseOf(home).capacity, 6);
    EXPECT_EQ(houseOf(home).rentModifier, 0);
    EXPECT_EQ(houseOf(home).growth.load(), 0.0);

    Tile& market = build(sim, 4, 4, TileKind::Shop, 1);
    market.shop()->visitors = 12;
    market.setKind(TileKind::Shop, 2);
    EXPECT_EQ(market.shop()->visitors.load(), 12);
    market.setKind(TileKind::House, 1); // a house over a shop starts empty
    EXPECT_EQ(houseOf(market).residents.load(), 0);
}
