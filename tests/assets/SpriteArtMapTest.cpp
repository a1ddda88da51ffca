// Checks the generated map art against what the map drawing and tile picking rely on:
// sizes and cell layouts, two tones only, the picking image's key colours, roads that
// join without a seam and buildings that can all be told apart.
#include "assets/SpriteNames.h"

#include <SFML/Graphics/Image.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

sf::Image load(const std::string& name) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(std::string(TAPBURG_TEST_DATA_DIR) + "sprites/" + name + ".png"))
        << name;
    return image;
}

bool isMap(std::string_view name) {
    return name != "cursor" && name.substr(0, 3) != "ui/";
}

// Sprites drawn as a 2 x 2 grid of facing frames.
const std::vector<std::string> facingSprites{
    "house_small_1", "house_small_2",  "house_small_3", "house_small_4",     "house_large_1",
    "house_large_2", "house_large_3",  "flats_1",       "flats_2",           "flats_3",
    "flats_4",       "market",         "shop",          "convenience_store", "factory_1",
    "factory_2",     "commercial_1",   "commercial_2",  "commercial_3",      "commercial_4",
    "fire_station",  "police_station", "hospital",      "pumping_station"};

const std::vector<std::string> roadPieces{
    "road1", "road2",  "road3",  "road4",      "road5",      "road6",      "road7",     "road8",
    "road9", "road10", "road11", "road1_end1", "road1_end2", "road2_end1", "road2_end2"};

TEST(MapArt, EveryListedSpriteExists) {
    for (const std::string_view name : spriteNames) {
        const sf::Image image = load(std::string(name));
        EXPECT_GT(image.getSize().x, 0u) << name;
    }
}

TEST(MapArt, FixedSizes) {
    const std::map<std::string, sf::Vector2u> sizes{{"isomap", {34, 17}},
                                                    {"tile_border", {32, 16}},
                                                    {"tile_outline", {32, 16}},
                                                    {"tile_highlighted", {32, 16}},
                                                    {"tile_semi_filled", {32, 16}},
                                                    {"hidden_tile_overlay", {32, 16}},
                                                    {"trash_on_streets", {4 * 34, 24}},
                                                    {"landfill", {8 * 34, 24}},
                                                    {"fire_animation", {6 * 20, 51}}};
    for (const auto& [name, size] : sizes)
        EXPECT_EQ(load(name).getSize(), size) << name;
    for (const std::string& name : roadPieces)
        EXPECT_EQ(load(name).getSize(), sf::Vector2u(32, 16)) << name;
}

// The game anchors every tall image by its bottom 17 rows, so each drawing must put its
// ground there: the diamond's side tips on rows 7 and 8 of those rows, and nothing on the
// last row but the one-pixel lip under the bottom tip.
void expectStandsOnTile(const sf::Image& image, unsigned left, unsigned top, unsigned h,
                        const std::string& what) {
    const unsigned ground = top + h - 17;
    for (const unsigned row : {ground + 7, ground + 8}) {
        EXPECT_NE(image.getPixel(left, row).a, 0) << what << " left tip";
        EXPECT_NE(image.getPixel(left + 31, row).a, 0) << what << " right tip";
    }
    for (unsigned x = 0; x < 32; ++x) {
        const bool lip = x >= 14 && x <= 17;
        EXPECT_EQ(image.getPixel(left + x, top + h - 1).a != 0, lip)
            << what << " last row, x " << x;
    }
}

TEST(MapArt, BuildingsStandOnTheirTile) {
    for (const std::string& name : facingSprites) {
        const sf::Image image = load(name);
        ASSERT_EQ(image.getSize().x, 64u) << name;
        ASSERT_EQ(image.getSize().y % 2, 0u) << name;
        const unsigned h = image.getSize().y / 2;
        ASSERT_GE(h, 17u) << name;
        for (unsigned c = 0; c < 4; ++c)
            expectStandsOnTile(image, (c % 2) * 32, (c / 2) * h, h,
                               name + " cell " + std::to_string(c));
    }
    for (const char* name : {"watertower", "tree1", "park1", "rubble"}) {
        const sf::Image image = load(name);
        ASSERT_EQ(image.getSize().x, 32u) << name;
        ASSERT_GE(image.getSize().y, 17u) << name;
        expectStandsOnTile(image, 0, 0, image.getSize().y, name);
    }
}

