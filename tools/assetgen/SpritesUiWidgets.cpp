// Frames, HUD read-outs, side bar icons, paging tabs, report controls and the small
// map overlay icons. Icons of framed buttons are drawn without a frame: the button
// draws the window frame around them and centres them.
#include "SpritesUiParts.h"

#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;

void add(UiSpriteList& out, const std::string& name, Canvas image) {
    out.push_back({name, std::move(image)});
}

void addArt(UiSpriteList& out, const std::string& name, const Art& rows) {
    add(out, name, artCanvas(rows));
}

// ---- windows and pointer ------------------------------------------------------------

const Art cursorArt{
    "            ", " #          ", " ##         ", " #.#        ", " #..#       ", " #...#      ",
    " #....#     ", " #.....#    ", " #......#   ", " #.......#  ", " #........# ", " #.....#### ",
    " #..#..#    ", " #.# #..#   ", " ##   #..#  ", "       ##   ",
};

const Art cornerArt{
    "########", "########", "##......", "##.##   ", "##.#    ", "##.     ", "##.     ", "##.     ",
};

const Art helpTinyArt{
    "  #####  ", " #.....# ", "#..##...#", "#....#..#", "#...#...#",
    "#.......#", "#...#...#", " #.....# ", "  #####  ",
};

const Art helpSmallArt{
    " ####### ", "#..##...#", "#....#..#", "#...#...#",
    "#.......#", "#...#...#", "#.......#", " ####### ",
};

Canvas helpButton() {
    Canvas c(13, 13);
    fillDisc(c, 6, 6, 6, Paper);
    circleOutline(c, 6, 6, 6, Ink);
    drawLettering(c, 4, 3, "?", Ink, 1);
    return c;
}

Canvas frameImage(bool shadow) {
    Canvas c(2 * frameCorner + 1, 2 * frameCorner + 1);
    if (shadow)
        drawFrameSilhouette(c, 0, 0, c.width(), c.height());
    else
        drawFrame(c, 0, 0, c.width(), c.height());
    return c;
}

// Caps at x 0 and 20 (4 wide); the middle is painted by the title bar code itself.
Canvas titleBar() {
    Canvas c(24, 9, Ink);
    for (const int x : {0, 23}) {
        c.set(x, 0, Clear);
        c.set(x, 8, Clear);
    }
    c.set(2, 4, Paper);
    c.set(21, 4, Paper);
    return c;
}

void addWindowSprites(UiSpriteList& out) {
    addArt(out, "cursor", cursorArt);
    add(out, "ui/help_button", helpButton());
    addArt(out, "ui/help_button_small", helpSmallArt);
    addArt(out, "ui/help_button_tiny", helpTinyArt);
    addArt(out, "ui/corner", cornerArt);
    add(out, "ui/detailed_window_bordered", frameImage(false));
    add(out, "ui/detailed_window_bordered_shadow", frameImage(true));
    add(out, "ui/titlebar", titleBar());
}

// ---- badges, bars and read-out slots ------------------------------------------------

// A paper plate with a rounded ink outline and a one-pixel drop shadow.
Canvas badge(int w, int h, bool squareCorners) {
    Canvas c(w, h);
    c.fillRect(2, 2, w - 2, h - 2, Ink);
    c.fillRect(0, 0, w - 1, h - 1, Ink);
    c.fillRect(1, 1, w - 3, h - 3, Paper);
    if (!squareCorners)
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 2, 0}, {0, h - 2}, {w - 2, h - 2}})
            c.set(x, y, Clear);
    return c;
}

Canvas progressBadge() {
    Canvas c = badge(25, 12, true);
    for (const int x : {3, 21}) // rivets that pin the badge onto the bar
        c.set(x, 2, Ink);
    return c;
}

// The fill is painted by the code at x 5 and rows 2 to 3, so the trough sits there.
Canvas progressBar() {
    Canvas c(172, 8);
    for (int x = 2; x < 172; ++x)
        for (int y = 6; y < 8; ++y)
            if (Canvas::ditherOn(Dither::Checker, x, y))
                c.set(x, y, Ink);
    c.fillRect(1, 0, 170, 6, Ink);
    c.fillRect(0, 1, 172, 4, Ink);
    c.fillRect(1, 1, 170, 4, Paper);
    c.rect(4, 1, 164, 4, Ink);
    c.fillRect(5, 2, 162, 2, Paper);
    return c;
}

