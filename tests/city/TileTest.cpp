#include "CityTestSupport.h"

#include <gtest/gtest.h>

TEST(HousingRatingTest, ThresholdsAreStrictOnBothSides) {
    const struct {
        double value;
        HousingRating expected;
    } cases[] = {
        {0.0, HousingRating::Neutral},
        {1e-9, HousingRating::Tolerable},
        {0.2, HousingRating::Tolerable},
        {0.2000001, HousingRating::Good},
        {0.5, HousingRating::Good},
        {0.5000001, HousingRating::Excellent},
        {-1e-9, HousingRating::Inadequate},
        {-0.15, HousingRating::Inadequate},
        {-0.1500001, HousingRating::Poor},
        {-0.3, HousingRating::Poor},
        {-0.3000001, HousingRating::Appalling},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ratingOf(c.value), c.expected) << c.value;
}

TEST(RentTest, StaysBetweenOneAndBaseRentPlusSix) {
    House small(1); // base rent 2
    EXPECT_TRUE(small.adjustRent(-1));
    EXPECT_FALSE(small.adjustRent(-1));
    EXPECT_EQ(small.rentModifier, -1);
    int raised = 0;
    while (small.adjustRent(+1))
        ++raised;
    EXPECT_EQ(small.rentModifier, 6);
    EXPECT_EQ(raised, 7);

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

TEST_F(SetKindTest, NewRecordsStartWithTheirKindsValues) {
    const struct {
        TileKind kind;
        int level;
        int amount;
        double waste;
        int capacity;
        int range;
    } cases[] = {
        {TileKind::House, 1, 2, 0.2, 3, -1},        {TileKind::House, 2, 4, 0.45, 6, -1},
        {TileKind::House, 3, 8, 1.0, 15, -1},       {TileKind::Shop, 1, 5, 0.1, 15, 4},
        {TileKind::Shop, 2, 10, 0.25, 50, 6},       {TileKind::Shop, 3, 15, 0.4, 100, 8},
        {TileKind::WaterTower, 0, 0, 0, 50, 10},    {TileKind::PumpingStation, 0, 0, 0, 250, 8},
        {TileKind::Factory, 0, 15, 4.0, 40, 10},    {TileKind::Commercial, 0, 50, 1.75, 100, 12},
        {TileKind::Hospital, 0, 0, 1.25, -1, -1},   {TileKind::FireStation, 0, 0, 0, -1, -1},
        {TileKind::PoliceStation, 0, 0, 0, -1, -1}, {TileKind::Landfill, 0, 0, 0, 10000, -1},
    };
    for (const auto& c : cases) {
        Tile& tile = build(sim, 3, 3, c.kind, c.level);
        SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.level);
        ASSERT_NE(tile.building, nullptr);
        EXPECT_EQ(tile.building->tile, &tile);
        EXPECT_EQ(tile.building->amount, c.amount);
        EXPECT_DOUBLE_EQ(tile.building->waste, c.waste);
        int capacity = -1;
        int range = -1;
        if (const House* h = tile.house()) {
            capacity = h->capacity;
            EXPECT_EQ(h->shownNeeds.load(), 7);
            EXPECT_EQ(h->level, c.level);
        } else if (const Shop* s = tile.shop()) {
            capacity = s->capacity;
            range = s->range;
        } else if (const WaterSupply* w = tile.waterSupply()) {
            capacity = w->capacity;
            range = w->range;
        } else if (const Factory* f = tile.factory()) {
            capacity = f->capacity;
            range = f->range;
            EXPECT_EQ(f->goodsType, 0);
        } else if (const Commercial* o = tile.commercial()) {
            capacity = o->capacity;
            range = o->range;
        } else if (const Landfill* l = tile.landfill()) {
            capacity = l->capacity;
            EXPECT_EQ(l->fill.load(), 0.0);
        }
        EXPECT_EQ(capacity, c.capacity);
        EXPECT_EQ(range, c.range);
        build(sim, 3, 3, TileKind::Empty);
    }
}

TEST_F(SetKindTest, KindsWithoutRecordDropTheOldOne) {
    for (TileKind kind :
         {TileKind::Empty, TileKind::Tree, TileKind::Road, TileKind::Park, TileKind::Rubble}) {
        Tile& tile = build(sim, 2, 2, TileKind::House);
        tile.setKind(kind);
        EXPECT_EQ(tile.building, nullptr);
        EXPECT_EQ(tile.house(), nullptr);
        EXPECT_EQ(tile.kind, kind);
    }
}

TEST_F(SetKindTest, UpgradesCarryResidentsAndVisitorsOnly) {
    Tile& home = build(sim, 2, 2, TileKind::House, 1);
    home.house()->residents = 3;
    home.house()->rentModifier = 4;
    home.house()->growth = 0.7;
    home.setKind(TileKind::House, 2);
    EXPECT_EQ(home.house()->residents.load(), 3);
    EXPECT_EQ(home.house()->capacity, 6);
    EXPECT_EQ(home.house()->rentModifier, 0);
    EXPECT_EQ(home.house()->growth.load(), 0.0);

    Tile& market = build(sim, 4, 4, TileKind::Shop, 1);
    market.shop()->visitors = 12;
    market.setKind(TileKind::Shop, 2);
    EXPECT_EQ(market.shop()->visitors.load(), 12);
    EXPECT_EQ(market.shop()->capacity, 50);

    // A house built over a shop starts empty.
    market.setKind(TileKind::House, 1);
    EXPECT_EQ(market.house()->residents.load(), 0);
}

TEST_F(SetKindTest, RecordsTheChangeForTheNextListRebuild) {
    Tile& tile = build(sim, 1, 1, TileKind::House);
    EXPECT_EQ(sim.map->lastChangedTile, &tile);
    EXPECT_EQ(sim.map->lastChangedKind, static_cast<int>(TileKind::House));
    sim.map->recalculateVisibleTiles();
    EXPECT_EQ(sim.map->lastChangedTile, nullptr);
    EXPECT_EQ(sim.map->lastChangedKind, kEverythingChanged);
}