// Only opaque white and black are recoloured, so anything else would keep its colour
// under every palette.
TEST(MapArt, MapSpritesUseOnlyTheTwoTones) {
    for (const std::string_view name : spriteNames) {
        if (!isMap(name) || name == "isomap")
            continue;
        const sf::Image image = load(std::string(name));
        int stray = 0;
        for (unsigned y = 0; y < image.getSize().y; ++y)
            for (unsigned x = 0; x < image.getSize().x; ++x) {
                const sf::Color c = image.getPixel(x, y);
                stray += !(c.a == 0 || c == sf::Color::White || c == sf::Color::Black);
            }
        EXPECT_EQ(stray, 0) << name;
    }
}

// Tile picking as the game does it: every visible tile whose 34 x 17 box holds the
// point reads the picking image, and the last one in row-major order decides. Over a
// block of tiles that must name, for every pixel, the tile whose diamond holds it.
TEST(MapArt, PickingImageFindsTheTileUnderEveryPixel) {
    const sf::Image iso = load("isomap");
    ASSERT_EQ(iso.getSize(), sf::Vector2u(34, 17));
    constexpr int N = 6;
    const auto pick = [&](int wx, int wy) {
        sf::Vector2i result{0, 0};
        for (int y = 0; y < N; ++y)
            for (int x = 0; x < N; ++x) {
                const int lx = wx - (x + y) * 16, ly = wy - (y - x) * 8;
                if (lx < 0 || lx >= 34 || ly < 0 || ly >= 17)
                    continue;
                const sf::Color c =
                    iso.getPixel(static_cast<unsigned>(lx), static_cast<unsigned>(ly));
                result = {x, y};
                if (c == sf::Color(255, 255, 0))
                    result = {x, y - 1};
                else if (c == sf::Color(0, 255, 255))
                    result = {x, y + 1};
                else if (c == sf::Color(255, 0, 255))
                    result = {x - 1, y};
                else if (c == sf::Color(0, 255, 0))
                    result = {x + 1, y};
            }
        return result;
    };
    int checked = 0;
    for (int wy = -40; wy < 60; ++wy)
        for (int wx = 0; wx < 200; ++wx) {
            const double s = (wx + 0.5) / 16.0, d = (wy + 0.5 - 8) / 8.0;
            const int ox = static_cast<int>(std::floor((s - d) / 2));
            const int oy = static_cast<int>(std::floor((s + d) / 2));
            // Inner tiles only: the block's rim has no neighbours to hand pixels to.
            if (ox < 1 || oy < 1 || ox > N - 2 || oy > N - 2)
                continue;
            ASSERT_EQ(pick(wx, wy), sf::Vector2i(ox, oy)) << "world pixel " << wx << "," << wy;
            ++checked;
        }
    EXPECT_EQ(checked, 4 * 4 * 256); // four by four tiles, each diamond 32 x 16 / 2 pixels
}

TEST(MapArt, PickingImageCornersHoldTheKeyColours) {
    const sf::Image iso = load("isomap");
    struct Case {
        unsigned x, y;
        sf::Color key;
    };
    const Case cases[] = {{0, 0, {255, 255, 0}},   {33, 0, {0, 255, 0}},  {0, 16, {255, 0, 255}},
                          {33, 16, {0, 255, 255}}, {4, 2, {255, 255, 0}}, {28, 2, {0, 255, 0}}};
    for (const Case& c : cases)
        EXPECT_EQ(iso.getPixel(c.x, c.y), c.key) << c.x << "," << c.y;
    const sf::Color centre = iso.getPixel(16, 8);
    for (const sf::Color key : {sf::Color(255, 255, 0), sf::Color(0, 255, 0),
                                sf::Color(255, 0, 255), sf::Color(0, 255, 255)})
        EXPECT_NE(centre, key);
}

bool hasArm(const std::string& piece, char side) {
    static const std::map<std::string, std::string> arms{
        {"road1", "WE"},     {"road2", "NS"},     {"road3", "NE"},    {"road4", "NW"},
        {"road5", "NWE"},    {"road6", "SW"},     {"road7", "SE"},    {"road8", "SWE"},
        {"road9", "NSW"},    {"road10", "NSE"},   {"road11", "NSWE"}, {"road1_end1", "W"},
        {"road1_end2", "E"}, {"road2_end1", "S"}, {"road2_end2", "N"}};
    return arms.at(piece).find(side) != std::string::npos;
}