const Art coinArt{
    "   #####   ", "  #.....#  ", " #..###..# ", "#..#.#....#", "#..#.#....#", "#...###...#",
    "#....#.#..#", "#....#.#..#", " #..###..# ", "  #.....#  ", "   #####   ",
};

const Art residentArt{
    "    ###    ", "   #...#   ", "  #.....#  ", "  #.....#  ", "   #...#   ", "    ###    ",
    "  #######  ", " #.......# ", "#.........#", "#.........#", "###########",
};

const Art calendarArt{
    "  #    #   ", "###########", "###########", "#.........#", "#.#.#.#.#.#", "#.........#",
    "#.#.#.#.#.#", "#.........#", "#.#.#.##..#", "#.........#", "###########",
};

// Read-out slot: a raised frame with the read-out's emblem at the left; the number is
// printed right-aligned by the game in the box that ends 5 pixels before the right.
Canvas slot(int w, const Art& emblem) {
    Canvas c(w, 24);
    drawRaisedFrame(c, 0, 0, w, 24);
    drawArt(c, 6, 5, emblem);
    return c;
}

void addHudSprites(UiSpriteList& out) {
    add(out, "ui/action_price_bg", badge(25, 12, false));
    add(out, "ui/build_progress_bg", progressBadge());
    add(out, "ui/action_progress_bar", progressBar());
    add(out, "ui/budget_slot", slot(95, coinArt));
    add(out, "ui/population_slot", slot(95, residentArt));
    add(out, "ui/date_slot", slot(102, calendarArt));
}

// ---- framed button icons ------------------------------------------------------------

const Art dateButtonArt{
    " #   #        ",  "#######       ", "#######    #  ", "#.....#    ## ", "#.#.#.# ######",
    "#.....# #######", "#.#.#.# ######", "#.....#    ## ", "#######    #  ",
};

const Art cancelArt{
    "##     ##", "###   ###", " ### ### ", "  #####  ", "   ###   ",
    "  #####  ", " ### ### ", "###   ###", "##     ##",
};

const Art clickHandArt{
    "      ##        ", "  #  #..#  #    ", "   # #..# #     ", "     #..#        ",
    "     #..###     ", "     #..#..##   ", "  ## #..#..#.## ", " #..##.......#.#",
    " #...#.........#", "  #............#", "   #...........#", "    #.........# ",
    "     #........# ", "     ########## ",
};

const Art menuArt{
    "###########", "###########", "           ", "###########",
    "###########", "           ", "###########", "###########",
};

const Art hammerArt{
    "  ########     ", " #........##   ", "#...........#  ", "#........##..# ", " ####..###  #.#",
    "    #..#     ##", "    #::#       ", "    #::#       ", "    #::#       ", "    #::#       ",
    "    #::#       ", "    #::#       ", "    #::#       ", "    #::#       ", "     ##        ",
};

const Art smileArt{
    "     #####     ", "   ##.....##   ", "  #.........#  ", " #...........# ", " #...##.##...# ",
    "#....##.##....#", "#.............#", "#.............#", "#..#.......#..#", "#...#.....#...#",
    " #...#####...# ", " #...........# ", "  #.........#  ", "   ##.....##   ", "     #####     ",
};

const Art peopleArt{
    "  ###          ", " #...#         ", " #...#   ###   ", "  ###   #...#  ", "        #...#  ",
    " #####   ###   ", "#.....#        ", "#.....# #####  ", "#.....##.....# ", "#.....##.....# ",
    "#.....##.....# ", "#.....##.....# ", "############## ",
};

const Art clipboardArt{
    "     ###       ", "  ###.#.###    ", " #..#####..#   ", " #.........#   ", " #.##......#   ",
    " #.##.####.#   ", " #.........#   ", " #.##......#   ", " #.##.####.#   ", " #.........#   ",
    " #.##......#   ", " #.##.####.#   ", " #.........#   ", " ###########   ",
};

const Art skylineArt{
    "     ###       ", "     #.#       ", "    #####      ", "    #...#  ### ", "    #.#.#  #.# ",
    "    #...####.# ", " ####.#.##...# ", " #..#...#..#.# ", " #..#.#.#.....#", " #..#...#..#.# ",
    " #..#.#.#.....#", " #..#...#..#.# ", "###############",
};

