#include "game/MapDrawRules.h"

#include <gtest/gtest.h>
#include <string>

TEST(SheetFrames, LitterLandfillAndFire) {
    EXPECT_EQ(litterFrame(3500, 7), -1); // 7 mod 9 is not below 5
    EXPECT_EQ(litterFrame(3500, 3), 1);  // half grown, of at most 3
    EXPECT_EQ(litterFrame(999, 3), -1);
    EXPECT_EQ(litterFrame(6000, 3), 3);
    EXPECT_EQ(litterFrame(1e9, 3), 3);  // grows no further than the tile's own frame
    EXPECT_EQ(litterFrame(6000, 4), 0); // 4 mod 4: never more than the first

    EXPECT_EQ(landfillFillFrame(5000, 10000, 8), 3); // 5000 / 1428
    EXPECT_EQ(landfillFillFrame(10000, 10000, 8), 7);
    EXPECT_EQ(landfillFillFrame(25000, 10000, 8), 7); // over-full: the last frame there is
    EXPECT_EQ(landfillFillFrame(500, 6, 8), 0);       // too small a capacity to divide
    EXPECT_EQ(landfillFillFrame(500, 10000, 0), 0);   // no sheet

    EXPECT_EQ(fireFrameOf(0, 0), 0);
    EXPECT_EQ(fireFrameOf(1, 0), 1); // neighbours out of step
    EXPECT_EQ(fireFrameOf(11, 3), 2);
}

TEST(Overlays, AttractivenessIconsAtTheBoundaries) {
    struct Case {
        double value;
        Attraction kind;
        int count;
    } const cases[] = {
        {0.51, Attraction::Positive, 3},  {0.5, Attraction::Positive, 2},
        {0.0, Attraction::Neutral, 1},    {-0.3, Attraction::Negative, 2},
        {-0.31, Attraction::Negative, 3},
    };
    for (const Case& c : cases) {
        const AttractionIcons icons = attractionIcons(c.value);
        EXPECT_EQ(icons.kind, c.kind) << c.value;
        EXPECT_EQ(icons.count, c.count) << c.value;
    }
}