// Two road tiles side by side both cover their shared edge pixels; whichever is drawn
// last, the edge looks the same and the road carries straight on.
void expectSeamless(const std::string& first, const std::string& second, bool eastward) {
    const sf::Image a = load(first), b = load(second);
    int road = 0;
    for (unsigned r = 0; r < 8; ++r)
        for (unsigned i = 0; i < 2; ++i) {
            // The edge of `a` towards `b`, then the same pixel in `b`'s own frame.
            const unsigned ax = 16 + 2 * r + i, ay = eastward ? r : 15 - r;
            const unsigned bx = ax - 16, by = eastward ? ay + 8 : ay - 8;
            const sf::Color pa = a.getPixel(ax, ay), pb = b.getPixel(bx, by);
            ASSERT_EQ(pa, pb) << first << " then " << second << " at edge row " << r;
            road += pa.a != 0;
        }
    EXPECT_GE(road, 6) << first << " and " << second << " should meet along the edge";
}

TEST(MapArt, RoadPiecesJoinSeamlessly) {
    for (const std::string& west : roadPieces)
        for (const std::string& east : roadPieces) {
            if (hasArm(west, 'E') && hasArm(east, 'W'))
                expectSeamless(west, east, true);
            if (hasArm(west, 'S') && hasArm(east, 'N'))
                expectSeamless(west, east, false);
        }
}

std::vector<sf::Color> cell(const sf::Image& image, unsigned col, unsigned row) {
    const unsigned w = image.getSize().x / 2, h = image.getSize().y / 2;
    std::vector<sf::Color> pixels;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            pixels.push_back(image.getPixel(col * w + x, row * h + y));
    return pixels;
}

std::vector<sf::Color> whole(const sf::Image& image) {
    const sf::Uint8* p = image.getPixelsPtr();
    std::vector<sf::Color> pixels;
    for (std::size_t i = 0; i + 3 < image.getSize().x * image.getSize().y * 4u; i += 4)
        pixels.emplace_back(p[i], p[i + 1], p[i + 2], p[i + 3]);
    return pixels;
}

TEST(MapArt, EveryBuildingLooksDifferent) {
    std::map<std::string, std::vector<sf::Color>> shown;
    for (const std::string& name : facingSprites) {
        const sf::Image image = load(name);
        shown[name] = cell(image, 0, 0);
        // Each facing and the quiet overlay row are drawings of their own.
        EXPECT_NE(cell(image, 0, 0), cell(image, 1, 0)) << name;
        EXPECT_NE(cell(image, 0, 0), cell(image, 0, 1)) << name;
    }
    for (const char* name : {"watertower", "tree1", "park1", "rubble"})
        shown[name] = whole(load(name));
    for (auto i = shown.begin(); i != shown.end(); ++i)
        for (auto j = std::next(i); j != shown.end(); ++j)
            EXPECT_NE(i->second, j->second) << i->first << " and " << j->first;
}

int opaque(const sf::Image& image, unsigned frame, unsigned w) {
    int n = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = frame * w; x < (frame + 1) * w; ++x)
            n += image.getPixel(x, y) == sf::Color::Black;
    return n;
}

TEST(MapArt, AnimatedStripsChangeFrameToFrame) {
    const sf::Image litter = load("trash_on_streets");
    for (unsigned f = 1; f < 4; ++f)
        EXPECT_GT(opaque(litter, f, 34), opaque(litter, f - 1, 34)) << "litter frame " << f;
    const sf::Image fill = load("landfill");
    EXPECT_GT(opaque(fill, 7, 34), opaque(fill, 0, 34));
    const sf::Image fire = load("fire_animation");
    const auto frame = [&](unsigned f) {
        std::vector<sf::Color> pixels;
        for (unsigned y = 0; y < 51; ++y)
            for (unsigned x = 0; x < 20; ++x)
                pixels.push_back(fire.getPixel(f * 20 + x, y));
        return pixels;
    };
    for (unsigned f = 0; f < 6; ++f)
        EXPECT_NE(frame(f), frame((f + 1) % 6)) << "fire frame " << f;
}

} // namespace
