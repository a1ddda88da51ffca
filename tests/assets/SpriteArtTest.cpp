// Checks the generated art against what the map drawing, tile picking and widget code
// rely on: sizes and cell layouts, two tones only, the picking image's key colours and
// fields the code paints over.
#include "AssetTestSupport.h"
#include "assets/SpriteNames.h"
#include "city/Map.h"
#include "city/Simulation.h"
#include "game/InputRules.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using assettest::spriteFile;

// The sizes of the sheets the code slices and of the art it lays out by fixed numbers.
// Unlisted action buttons are 40 x 40; buildings are checked by how they stand on their
// tile, and small icons are centred by their own size.
const std::map<std::string, sf::Vector2u> fixedSizes = [] {
    const std::pair<sf::Vector2u, std::vector<const char*>> table[] = {
        {{34, 17}, {"isomap"}},
        {{32, 16},
         {"tile_border", "tile_outline", "tile_highlighted", "tile_semi_filled",
          "hidden_tile_overlay"}},
        {{4 * 34, 24}, {"trash_on_streets"}},
        {{8 * 34, 24}, {"landfill"}},
        {{6 * 20, 51}, {"fire_animation"}},
        {{27, 9}, {"ui/needs_icons"}},
        {{19, 19}, {"ui/detailed_window_bordered", "ui/detailed_window_bordered_shadow"}},
        {{24, 9}, {"ui/titlebar"}},
        {{25, 12}, {"ui/action_price_bg"}},
        {{172, 8}, {"ui/action_progress_bar"}},
        {{17, 14}, {"ui/action_progress_button"}},
        {{95, 24}, {"ui/budget_slot", "ui/population_slot"}},
        {{102, 24}, {"ui/date_slot"}},
        {{24, 39},
         {"ui/action_next", "ui/action_next_disabled", "ui/action_previous",
          "ui/action_previous_disabled"}},
        {{320, 1},
         {"ui/expenditure_titles_underline", "ui/city_population_titles_underline",
          "ui/production_titles_underline"}},
        {{512, 96}, {"ui/menu/title"}},
        {{640, 320}, {"ui/menu/city"}},
    };
    std::map<std::string, sf::Vector2u> sizes;
    for (const auto& [size, names] : table)
        for (const char* name : names)
            sizes[name] = size;
    return sizes;
}();

bool isActionButton(std::string_view name) {
    return name.substr(0, 10) == "ui/action_" && !fixedSizes.count(std::string(name));
}

// Sprites drawn as a 2 x 2 grid: two facings on top, the quiet overlay row below.
const std::vector<std::string> facingSprites{
    "house_small_1", "house_small_2",  "house_small_3", "house_small_4",     "house_large_1",
    "house_large_2", "house_large_3",  "flats_1",       "flats_2",           "flats_3",
    "flats_4",       "market",         "shop",          "convenience_store", "factory_1",
    "factory_2",     "commercial_1",   "commercial_2",  "commercial_3",      "commercial_4",
    "fire_station",  "police_station", "hospital",      "pumping_station"};
const std::vector<std::string> singleSprites{"watertower", "tree1", "park1", "rubble"};

// The pixels of `rect`, row by row.
std::vector<sf::Color> pixels(const sf::Image& image, sf::IntRect rect) {
    std::vector<sf::Color> out;
    for (int y = rect.top; y < rect.top + rect.height; ++y)
        for (int x = rect.left; x < rect.left + rect.width; ++x)
            out.push_back(image.getPixel(unsigned(x), unsigned(y)));
    return out;
}

// How many pixels are `colour`; every fully transparent pixel counts as Transparent.
int countOf(const std::vector<sf::Color>& in, sf::Color colour) {
    return int(std::count_if(in.begin(), in.end(), [colour](sf::Color c) {
        return c == colour || (c.a == 0 && colour.a == 0);
    }));
}

