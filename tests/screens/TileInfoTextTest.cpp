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
        for (Tile* side : tile().orthogonal())
            side->setKind(TileKind::Empty);
        sim.housingDemand = {1.0, 1.0, 1.0, 0.0};
    }

    Tile& tile() { return *sim.map->tileAt(4, 4); }
    House& house(int level) {
        tile().setKind(TileKind::House, level);
        House& home = made(tile().house());
        home.shownNeeds = 0;
        return home;
    }
    void sides(TileKind kind, int count) {
        for (int i = 0; i < count; ++i)
            tile().orthogonal()[static_cast<std::size_t>(i)]->setKind(kind);
    }
    std::string text() { return describeTile(tile(), sim).text; }

    Simulation sim;
};

TEST_F(TileText, HouseShowsRatingResidentsAndSignedRent) {
    House& home = house(2); // base rent 4
    home.residents = 5;
    home.shownAttractiveness = 0.51;
    home.rentModifier = 3;
    EXPECT_EQ(text(), "Rating:\t\t\tExcellent\nResidents:\t5/6\nRent:\t\t\t\t7 per day (+3)\n\n"
                      "Needs & complaints:\nAll good!");
    home.shownAttractiveness = 0.5;
    home.rentModifier = -2;
    EXPECT_NE(text().find("Good\nResidents:\t5/6\nRent:\t\t\t\t2 per day (-2)"), std::string::npos);
}

TEST_F(TileText, ComplaintsReadAsOneSentenceInTheirOrder) {
    house(1);
    sim.housingDemand[0] = 0.0;
    EXPECT_EQ(complaintsLine(tile(), sim), "No demand");

    sim.housingDemand[0] = 0.5;
    made(tile().house()).shownNeeds = kNeedShops | kNeedJobs | kNeedWater;
    sides(TileKind::Road, 2);
    tile().services() = {1.0, -1.0, -1.0};
    EXPECT_EQ(complaintsLine(tile(), sim),
              "Water needed, employment needed, shops needed, noisy street, crime in area, fire "
              "hazard, no hospital");

    // Flats take one more house beside them before they feel cramped.
    tile().services() = TileServices();
    house(2);
    sides(TileKind::House, 2);
    EXPECT_EQ(complaintsLine(tile(), sim), "Feeling cramped");
    house(3);
    EXPECT_EQ(complaintsLine(tile(), sim), "All good!");
    sides(TileKind::House, 3);
    EXPECT_EQ(complaintsLine(tile(), sim), "Feeling cramped");
}

TEST_F(TileText, FiguresStaySensibleForValuesOnlyADamagedSaveHolds) {
    tile().setKind(TileKind::Factory);
    Factory& factory = made(tile().factory());
    factory.workers = 13; // 32.5 % shows as 32 %
    factory.goodsType = 2;
    EXPECT_EQ(text(),
              "Workers:\t\t\t13/40 (32%)\nRange:\t\t\t\t10 squares\nProduction:\t\tLuxury items");
    factory.capacity = 0;
    factory.goodsType = 7;
    EXPECT_EQ(text(),
              "Workers:\t\t\t13/0 (0%)\nRange:\t\t\t\t10 squares\nProduction:\t\tLuxury items");

    tile().setKind(TileKind::Landfill);
    const std::pair<double, const char*> fills[] = {
        {99.9, "Filled:\t99/10000"},
        {1e300, "Filled:\t2147483647/10000"},
        {std::numeric_limits<double>::quiet_NaN(), "Filled:\t0/10000"}};
    for (const auto& [fill, expected] : fills) {
        made(tile().landfill()).fill = fill;
        EXPECT_EQ(text(), expected);
    }
}

TEST_F(TileText, EveryOtherKindHasItsFiguresIconAndRange) {
    const struct {
        TileKind kind;
        const char* text;
        const char* icon;
        int range; // -1: the highlight is cleared, -2: it stays as it was
    } cases[] = {
        {TileKind::Road, "Maintenance cost: 1 per day", "ui/action_road", -1},
        {TileKind::PumpingStation,
         "Water usage:\t\t0/250\nService range:\t8 squares\nOverhead:\t\t\t35 per day",
         "ui/action_pumping_station", 8},
        {TileKind::Rubble, "", "", -2},
    };
    for (const auto& expected : cases) {
        tile().setKind(expected.kind);
        const TileInfo info = describeTile(tile(), sim);
        EXPECT_EQ(info.text, expected.text);
        EXPECT_EQ(info.icon, expected.icon);
        const int range = info.highlight == RangeHighlight::Show    ? info.range
                          : info.highlight == RangeHighlight::Clear ? -1
                                                                    : -2;
        EXPECT_EQ(range, expected.range) << info.text;
    }
}

} // namespace
