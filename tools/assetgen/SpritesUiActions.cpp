// The build action buttons: a raised frame holding a front-view picture of what the
// action builds. The tile-actions window hangs a price badge over the top six rows,
// so the pictures live between rows 7 and 33 (the ground line).
#include "SpritesUiParts.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int size = 40;
constexpr int groundY = 33;

void ground(Canvas& c, int x0, int x1) {
    c.line(x0, groundY, x1, groundY, Ink);
}

// Outlined paper box.
void box(Canvas& c, int x, int y, int w, int h) {
    c.fillRect(x, y, w, h, Paper);
    c.rect(x, y, w, h, Ink);
}

void gableRoof(Canvas& c, int x0, int x1, int baseY, int apexY) {
    const int mid = (x0 + x1) / 2;
    for (int y = apexY; y <= baseY; ++y) {
        const int half = (x1 - x0) / 2 * (y - apexY) / std::max(1, baseY - apexY);
        c.ditherRect(mid - half, y, 2 * half + 1, 1, Dither::Dense, Ink, Paper);
        c.set(mid - half, y, Ink);
        c.set(mid + half, y, Ink);
    }
    c.line(x0, baseY, x1, baseY, Ink);
}

void windowAt(Canvas& c, int x, int y) {
    c.fillRect(x, y, 3, 3, Ink);
    c.set(x + 1, y + 1, Paper);
}

void windowGrid(Canvas& c, int x, int y, int cols, int rows, int step) {
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i)
            windowAt(c, x + i * step, y + j * (step - 1));
}

void doorAt(Canvas& c, int x, int h) {
    c.fillRect(x, groundY - h, 4, h, Ink);
    c.set(x + 2, groundY - h / 2, Paper);
}

// A road running off to the horizon between grass verges, centre line dashed.
void road(Canvas& c) {
    constexpr int horizon = 9;
    for (int y = horizon; y <= groundY; ++y) {
        const int half = 2 + (y - horizon) * 13 / (groundY - horizon);
        c.ditherRect(4, y, 31, 1, Dither::Sparse, Ink, Paper);
        c.fillRect(20 - half, y, 2 * half, 1, Paper);
        const int edge = y > 24 ? 2 : 1;
        c.fillRect(20 - half - edge, y, edge, 1, Ink);
        c.fillRect(20 + half, y, edge, 1, Ink);
        if ((y - horizon) % 7 < 4)
            c.fillRect(y > 22 ? 19 : 20, y, y > 22 ? 2 : 1, 1, Ink);
    }
    c.line(4, horizon - 1, 35, horizon - 1, Ink);
}

void smallHouse(Canvas& c) {
    c.fillRect(24, 12, 3, 7, Ink);
    gableRoof(c, 9, 30, 21, 11);
    box(c, 11, 21, 18, 13);
    doorAt(c, 14, 8);
    windowAt(c, 22, 24);
    ground(c, 5, 34);
}

void largeHouse(Canvas& c) {
    gableRoof(c, 5, 34, 17, 8);
    box(c, 7, 17, 26, 17);
    windowGrid(c, 10, 20, 4, 1, 6);
    windowGrid(c, 10, 26, 2, 1, 6);
    windowAt(c, 27, 26);
    doorAt(c, 21, 8);
    ground(c, 5, 34);
}

void flats(Canvas& c) {
    box(c, 10, 8, 20, 26);
    c.fillRect(10, 8, 20, 2, Ink);
    windowGrid(c, 12, 11, 4, 5, 4);
    doorAt(c, 18, 5);
    ground(c, 5, 34);
}

void awning(Canvas& c, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x) {
        const bool dark = ((x - x0) / 3) % 2 == 0;
        c.fillRect(x, y, 1, 3, dark ? Ink : Paper);
        if ((x - x0) % 3 == 1)
            c.set(x, y + 3, dark ? Ink : Paper);
    }
    c.line(x0, y, x1, y, Ink);
}

void shop(Canvas& c) {
    box(c, 7, 13, 26, 21);
    c.fillRect(7, 13, 26, 8, Ink);
    drawLettering(c, 9, 14, "SHOP", Paper, 1);
    awning(c, 6, 33, 21);
    c.ditherRect(10, 26, 10, 6, Dither::Checker, Ink, Paper);
    c.rect(9, 25, 12, 8, Ink);
    doorAt(c, 25, 8);
    ground(c, 5, 34);
}

void market(Canvas& c) {
    awning(c, 5, 34, 12);
    c.line(5, 11, 34, 11, Ink);
    c.line(7, 16, 7, groundY, Ink);
    c.line(32, 16, 32, groundY, Ink);
    box(c, 9, 26, 22, 8);
    for (int i = 0; i < 4; ++i) {
        fillDisc(c, 12 + i * 5, 23, 2, Ink);
        c.set(12 + i * 5 - 1, 22, Paper);
    }
    ground(c, 5, 34);
}