// Only opaque white and black are recoloured by the palettes, so any other colour would
// keep its stored value under every palette.
TEST(SpriteArt, EverySpriteHasItsSizeAndOnlyTheTwoTones) {
    int actionButtons = 0;
    for (const std::string_view view : spriteNames) {
        const std::string name(view);
        const sf::Image image = spriteFile(name);
        const auto fixed = fixedSizes.find(name);
        if (fixed != fixedSizes.end() || isActionButton(name)) {
            EXPECT_EQ(image.getSize(),
                      fixed != fixedSizes.end() ? fixed->second : sf::Vector2u(40, 40))
                << name;
        }
        actionButtons += isActionButton(name);
        if (name == "isomap")
            continue;
        const std::vector<sf::Color> all =
            pixels(image, {0, 0, int(image.getSize().x), int(image.getSize().y)});
        const int ink = countOf(all, sf::Color::Black);
        EXPECT_EQ(countOf(all, sf::Color::Transparent) + ink + countOf(all, sf::Color::White),
                  int(all.size()))
            << name;
        EXPECT_GT(ink, 0) << name << " is blank";
    }
    EXPECT_EQ(actionButtons, 21);
}

// The game anchors every tall image by its bottom 17 rows, so each drawing must put its
// ground there: the diamond's side tips on rows 7 and 8 of those rows, and nothing on the
// last row but the four-pixel lip under the bottom tip.
void expectStandsOnTile(const sf::Image& image, unsigned left, unsigned top, unsigned h,
                        const std::string& what) {
    const unsigned ground = top + h - 17;
    for (const unsigned row : {ground + 7, ground + 8}) {
        EXPECT_NE(image.getPixel(left, row).a, 0) << what << " left tip";
        EXPECT_NE(image.getPixel(left + 31, row).a, 0) << what << " right tip";
    }
    for (unsigned x = 0; x < 32; ++x)
        EXPECT_EQ(image.getPixel(left + x, top + h - 1).a != 0, x >= 14 && x <= 17)
            << what << " last row, x " << x;
}

TEST(SpriteArt, BuildingsStandOnTheirTile) {
    std::vector<std::pair<std::string, unsigned>> buildings; // with their cells a side
    for (const std::string& name : facingSprites)
        buildings.emplace_back(name, 2);
    for (const std::string& name : singleSprites)
        buildings.emplace_back(name, 1);
    for (const auto& [name, cells] : buildings) {
        const sf::Image image = spriteFile(name);
        const unsigned h = image.getSize().y / cells;
        ASSERT_EQ(image.getSize(), sf::Vector2u(32 * cells, h * cells)) << name;
        ASSERT_GE(h, 17u) << name;
        for (unsigned c = 0; c < cells * cells; ++c)
            expectStandsOnTile(image, (c % cells) * 32, (c / cells) * h, h,
                               name + " cell " + std::to_string(c));
    }
}

// The front-facing drawing of a map sprite as the game shows it, ground row last: the
// top-left cell of a facing sheet, a whole image, or the fullest landfill frame (drawn one
// pixel in from its left edge).
sf::Image frontView(const std::string& name) {
    const sf::Image image = spriteFile(name);
    const sf::Vector2u size = image.getSize();
    sf::IntRect cell{0, 0, int(size.x), int(size.y)};
    if (name == "landfill")
        cell = {7 * 34 + 1, 0, 32, 24};
    else if (size.x == 64)
        cell = {0, 0, 32, int(size.y) / 2};
    sf::Image out;
    out.create(unsigned(cell.width), unsigned(cell.height));
    out.copy(image, 0, 0, cell);
    return out;
}

// Opaque pixels that differ between two drawings standing on the same tile.
int silhouetteDifference(const sf::Image& p, const sf::Image& q) {
    const int h = int(std::max(p.getSize().y, q.getSize().y));
    const auto opaque = [h](const sf::Image& image, int x, int y) {
        const int row = y - (h - int(image.getSize().y));
        return row >= 0 && image.getPixel(unsigned(x), unsigned(row)).a != 0;
    };
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 32; ++x)
            differing += opaque(p, x, y) != opaque(q, x, y);
    return differing;
}

