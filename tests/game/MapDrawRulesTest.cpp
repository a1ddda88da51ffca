#include "game/MapDrawRules.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct RoadCase {
    unsigned sides;
    int orientation;
    const char* piece;
};

} // namespace

TEST(RoadPiece, EveryNeighbourCombination) {
    constexpr unsigned N = RoadNorth, S = RoadSouth, W = RoadWest, E = RoadEast;
    const RoadCase cases[] = {
        {0, 0, "road1"},          {0, 1, "road2"},
        {0, 2, "road2"},          {0, 3, "road1"},
        {0, 4, "road1"},          {W | E, 1, "road1"},
        {E, 0, "road1_end2"},     {W, 0, "road1_end1"},
        {N | S, 0, "road2"},      {S, 0, "road2_end1"},
        {N, 0, "road2_end2"},     {N | E, 0, "road3"},
        {N | W, 0, "road4"},      {N | W | E, 0, "road5"},
        {S | W, 0, "road6"},      {S | E, 0, "road7"},
        {S | W | E, 0, "road8"},  {N | S | W, 0, "road9"},
        {N | S | E, 0, "road10"}, {N | S | W | E, 2, "road11"},
    };
    for (const RoadCase& c : cases)
        EXPECT_STREQ(roadPieceName(roadPieceIndex(c.sides, c.orientation)), c.piece)
            << "sides " << c.sides << " orientation " << c.orientation;
}

TEST(FacingFrame, CellScaleAndOriginPerOrientation) {
    // A 64 x 62 sheet: cells of 32 x 31, standing 14 rows above the ground.
    const sf::Vector2u sheet(64, 62);
    struct Case {
        int orientation;
        bool bottom;
        sf::IntRect rect;
        sf::Vector2f scale;
        sf::Vector2f origin;
    } const cases[] = {
        {1, false, {0, 0, 32, 31}, {1, 1}, {0, 14}},
        {2, false, {32, 0, 32, 31}, {1, 1}, {0, 14}},
        {3, false, {32, 0, 32, 31}, {-1, 1}, {32, 14}},
        {4, false, {0, 0, 32, 31}, {-1, 1}, {32, 14}},
        {1, true, {0, 31, 32, 31}, {1, 1}, {0, 14}},
        {3, true, {32, 31, 32, 31}, {-1, 1}, {32, 14}},
        {0, false, {0, 0, 32, 31}, {1, 1}, {0, 14}},
    };
    for (const Case& c : cases) {
        const SpriteFrame frame = facingFrame(c.orientation, sheet, c.bottom);
        EXPECT_EQ(frame.rect, c.rect) << c.orientation << " bottom " << c.bottom;
        EXPECT_EQ(frame.scale, c.scale) << c.orientation;
        EXPECT_EQ(frame.origin, c.origin) << c.orientation;
    }
}

TEST(LandfillFrame, MirroredForSouthAndNorthRoads) {
    EXPECT_EQ(landfillFrame(1, 3, 24).scale, sf::Vector2f(-1, 1));
    EXPECT_EQ(landfillFrame(2, 3, 24).origin, sf::Vector2f(34, 7));
    EXPECT_EQ(landfillFrame(3, 3, 24).scale, sf::Vector2f(1, 1));
    EXPECT_EQ(landfillFrame(4, 3, 24).origin, sf::Vector2f(0, 7));
    EXPECT_EQ(landfillFrame(4, 3, 24).rect, sf::IntRect(102, 0, 34, 24));
}

