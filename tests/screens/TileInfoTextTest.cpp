#include "screens/TileInfoText.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"

#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace {

// The record a kind just set must have; stops the test rather than touch a null one.
template <class Record> Record& made(Record* record) {
    if (record == nullptr)
        throw std::logic_error("the tile has no record of that kind");
    return *record;
}

// One tile in the middle of a blank grid, its four sides empty, with demand for every
// house level so that only what a test sets up shows as a complaint.
class TileText : public ::testing::Test {
protected:
    void SetUp() override {
        sim.map->create(9, 9, true);
        for (Tile* side : tile().orthogonal)
            side->setKind(TileKind::Empty);
        sim.housingDemand = {1.0, 1.0, 1.0, 0.0};
    }

    Tile& tile() { return *sim.map->tileAt(4, 4); }
    House& house(int level = 1) {
        tile().setKind(TileKind::House, level);
        House& home = made(tile().house());
        home.shownNeeds = 0;
        return home;
    }
    void sides(TileKind kind, int count) {
        for (int i = 0; i < count; ++i)
            tile().orthogonal[static_cast<std::size_t>(i)]->setKind(kind);
    }
    std::string text() { return describeTile(tile(), sim).text; }
    std::string complaints() { return complaintsLine(tile(), sim); }

    Simulation sim;
};

TEST_F(TileText, HouseShowsRatingResidentsAndSignedRent) {
    House& home = house(2);
    home.amount = 4;
    home.residents = 5;
    home.shownAttractiveness = 0.3;
    home.rentModifier = -2;
    EXPECT_EQ(text(), "Rating:\t\t\tGood\nResidents:\t5/6\nRent:\t\t\t\t2 per day (-2)\n\n"
                      "Needs & complaints:\nAll good!");
    const struct {
        int modifier;
        const char* rent;
    } rents[] = {{3, "7 per day (+3)"}, {0, "4 per day (0)"}, {1, "5 per day (+1)"}};
    for (const auto& rent : rents) {
        home.rentModifier = rent.modifier;
        EXPECT_NE(text().find(rent.rent), std::string::npos) << rent.rent;
    }
    const TileInfo info = describeTile(tile(), sim);
    EXPECT_EQ(info.icon, "ui/action_housing_large");
    EXPECT_TRUE(info.rentButtons);
    EXPECT_FALSE(info.goodsButtons);
    EXPECT_EQ(info.highlight, RangeHighlight::Clear);
}

TEST_F(TileText, HouseRatingWordsFollowTheThresholds) {
    House& home = house();
    const struct {
        double value;
        const char* word;
    } ratings[] = {{0.5, "Good"},    {0.51, "Excellent"}, {-0.3, "Poor"},
                   {0.0, "Neutral"}, {0.01, "Tolerable"}, {-0.31, "Appalling"}};
    for (const auto& rating : ratings) {
        home.shownAttractiveness = rating.value;
        EXPECT_EQ(text().rfind(std::string("Rating:\t\t\t") + rating.word + "\n", 0), 0u)
            << rating.value;
    }
}

TEST_F(TileText, ComplaintsListInOrderAndReadAsASentence) {
    House& home = house();
    EXPECT_EQ(complaints(), "All good!");

    sim.housingDemand[0] = 0.0;
    EXPECT_EQ(complaints(), "No demand");

    sim.housingDemand[0] = 0.5;
    home.shownNeeds = kNeedWater;
    sides(TileKind::Road, 2);
    EXPECT_EQ(complaints(), "Water needed, noisy street");

    home.shownNeeds = kNeedShops | kNeedJobs | kNeedWater;
    tile().crime = 1.0;
    tile().fireSafety = -1.0;
    tile().healthCare = -1.0;
    EXPECT_EQ(complaints(), "Water needed, employment needed, shops needed, noisy street, crime "
                            "in area, fire hazard, no hospital");

    EXPECT_EQ(complaintsLine(*sim.map->tileAt(0, 0), sim), "");
}

TEST_F(TileText, FlatsTakeMoreNeighboursBeforeFeelingCramped) {
    house(2);
    sides(TileKind::House, 2);
    EXPECT_EQ(complaints(), "Feeling cramped");
    house(3);
    EXPECT_EQ(complaints(), "All good!");
    sides(TileKind::House, 3);
    EXPECT_EQ(complaints(), "Feeling cramped");
}