void convenienceStore(Canvas& c) {
    box(c, 6, 11, 28, 23);
    c.fillRect(6, 11, 28, 10, Ink);
    drawLettering(c, 11, 13, "24H", Paper, 1);
    c.ditherRect(8, 23, 24, 10, Dither::Checker, Ink, Paper);
    c.rect(7, 22, 26, 12, Ink);
    c.fillRect(17, 24, 6, 9, Paper);
    c.rect(17, 24, 6, 10, Ink);
    ground(c, 5, 34);
}

void treeAt(Canvas& c, int cx, int cy, int r) {
    c.fillRect(cx - 1, cy, 3, groundY - cy, Ink);
    ditherDisc(c, cx, cy, r, Dither::Sparse);
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx; x <= cx + r; ++x)
            if (c.get(x, y) == Paper && (x - cx) + (y - cy) > r / 2 &&
                Canvas::ditherOn(Dither::Checker, x, y))
                c.set(x, y, Ink);
    circleOutline(c, cx, cy, r, Ink);
}

void park(Canvas& c) {
    treeAt(c, 13, 17, 7);
    c.fillRect(20, 25, 14, 2, Ink);
    c.fillRect(20, 28, 14, 1, Ink);
    c.line(21, 28, 21, groundY, Ink);
    c.line(32, 28, 32, groundY, Ink);
    for (const int x : {7, 25, 29})
        drawArt(c, x, groundY - 2, {"# #", " # "});
    ground(c, 5, 34);
}

void waterTower(Canvas& c) {
    gableRoof(c, 11, 28, 11, 7);
    box(c, 12, 11, 16, 10);
    c.line(12, 15, 27, 15, Ink);
    c.ditherRect(21, 12, 6, 3, Dither::Checker, Ink, Paper);
    c.line(13, 21, 10, groundY, Ink);
    c.line(26, 21, 29, groundY, Ink);
    c.line(17, 21, 17, groundY, Ink);
    c.line(22, 21, 22, groundY, Ink);
    c.line(12, 25, 27, 29, Ink);
    c.line(12, 29, 27, 25, Ink);
    ground(c, 5, 34);
}

void factory(Canvas& c) {
    c.fillRect(28, 10, 4, 24, Ink);
    c.fillRect(29, 12, 2, 1, Paper);
    fillDisc(c, 33, 8, 2, Ink);
    fillDisc(c, 30, 7, 1, Ink);
    for (int t = 0; t < 3; ++t)
        for (int i = 0; i < 8; ++i) {
            const int x = 5 + t * 8 + i, top = 14 + (i * 6) / 8;
            c.line(x, top, x, 20, i == 0 ? Ink : (i < 3 ? Paper : Ink));
            c.set(x, top, Ink);
        }
    box(c, 5, 20, 24, 14);
    windowGrid(c, 8, 23, 4, 1, 5);
    doorAt(c, 14, 5);
    ground(c, 5, 34);
}

// Paper flame for the round station sign.
const Art flameArt{
    "   .   ", "  ..   ", "  ...  ", " .... .", " ......", ".......", "... ...", " .. .. ",
};

void fireStation(Canvas& c) {
    box(c, 26, 8, 8, 26);
    windowAt(c, 28, 11);
    windowAt(c, 28, 17);
    box(c, 5, 19, 22, 15);
    c.fillRect(5, 19, 22, 2, Ink);
    for (int y = 24; y < groundY; y += 2)
        c.line(8, y, 23, y, Ink);
    c.rect(7, 23, 18, 11, Ink);
    fillDisc(c, 16, 12, 6, Ink);
    drawArt(c, 13, 8, flameArt);
    ground(c, 5, 34);
}

const Art starArt{
    "    #    ", "   #.#   ", "####.####", "#.......#", " #.....# ",
    "  #...#  ", " #..#..# ", " #.# #.# ", " ##   ## ",
};

void policeStation(Canvas& c) {
    drawArt(c, 17, 9, {" #### ", "#::::#", "######"});
    c.line(14, 10, 15, 11, Ink);
    c.line(25, 10, 24, 11, Ink);
    box(c, 6, 15, 28, 19);
    c.fillRect(6, 15, 28, 2, Ink);
    drawArt(c, 16, 18, starArt);
    windowAt(c, 9, 20);
    windowAt(c, 28, 20);
    doorAt(c, 9, 7);
    doorAt(c, 27, 7);
    ground(c, 5, 34);
}

const Art crossArt{
    "   ###   ", "   #.#   ", "   #.#   ", "####.####", "#.......#",
    "####.####", "   #.#   ", "   #.#   ", "   ###   ",
};

void hospital(Canvas& c) {
    box(c, 6, 10, 28, 24);
    c.fillRect(6, 10, 28, 2, Ink);
    drawArt(c, 16, 13, crossArt);
    windowGrid(c, 9, 24, 2, 1, 4);
    windowGrid(c, 25, 24, 2, 1, 4);
    c.fillRect(17, 25, 7, 9, Ink);
    c.line(20, 25, 20, groundY, Paper);
    ground(c, 5, 34);
}