// A newcomer tells kinds apart by their outline first: every kind's outline must differ
// clearly from every other's, and within houses and shops each level stands taller than
// the one below, whichever variant is drawn.
TEST(SpriteArt, KindsAndLevelsHaveTheirOwnOutline) {
    const std::vector<std::vector<std::string>> kinds{
        {"house_small_1", "house_small_2", "house_small_3", "house_small_4"},
        {"house_large_1", "house_large_2", "house_large_3"},
        {"flats_1", "flats_2", "flats_3", "flats_4"},
        {"market"},
        {"shop"},
        {"convenience_store"},
        {"factory_1", "factory_2"},
        {"commercial_1", "commercial_2", "commercial_3", "commercial_4"},
        {"fire_station"},
        {"police_station"},
        {"hospital"},
        {"pumping_station"},
        {"watertower"},
        {"tree1"},
        {"park1"},
        {"rubble"},
        {"landfill"}};
    constexpr int MinDifference = 40;
    for (std::size_t i = 0; i < kinds.size(); ++i)
        for (std::size_t j = i + 1; j < kinds.size(); ++j)
            for (const std::string& p : kinds[i])
                for (const std::string& q : kinds[j])
                    EXPECT_GE(silhouetteDifference(frontView(p), frontView(q)), MinDifference)
                        << p << " and " << q;
    const auto heights = [](const std::vector<std::string>& names) {
        std::vector<unsigned> out;
        for (const std::string& name : names)
            out.push_back(frontView(name).getSize().y);
        return std::pair(*std::min_element(out.begin(), out.end()),
                         *std::max_element(out.begin(), out.end()));
    };
    for (const std::vector<std::size_t>& levels :
         {std::vector<std::size_t>{0, 1, 2}, std::vector<std::size_t>{3, 4, 5}})
        for (std::size_t k = 0; k + 1 < levels.size(); ++k)
            EXPECT_LT(heights(kinds[levels[k]]).second, heights(kinds[levels[k + 1]]).first)
                << kinds[levels[k]].front() << " against the level above";
}