// A sheet with two axes and a line climbing to the top right.
const Art chartArt{
    "###############", "#.............#", "#.#.........#.#", "#.#........#..#", "#.#.......#...#",
    "#.#...#..#....#", "#.#..#.##.....#", "#.#.#.........#", "#.##..........#", "#.#...........#",
    "#.###########.#", "#.............#", "###############",
};

// A gear: a toothed ring around a paper hub.
Canvas gearIcon() {
    Canvas c(15, 15);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            const double dx = x - 7, dy = y - 7, d = std::sqrt(dx * dx + dy * dy);
            const bool tooth = std::cos(8 * std::atan2(dy, dx)) > 0.2;
            if (d <= (tooth ? 7.4 : 5.4))
                c.set(x, y, d <= 2.3 ? Paper : Ink);
        }
    return c;
}

Canvas coinIcon() {
    Canvas c(15, 15);
    fillDisc(c, 7, 7, 7, Paper);
    circleOutline(c, 7, 7, 7, Ink);
    circleOutline(c, 7, 7, 5, Ink);
    drawLettering(c, 5, 4, "$", Ink, 1);
    return c;
}

// A circular arrow turning clockwise; the left button uses its mirror image.
Canvas rotateIcon() {
    Canvas c(15, 15);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            const double dx = x - 7, dy = y - 8, d = std::sqrt(dx * dx + dy * dy);
            const double angle = std::atan2(dy, dx) * 180 / pi;
            if (d >= 3.6 && d <= 6.4 && !(angle > -90 && angle < -20))
                c.set(x, y, Ink);
        }
    drawArt(c, 7, 0, {"#", "##", "###", "####", "###", "##", "#"});
    return c;
}

// Framed buttons centre their icon, so the side bar icons share one size to line up.
Canvas sideIcon(const Canvas& art) {
    Canvas c(15, 15);
    c.blit(art, (c.width() - art.width()) / 2, (c.height() - art.height()) / 2);
    return c;
}

void addButtonIcons(UiSpriteList& out) {
    const Canvas date = artCanvas(dateButtonArt);
    add(out, "ui/date_button", date);
    add(out, "ui/date_button_disabled", ghosted(date));
    addArt(out, "ui/cancel_action_button", cancelArt);
    addArt(out, "ui/action_progress_button", clickHandArt);
    addArt(out, "ui/menu_button", menuArt);
    add(out, "ui/side_build_button", sideIcon(artCanvas(hammerArt)));
    add(out, "ui/side_ratings_button", sideIcon(artCanvas(smileArt)));
    add(out, "ui/side_population_button", sideIcon(artCanvas(peopleArt)));
    add(out, "ui/side_needs_button", sideIcon(artCanvas(clipboardArt)));
    add(out, "ui/side_finances_button", coinIcon());
    add(out, "ui/side_city_button", sideIcon(artCanvas(skylineArt)));
    add(out, "ui/side_production_button", gearIcon());
    add(out, "ui/side_history_button", sideIcon(artCanvas(chartArt)));
    const Canvas rotate = rotateIcon();
    add(out, "ui/rotate_left_button", rotate.flippedHorizontally());
    add(out, "ui/rotate_right_button", rotate);
}

// ---- paging tabs and report controls ------------------------------------------------

const Art pageArrowArt{
    "#      ", "##     ", "#.#    ", "#..#   ", "#...#  ", "#....# ", "#.....#",
    "#....# ", "#...#  ", "#..#   ", "#.#    ", "##     ", "#      ",
};

void addPagingSprites(UiSpriteList& out) {
    Canvas tab(24, 39);
    drawRaisedFrame(tab, 0, 0, 24, 39);
    Canvas next = tab, nextDisabled = tab;
    const Canvas arrow = artCanvas(pageArrowArt);
    next.blit(arrow, 8, 12);
    nextDisabled.blit(ghosted(arrow), 8, 12);
    add(out, "ui/action_next", next);
    add(out, "ui/action_next_disabled", nextDisabled);
    add(out, "ui/action_previous", next.flippedHorizontally());
    add(out, "ui/action_previous_disabled", nextDisabled.flippedHorizontally());
}

Canvas smallKey(int w, int h, const Art& symbol, int sx, int sy) {
    Canvas c = badge(w, h, false);
    drawArt(c, sx, sy, symbol);
    return c;
}

