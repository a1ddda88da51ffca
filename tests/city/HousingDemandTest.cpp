#include "CityTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(HousingDemandTest, FollowsTheTargetSharesWhenEveryLevelHasATarget) {
    const struct {
        int offered;
        HouseCounts counts;
        std::array<double, 3> expected;
    } cases[] = {
        {1, {1, 0, 0, 0}, {1.0, 0, 0}},
        {1, {57, 0, 0, 0}, {1.0, 0, 0}},
        {2, {32, 0, 0, 0}, {0.010695187165775399, 1.0, 0}},
        {3, {20, 10, 5, 0}, {0.3673469387755102, 0.7012987012987012, 1.0}},
        {3, {40, 30, 12, 0}, {0.405149051490515, 0.489247311827957, 1.0}},
    };
    for (const auto& c : cases) {
        const HousingDemand d = Simulation::housingDemandFor(c.offered, c.counts, {});
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(d[i], c.expected[i], 1e-12) << c.offered << " levels, entry " << i;
        EXPECT_EQ(d[3], 0.0);
    }
}

TEST(HousingDemandTest, LevelsWithoutATargetStayFinite) {
    const struct {
        int offered;
        HouseCounts counts;
        std::array<double, 3> expected;
    } cases[] = {
        {1, {0, 0, 0, 0}, {1.0, 0, 0}},   // every house demolished
        {2, {1, 0, 0, 0}, {1.0, 1.0, 0}}, // no level has a target yet
        {2, {0, 3, 0, 0}, {1.0, 0.0, 0}}, // large houses oversupplied
        {3, {0, 0, 0, 0}, {1.0, 1.0, 1.0}},
    };
    for (const auto& c : cases) {
        const HousingDemand d = Simulation::housingDemandFor(c.offered, c.counts, {});
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_TRUE(std::isfinite(d[i]));
            EXPECT_DOUBLE_EQ(d[i], c.expected[i]) << c.offered << " levels, entry " << i;
        }
    }
}

TEST(HousingDemandTest, LevelsNotOnOfferKeepTheirValues) {
    const HousingDemand previous{0.2, 0.3, 0.6, 0.0};
    const HousingDemand d = Simulation::housingDemandFor(1, {4, 9, 9, 0}, previous);
    EXPECT_DOUBLE_EQ(d[0], 1.0);
    EXPECT_DOUBLE_EQ(d[1], 0.3);
    EXPECT_DOUBLE_EQ(d[2], 0.6);
}

TEST(HousingDemandTest, OfferedLevelsFollowTheUnlocks) {
    Simulation sim;
    const struct {
        unsigned unlocked;
        int offered;
    } cases[] = {{0, 1}, {1, 2}, {4, 2}, {5, 3}, {511, 3}};
    for (const auto& c : cases) {
        sim.unlocked = c.unlocked;
        EXPECT_EQ(sim.offeredHouseLevels(), c.offered) << c.unlocked;
    }
}

TEST(HousingDemandTest, CountsVisibleHousesByLevel) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    build(sim, 1, 1, TileKind::House, 1);
    build(sim, 2, 1, TileKind::House, 1);
    build(sim, 3, 1, TileKind::House, 3);
    build(sim, 4, 1, TileKind::Shop, 2);
    sim.map->recalculateVisibleTiles();
    sim.countHousesPerLevel();
    EXPECT_EQ(sim.housesPerLevel, (HouseCounts{2, 0, 1, 0}));
    sim.updateHousingDemand();
    EXPECT_DOUBLE_EQ(sim.housingDemand[0], 1.0);
}