void office(Canvas& c) {
    box(c, 27, 19, 7, 15);
    windowGrid(c, 29, 21, 1, 3, 4);
    box(c, 15, 7, 10, 6);
    box(c, 11, 12, 18, 22);
    for (int x = 13; x < 27; x += 3)
        c.ditherRect(x, 14, 2, 18, Dither::Checker, Ink, Paper);
    c.ditherRect(17, 9, 6, 2, Dither::Checker, Ink, Paper);
    doorAt(c, 18, 3);
    ground(c, 5, 34);
}

void plantTree(Canvas& c) {
    treeAt(c, 19, 17, 10);
    drawArt(c, 8, groundY - 3, {" #.# ", "#...#"});
    ground(c, 5, 34);
}

void pumpingStation(Canvas& c) {
    gableRoof(c, 5, 25, 18, 11);
    box(c, 6, 18, 19, 16);
    doorAt(c, 9, 7);
    windowAt(c, 17, 21);
    box(c, 24, 24, 7, 4);
    box(c, 29, 24, 4, 8);
    for (int x = 26; x < 35; x += 3)
        drawArt(c, x, groundY - 1, {"#.#"});
    drawArt(c, 27, 8, {"  #  ", " #.# ", "#...#", "#...#", " ### "});
    ground(c, 5, 34);
}

void landfill(Canvas& c) {
    for (int x = 5; x <= 34; ++x) {
        const int d = x - 20, top = 19 + (d * d) / 16;
        c.ditherRect(x, top, 1, groundY - top, Dither::Dense, Ink, Paper);
        c.set(x, top, Ink);
    }
    box(c, 11, 20, 5, 5);
    box(c, 20, 18, 6, 4);
    drawArt(c, 25, 23, {".##", "#.#", "##."});
    for (const auto& [x, y] : {std::pair{10, 11}, {17, 9}, {27, 12}})
        drawArt(c, x, y, {"# #", " # ", "# #"});
    ground(c, 5, 34);
}

// A wrecking ball swinging into a half-fallen brick wall.
void demolish(Canvas& c) {
    c.line(5, groundY, 8, 8, Ink);
    c.line(6, groundY, 9, 8, Ink);
    c.line(8, 8, 20, 8, Ink);
    c.line(18, 8, 14, 18, Ink);
    fillDisc(c, 14, 23, 5, Ink);
    c.set(12, 21, Paper);
    c.set(13, 21, Paper);
    for (int x = 23; x <= 33; ++x) {
        const int top = 17 + ((x * 7) % 5) + (x < 26 ? 5 : 0);
        c.fillRect(x, top, 1, groundY - top, Paper);
        c.set(x, top, Ink);
        for (int y = groundY - 3; y > top; y -= 3) {
            c.set(x, y, Ink);
            if ((x + ((groundY - y) / 3) * 3) % 6 == 0)
                c.line(x, y, x, std::min(groundY, y + 3), Ink);
        }
    }
    c.line(33, 17, 33, groundY, Ink);
    drawArt(c, 20, 13, {"#  #", " #  ", "#  #"});
    drawArt(c, 19, 30, {" ## ", "####"});
    ground(c, 5, 34);
}

const Art upgradeArt{
    "   #   ", "  ###  ", " ##### ", "#######", "  ###  ", "  ###  ", "  ###  ",
};

void markUpgrade(Canvas& c) {
    Canvas mark = artCanvas(upgradeArt);
    Canvas halo(mark.width() + 2, mark.height() + 2);
    halo.blit(mark, 1, 1);
    haloOpaque(halo, Paper);
    c.blit(halo, 27, 6);
}

struct ActionArt {
    const char* name;
    std::function<void(Canvas&)> draw;
    bool upgrade;
};

const std::vector<ActionArt>& actionArt() {
    static const std::vector<ActionArt> table{
        {"ui/action_clear", demolish, false},
        {"ui/action_housing", smallHouse, false},
        {"ui/action_housing_large", largeHouse, false},
        {"ui/action_housing_large_upgrade", largeHouse, true},
        {"ui/action_flats", flats, false},
        {"ui/action_flats_upgrade", flats, true},
        {"ui/action_road", road, false},
        {"ui/action_shop", shop, false},
        {"ui/action_shop_upgrade", shop, true},
        {"ui/action_market", market, false},
        {"ui/action_convenience_store", convenienceStore, false},
        {"ui/action_park", park, false},
        {"ui/action_watertower", waterTower, false},
        {"ui/action_factory", factory, false},
        {"ui/action_fire_station", fireStation, false},
        {"ui/action_police_station", policeStation, false},
        {"ui/action_hospital", hospital, false},
        {"ui/action_commercial", office, false},
        {"ui/action_plant_tree", plantTree, false},
        {"ui/action_pumping_station", pumpingStation, false},
        {"ui/action_landfill", landfill, false},
    };
    return table;
}

} // namespace

void addActionSprites(UiSpriteList& out) {
    for (const ActionArt& art : actionArt()) {
        Canvas c(size, size);
        drawRaisedFrame(c, 0, 0, size, size);
        art.draw(c);
        if (art.upgrade)
            markUpgrade(c);
        out.push_back({art.name, std::move(c)});
    }
}