Canvas roundKey(bool forward) {
    Canvas c(13, 13);
    fillDisc(c, 6, 6, 6, Paper);
    circleOutline(c, 6, 6, 6, Ink);
    const Canvas arrow = artCanvas({"#  ", "## ", "###", "## ", "#  "});
    c.blit(forward ? arrow : arrow.flippedHorizontally(), 5, 4);
    return c;
}

void addReportControls(UiSpriteList& out) {
    add(out, "ui/rent_increase",
        smallKey(11, 12, {"  #  ", " ### ", "#####", "  #  ", "  #  "}, 2, 3));
    add(out, "ui/rent_decrease",
        smallKey(11, 12, {"  #  ", "  #  ", "#####", " ### ", "  #  "}, 2, 3));
    add(out, "ui/reset_price",
        smallKey(11, 12, {" ### ", "#   #", "#   #", "## # ", "###  "}, 2, 3));
    add(out, "ui/production_next", roundKey(true));
    add(out, "ui/production_prev", roundKey(false));
}

// ---- map overlays -------------------------------------------------------------------

const Art attractionPositiveArt{
    " ##### ", "###.###", "###.###", "#.....#", "###.###", "###.###", " ##### ",
};
const Art attractionNeutralArt{
    " ##### ", "#.....#", "#.....#", "#..#..#", "#.....#", "#.....#", " ##### ",
};
const Art attractionNegativeArt{
    " ##### ", "#.....#", "#.....#", "#.###.#", "#.....#", "#.....#", " ##### ",
};

// Cells at x 0 (employment: a briefcase), 9 (water: a drop) and 18 (shops: a bag).
const std::vector<Art> needsCells{
    {"         ", "   ###   ", "  #...#  ", "#########", "#.......#", "#.......#", "####.####",
     "#.......#", "#########"},
    {"    #    ", "   #.#   ", "  #...#  ", "  #...#  ", " #.....# ", " #.#...# ", " #..#..# ",
     "  #...#  ", "   ###   "},
    {"  #####  ", "  #   #  ", "#########", "#.......#", "#.......#", "#..#.#..#", "#...#...#",
     "#.......#", "#########"},
};

Canvas needsIcons() {
    Canvas c(27, 9);
    for (std::size_t i = 0; i < needsCells.size(); ++i)
        drawArt(c, 9 * static_cast<int>(i), 0, needsCells[i]);
    return c;
}

const Art crimeArt{
    "  #####  ", " #.....# ", "#########", "##.###.##", "#########",
    "#.......#", "#..###..#", " #.....# ", "  #####  ",
};
const Art fireHazardArt{
    "   #     ", "   ##    ", "  #.#  # ", "  #..# ##", " #...#..#",
    " #......#", "#...:...#", "#..:::..#", " ####### ",
};
const Art needHospitalArt{
    " ####### ", "###...###", "###...###", "#.......#", "#.......#",
    "#.......#", "###...###", "###...###", " ####### ",
};

Canvas plusOne() {
    Canvas c(16, 16);
    for (const int dx : {0, 1})
        drawLettering(c, 2 + dx, 4, "+1", Ink, 1);
    haloOpaque(c, Paper);
    return c;
}

// The title underlines share one length so the report code can place them alike;
// each is drawn only as long as its window is wide.
Canvas underline(int visible) {
    Canvas c(320, 1);
    for (int x = 0; x < visible; ++x)
        if (x < visible - 6 || x % 2 == 0)
            c.set(x, 0, Ink);
    return c;
}

void addOverlaySprites(UiSpriteList& out) {
    addArt(out, "ui/attraction_positive", attractionPositiveArt);
    addArt(out, "ui/attraction_neutral", attractionNeutralArt);
    addArt(out, "ui/attraction_negative", attractionNegativeArt);
    add(out, "ui/plusone", plusOne());
    add(out, "ui/needs_icons", needsIcons());
    addArt(out, "ui/crime_icon", crimeArt);
    addArt(out, "ui/fire_hazard_icon", fireHazardArt);
    addArt(out, "ui/need_hospital_icon", needHospitalArt);
    add(out, "ui/expenditure_titles_underline", underline(290));
    add(out, "ui/city_population_titles_underline", underline(230));
    add(out, "ui/production_titles_underline", underline(300));
}

} // namespace

void addWidgetSprites(UiSpriteList& out) {
    addWindowSprites(out);
    addHudSprites(out);
    addButtonIcons(out);
    addPagingSprites(out);
    addReportControls(out);
    addOverlaySprites(out);
}