// A tree on the lot in front of a building must leave it in sight: no taller than the
// lowest small house and no wider than a third of the tile above the ground.
TEST(SpriteArt, TreesStayLowAndSlim) {
    const sf::Image tree = spriteFile("tree1");
    unsigned lowestHouse = ~0u;
    for (const char* name : {"house_small_1", "house_small_2", "house_small_3", "house_small_4"})
        lowestHouse = std::min(lowestHouse, frontView(name).getSize().y);
    EXPECT_LE(tree.getSize().y, lowestHouse);
    int left = 32, right = -1;
    for (unsigned y = 0; y + 17 < tree.getSize().y; ++y)
        for (int x = 0; x < 32; ++x)
            if (tree.getPixel(unsigned(x), y).a != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_LE(right - left + 1, 12);
}

// Over a block of tiles, picking through the image must name, for every pixel, the tile
// whose diamond holds it.
TEST(SpriteArt, PickingImageFindsTheTileUnderEveryPixel) {
    const sf::Image iso = spriteFile("isomap");
    constexpr int N = 6;
    Simulation simulation;
    simulation.map->create(N, N, true);
    for (Tile& tile : simulation.map->tiles)
        tile.flags = kFlagVisible;
    int checked = 0;
    for (int wy = -40; wy < 60; ++wy)
        for (int wx = 0; wx < 200; ++wx) {
            const double s = (wx + 0.5) / 16.0, d = (wy + 0.5 - 8) / 8.0;
            const int ox = int(std::floor((s - d) / 2)), oy = int(std::floor((s + d) / 2));
            // Inner tiles only: the block's rim has no neighbours to hand pixels to.
            if (ox < 1 || oy < 1 || ox > N - 2 || oy > N - 2)
                continue;
            ASSERT_EQ(pickTileAt(iso, *simulation.map, {wx, wy}, true), sf::Vector2i(ox, oy))
                << "world pixel " << wx << "," << wy;
            ++checked;
        }
    EXPECT_EQ(checked, 4 * 4 * 256); // four by four tiles, each diamond 32 x 16 / 2 pixels
}

// The panel draws 9 x 9 corners and repeats the one-pixel edges between them; the
// shadow is the frame's silhouette; title bars and small buttons sit on plain paper
// inside the three-deep border.
TEST(SpriteArt, WindowFramesSliceCleanly) {
    const sf::Image frame = spriteFile("ui/detailed_window_bordered");
    const sf::Image shadow = spriteFile("ui/detailed_window_bordered_shadow");
    EXPECT_EQ(frame.getPixel(0, 0).a, 0); // rounded corner
    for (unsigned y = 0; y < 19; ++y)
        for (unsigned x = 0; x < 19; ++x) {
            const sf::Color c = frame.getPixel(x, y);
            const sf::Color s = shadow.getPixel(x, y);
            const bool inside = x >= 4 && x <= 14 && y >= 4 && y <= 14;
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(frame.getPixel(18 - x, y), c);
            EXPECT_EQ(frame.getPixel(x, 18 - y), c);
            EXPECT_EQ(frame.getPixel(x == 9 ? 8 : x, y == 9 ? 8 : y), c); // repeated edges
            EXPECT_TRUE(c.a ? s == sf::Color::Black : s.a == 0);
            EXPECT_TRUE(!inside || c == sf::Color::White);
        }
    // The code fills the title bar's middle with ink; the mirrored caps must join it.
    const sf::Image bar = spriteFile("ui/titlebar");
    for (unsigned y = 0; y < 9; ++y) {
        for (unsigned x = 0; x < 4; ++x)
            EXPECT_EQ(bar.getPixel(x, y), bar.getPixel(23 - x, y)) << x << "," << y;
        EXPECT_EQ(bar.getPixel(3, y), sf::Color::Black) << y;
    }
}

// Areas the code paints over, prints into or points with must hold one colour.
TEST(SpriteArt, FieldsTheCodeFillsArePlain) {
    const struct {
        const char* sprite;
        sf::IntRect field;
        sf::Color colour;
    } cases[] = {
        // The progress fill: 2 rows from (5, 2), at most 162 wide, walled by ink.
        {"ui/action_progress_bar", {5, 2, 162, 2}, sf::Color::White},
        {"ui/action_progress_bar", {4, 2, 1, 1}, sf::Color::Black},
        {"ui/action_progress_bar", {167, 2, 1, 1}, sf::Color::Black},
        // Read-outs print right-aligned in a box ending 5 pixels before the slot's edge.
        {"ui/budget_slot", {30, 5, 60, 13}, sf::Color::White},
        {"ui/population_slot", {30, 5, 60, 13}, sf::Color::White},
        {"ui/date_slot", {37, 5, 60, 13}, sf::Color::White},
        // Report underlines start at x 10 and must end inside their windows.
        {"ui/expenditure_titles_underline", {0, 0, 1, 1}, sf::Color::Black},
        {"ui/expenditure_titles_underline", {297, 0, 23, 1}, sf::Color::Transparent},
        {"ui/city_population_titles_underline", {237, 0, 83, 1}, sf::Color::Transparent},
        {"ui/production_titles_underline", {307, 0, 13, 1}, sf::Color::Transparent},
        // On the smallest screen the subtitle lies over these columns and rows of the town.
        {"ui/menu/city", {236, 0, 328, 52}, sf::Color::Transparent},
        // The cursor is drawn one pixel up and left of the mouse: its tip is (1, 1).
        {"cursor", {1, 1, 1, 1}, sf::Color::Black},
        {"cursor", {0, 0, 1, 1}, sf::Color::Transparent},
    };
    for (const auto& c : cases) {
        const std::vector<sf::Color> field = pixels(spriteFile(c.sprite), c.field);
        EXPECT_EQ(countOf(field, c.colour), int(field.size())) << c.sprite;
    }
    // The tile-actions window hangs a price badge over the top six rows of each button.
    for (const std::string_view name : spriteNames)
        if (isActionButton(name)) {
            const std::vector<sf::Color> badge =
                pixels(spriteFile(std::string(name)), {8, 3, 25, 3});
            EXPECT_EQ(countOf(badge, sf::Color::White), int(badge.size())) << name;
        }
}

} // namespace