TEST_F(TileText, FactoryShowsStaffingShareAndGoods) {
    tile().setKind(TileKind::Factory);
    Factory& factory = made(tile().factory());
    factory.workers = 30;
    factory.goodsType = 2;
    TileInfo info = describeTile(tile(), sim);
    EXPECT_EQ(info.text,
              "Workers:\t\t\t30/40 (75%)\nRange:\t\t\t\t10 squares\nProduction:\t\tLuxury items");
    EXPECT_TRUE(info.goodsButtons);
    EXPECT_EQ(info.highlight, RangeHighlight::Show);
    EXPECT_EQ(info.range, 10);

    factory.workers = 13;
    EXPECT_NE(text().find("13/40 (32%)"), std::string::npos); // 32.5 truncated
    // Values only a damaged save holds still read as something sensible.
    factory.capacity = 0;
    factory.goodsType = 7;
    EXPECT_NE(text().find("13/0 (0%)"), std::string::npos);
    EXPECT_NE(text().find("Production:\t\tLuxury items"), std::string::npos);
}

TEST_F(TileText, EachBuildingKindHasItsText) {
    const struct {
        TileKind kind;
        const char* text;
        const char* icon;
        RangeHighlight highlight;
        int range;
    } cases[] = {
        {TileKind::Road, "Maintenance cost: 1 per day", "ui/action_road", RangeHighlight::Clear, 0},
        {TileKind::Park, "Maintenance cost: 10 per day", "ui/action_park", RangeHighlight::Clear,
         0},
        {TileKind::WaterTower,
         "Water usage:\t\t0/50\nService range:\t10 squares\nOverhead:\t\t\t15 per day",
         "ui/action_watertower", RangeHighlight::Show, 10},
        {TileKind::PumpingStation,
         "Water usage:\t\t0/250\nService range:\t8 squares\nOverhead:\t\t\t35 per day",
         "ui/action_pumping_station", RangeHighlight::Show, 8},
        {TileKind::Hospital, "Range:\t12 squares\nCost:\t\t50 per day", "ui/action_hospital",
         RangeHighlight::Show, 12},
        {TileKind::PoliceStation, "Range:\t12 squares\nCost:\t\t40 per day",
         "ui/action_police_station", RangeHighlight::Show, 12},
        {TileKind::Shop, "Shoppers:\t 0/15\nRange:\t\t 4 squares\nIncome:\t\t 0.0 per day",
         "ui/action_market", RangeHighlight::Show, 4},
        {TileKind::Commercial,
         "Employees:\t0/100\nRange:\t\t\t12 squares\nIncome:\t\t\t0.0 per day",
         "ui/action_commercial", RangeHighlight::Show, 12},
        {TileKind::Landfill, "Filled:\t0/10000", "ui/action_landfill", RangeHighlight::Clear, 0},
        {TileKind::Rubble, "", "", RangeHighlight::Keep, 0},
    };
    for (const auto& expected : cases) {
        tile().setKind(expected.kind);
        const TileInfo info = describeTile(tile(), sim);
        EXPECT_EQ(info.text, expected.text) << static_cast<int>(expected.kind);
        EXPECT_EQ(info.icon, expected.icon);
        EXPECT_EQ(info.highlight, expected.highlight);
        EXPECT_EQ(info.range, expected.range);
        EXPECT_FALSE(info.rentButtons || info.goodsButtons);
    }
}

TEST_F(TileText, NumbersThatNeedRoundingOrAreOutOfReach) {
    tile().setKind(TileKind::FireStation);
    sim.city->fireRangeExtended = true;
    EXPECT_EQ(describeTile(tile(), sim).range, 15);
    EXPECT_EQ(text(), "Range:\t15 squares\nCost:\t\t40 per day");

    tile().setKind(TileKind::Shop, 3);
    made(tile().shop()).lastIncome = 12.34;
    EXPECT_NE(text().find("12.3 per day"), std::string::npos);
    EXPECT_EQ(describeTile(tile(), sim).icon, "ui/action_convenience_store");

    tile().setKind(TileKind::Landfill);
    Landfill& landfill = made(tile().landfill());
    landfill.fill = 99.9;
    EXPECT_EQ(text(), "Filled:\t99/10000");
    landfill.fill = 1e300;
    EXPECT_EQ(text(), "Filled:\t2147483647/10000");
    landfill.fill = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(text(), "Filled:\t0/10000");
}

TEST_F(TileText, TilesAreFoundAgainByTheirNumberAfterATurn) {
    Map& map = *sim.map;
    sim.map->create(9, 9, false);
    Tile* corner = nullptr;
    for (Tile* visible : map.visibleTiles())
        if (visible->x != visible->y)
            corner = visible;
    ASSERT_NE(corner, nullptr);
    const int number = corner->number;
    EXPECT_EQ(visibleTileNumbered(sim, number), corner);
    map.rotateRight();
    Tile* found = visibleTileNumbered(sim, number);
    ASSERT_NE(found, nullptr);
    EXPECT_NE(found, corner);
    EXPECT_EQ(found->number, number);
    EXPECT_EQ(visibleTileNumbered(sim, -5), nullptr);
}

} // namespace
