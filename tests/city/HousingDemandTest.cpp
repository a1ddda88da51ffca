#include "CityTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(HousingDemandTest, FollowsTheTargetSharesAndStaysFiniteWithoutATarget) {
    const struct {
        int offered;
        HouseCounts counts;
        std::array<double, 3> expected;
    } cases[] = {
        {1, {57, 0, 0, 0}, {1.0, 0, 0}},
        {2, {32, 0, 0, 0}, {0.010695187165775399, 1.0, 0}},
        {3, {20, 10, 5, 0}, {0.3673469387755102, 0.7012987012987012, 1.0}},
        {3, {40, 30, 12, 0}, {0.405149051490515, 0.489247311827957, 1.0}},
        // Levels without a target yet.
        {1, {0, 0, 0, 0}, {1.0, 0, 0}}, // every house demolished
        {2, {1, 0, 0, 0}, {1.0, 1.0, 0}},
        {2, {0, 3, 0, 0}, {1.0, 0.0, 0}}, // large houses oversupplied
        {3, {0, 0, 0, 0}, {1.0, 1.0, 1.0}},
    };
    for (const auto& c : cases) {
        const HousingDemand d = Simulation::housingDemandFor(c.offered, c.counts, {});
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(std::isfinite(d[i]));
            EXPECT_NEAR(d[i], c.expected[i], 1e-12) << c.offered << " levels, entry " << i;
        }
        EXPECT_EQ(d[3], 0.0);
    }
    // Levels not on offer keep their values.
    const HousingDemand d = Simulation::housingDemandFor(1, {4, 9, 9, 0}, {0.2, 0.3, 0.6, 0.0});
    EXPECT_EQ(d, (HousingDemand{1.0, 0.3, 0.6, 0.0}));
}

TEST(HousingDemandTest, CountsVisibleHousesOfTheUnlockedLevels) {
    Simulation sim;
    makeBlankMap(sim, 10, 10);
    build(sim, 1, 1, TileKind::House, 1);
    build(sim, 2, 1, TileKind::House, 1);
    build(sim, 3, 1, TileKind::House, 3);
    build(sim, 4, 1, TileKind::Shop, 2);
    sim.map->tileAt(2, 1)->flags &= static_cast<std::uint8_t>(~kFlagVisible);
    sim.map->recalculateVisibleTiles();
    sim.countHousesPerLevel();
    EXPECT_EQ(sim.housesPerLevel, (HouseCounts{1, 0, 1, 0}));
}