TEST(SheetFrames, LitterLandfillAndFire) {
    EXPECT_EQ(litterFrame(3500, 7), -1); // 7 mod 9 is not below 5
    EXPECT_EQ(litterFrame(3500, 3), 1);  // half grown, of at most 3
    EXPECT_EQ(litterFrame(999, 3), -1);
    EXPECT_EQ(litterFrame(1000, 3), 0);
    EXPECT_EQ(litterFrame(6000, 3), 3);
    EXPECT_EQ(litterFrame(1e9, 3), 3);  // grows no further than the tile's own frame
    EXPECT_EQ(litterFrame(6000, 4), 0); // 4 mod 4: never more than the first

    EXPECT_EQ(landfillFillFrame(5000, 10000, 8), 3); // 5000 / 1428
    EXPECT_EQ(landfillFillFrame(0, 10000, 8), 0);
    EXPECT_EQ(landfillFillFrame(10000, 10000, 8), 7);
    EXPECT_EQ(landfillFillFrame(25000, 10000, 8), 7); // over-full: the last frame there is
    EXPECT_EQ(landfillFillFrame(500, 6, 8), 0);       // too small a capacity to divide
    EXPECT_EQ(landfillFillFrame(500, 10000, 0), 0);   // no sheet

    EXPECT_EQ(fireFrameOf(0, 0), 0);
    EXPECT_EQ(fireFrameOf(1, 0), 1); // neighbours out of step
    EXPECT_EQ(fireFrameOf(11, 3), 2);
}

TEST(BuildingArt, NamesByKindLevelAndVariant) {
    struct Case {
        TileKind kind;
        int level;
        int number;
        const char* name;
    } const cases[] = {
        {TileKind::House, 1, 6, "house_small_3"}, {TileKind::House, 2, 6, "house_large_1"},
        {TileKind::House, 3, 7, "flats_4"},       {TileKind::Shop, 1, 5, "market"},
        {TileKind::Shop, 2, 5, "shop"},           {TileKind::Shop, 3, 5, "convenience_store"},
        {TileKind::Factory, 1, 3, "factory_2"},   {TileKind::Commercial, 1, 9, "commercial_2"},
        {TileKind::Hospital, 1, 9, "hospital"},   {TileKind::WaterTower, 1, 9, "watertower"},
        {TileKind::Rubble, 1, 9, "rubble"},
    };
    for (const Case& c : cases) {
        const BuildingArtSpec look = buildingArt(c.kind, c.level);
        EXPECT_EQ(buildingSpriteName(look, buildingVariant(look, c.number)), c.name);
    }
    EXPECT_EQ(buildingArt(TileKind::WaterTower, 1).art, BuildingArt::Whole);
    EXPECT_EQ(buildingArt(TileKind::PumpingStation, 1).art, BuildingArt::Facing);
    EXPECT_EQ(buildingArt(TileKind::Landfill, 1).art, BuildingArt::None);
}

TEST(Overlays, WhichTilesJoinOnEachLayer) {
    const LayerShows population{1, true, true, true};
    const LayerShows populationNoHousing{1, false, true, true};
    const LayerShows attractiveness{2, false, false, false};
    const LayerShows build{0, true, true, true};
    EXPECT_TRUE(joinsOverlay(TileKind::House, population));
    EXPECT_FALSE(joinsOverlay(TileKind::House, populationNoHousing));
    EXPECT_TRUE(joinsOverlay(TileKind::House, attractiveness));
    EXPECT_TRUE(joinsOverlay(TileKind::House, LayerShows{3, false, false, false}));
    EXPECT_FALSE(joinsOverlay(TileKind::House, build));
    EXPECT_TRUE(joinsOverlay(TileKind::Shop, population));
    EXPECT_FALSE(joinsOverlay(TileKind::Shop, LayerShows{1, true, true, false}));
    EXPECT_FALSE(joinsOverlay(TileKind::Shop, attractiveness));
    EXPECT_TRUE(joinsOverlay(TileKind::Commercial, population));
    EXPECT_FALSE(joinsOverlay(TileKind::Factory, LayerShows{1, true, false, true}));
    EXPECT_FALSE(joinsOverlay(TileKind::Hospital, population));
}

TEST(Overlays, AttractivenessIconsAtTheBoundaries) {
    struct Case {
        double value;
        Attraction kind;
        int count;
    } const cases[] = {
        {0.51, Attraction::Positive, 3},  {0.5, Attraction::Positive, 2},
        {0.2, Attraction::Positive, 1},   {0.0, Attraction::Neutral, 1},
        {-0.15, Attraction::Negative, 1}, {-0.3, Attraction::Negative, 2},
        {-0.31, Attraction::Negative, 3},
    };
    for (const Case& c : cases) {
        const AttractionIcons icons = attractionIcons(c.value);
        EXPECT_EQ(icons.kind, c.kind) << c.value;
        EXPECT_EQ(icons.count, c.count) << c.value;
    }
}
