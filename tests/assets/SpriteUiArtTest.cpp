// Checks the generated interface art against the sizes and layouts the widget and
// screen code relies on. Reads the PNGs the build wrote into the data folder.
#include "assets/SpriteNames.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

sf::Image loadUi(const std::string& name) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(std::string(TAPBURG_TEST_DATA_DIR) + "sprites/" + name + ".png"))
        << name;
    return image;
}

bool isInterface(std::string_view name) {
    return name == "cursor" || name.substr(0, 3) == "ui/";
}

struct Size {
    unsigned w, h;
};

// The sizes the screens place and centre these sprites by.
const std::map<std::string, Size>& expectedSizes() {
    static const std::map<std::string, Size> table = [] {
        std::map<std::string, Size> t{
            {"cursor", {12, 16}},
            {"ui/help_button", {13, 13}},
            {"ui/help_button_small", {9, 8}},
            {"ui/help_button_tiny", {9, 9}},
            {"ui/corner", {8, 8}},
            {"ui/detailed_window_bordered", {19, 19}},
            {"ui/detailed_window_bordered_shadow", {19, 19}},
            {"ui/titlebar", {24, 9}},
            {"ui/action_price_bg", {25, 12}},
            {"ui/action_progress_bar", {172, 8}},
            {"ui/attraction_positive", {7, 7}},
            {"ui/attraction_neutral", {7, 7}},
            {"ui/attraction_negative", {7, 7}},
            {"ui/rent_increase", {11, 12}},
            {"ui/rent_decrease", {11, 12}},
            {"ui/production_next", {13, 13}},
            {"ui/production_prev", {13, 13}},
            {"ui/reset_price", {11, 12}},
            {"ui/build_progress_bg", {25, 12}},
            {"ui/plusone", {16, 16}},
            {"ui/budget_slot", {95, 24}},
            {"ui/population_slot", {95, 24}},
            {"ui/date_slot", {102, 24}},
            {"ui/date_button", {15, 9}},
            {"ui/date_button_disabled", {15, 9}},
            {"ui/cancel_action_button", {9, 9}},
            {"ui/action_progress_button", {17, 14}},
            {"ui/menu/title", {512, 96}},
            {"ui/menu/title_separator", {512, 12}},
            {"ui/menu/subtitle", {320, 64}},
            {"ui/menu/city", {640, 320}},
            {"ui/menu_button", {11, 8}},
            {"ui/needs_icons", {27, 9}},
            {"ui/action_next", {24, 39}},
            {"ui/action_next_disabled", {24, 39}},
            {"ui/action_previous", {24, 39}},
            {"ui/action_previous_disabled", {24, 39}},
            {"ui/crime_icon", {9, 9}},
            {"ui/fire_hazard_icon", {9, 9}},
            {"ui/need_hospital_icon", {9, 9}},
        };
        for (const char* side :
             {"build", "ratings", "population", "needs", "finances", "city", "production"})
            t[std::string("ui/side_") + side + "_button"] = {15, 15};
        for (const char* turn : {"left", "right"})
            t[std::string("ui/rotate_") + turn + "_button"] = {15, 15};
        for (const char* report : {"expenditure", "city_population", "production"})
            t[std::string("ui/") + report + "_titles_underline"] = {320, 1};
        return t;
    }();
    return table;
}

std::vector<std::string> actionButtons() {
    std::vector<std::string> names;
    for (const std::string_view name : spriteNames)
        if (name.substr(0, 10) == "ui/action_" && name != "ui/action_price_bg" &&
            name != "ui/action_progress_bar" && name != "ui/action_progress_button" &&
            name.substr(0, 14) != "ui/action_next" && name.substr(0, 18) != "ui/action_previous")
            names.emplace_back(name);
    return names;
}

bool opaque(const sf::Image& image, unsigned x, unsigned y) {
    return image.getPixel(x, y).a != 0;
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    if (a.getSize() != b.getSize())
        return false;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y))
                return false;
    return true;
}

TEST(InterfaceSprites, EveryNameIsPresentWithItsDocumentedSize) {
    std::size_t checked = 0;
    for (const std::string_view view : spriteNames) {
        if (!isInterface(view))
            continue;
        const std::string name(view);
        const sf::Image image = loadUi(name);
        const auto it = expectedSizes().find(name);
        const Size want = it != expectedSizes().end() ? it->second : Size{40, 40};
        if (it == expectedSizes().end()) {
            EXPECT_EQ(name.substr(0, 10), "ui/action_") << name << " has no documented size";
        }
        EXPECT_EQ(image.getSize().x, want.w) << name;
        EXPECT_EQ(image.getSize().y, want.h) << name;
        ++checked;
    }
    EXPECT_EQ(checked, expectedSizes().size() + actionButtons().size());
}

// Only pure ink and pure paper are recoloured by the palettes; anything else would
// keep its stored colour in every palette.
TEST(InterfaceSprites, UseOnlyInkPaperAndTransparency) {
    for (const std::string_view view : spriteNames) {
        if (!isInterface(view))
            continue;
        const sf::Image image = loadUi(std::string(view));
        bool inked = false;
        for (unsigned y = 0; y < image.getSize().y; ++y)
            for (unsigned x = 0; x < image.getSize().x; ++x) {
                const sf::Color p = image.getPixel(x, y);
                inked = inked || p == sf::Color::Black;
                ASSERT_TRUE(p.a == 0 || p == sf::Color::Black || p == sf::Color::White)
                    << view << " at " << x << "," << y;
            }
        EXPECT_TRUE(inked) << view << " is blank";
    }
}

// The panel draws 9 x 9 corners and repeats the one-pixel edges between them.
TEST(InterfaceFrames, NineSliceEdgesContinueTheirCorners) {
    for (const char* name : {"ui/detailed_window_bordered", "ui/detailed_window_bordered_shadow"}) {
        const sf::Image frame = loadUi(name);
        for (unsigned k = 0; k < 9; ++k) {
            // top and bottom caps (column 9) against the columns beside them
            for (const unsigned y : {k, 10 + k}) {
                EXPECT_EQ(frame.getPixel(9, y), frame.getPixel(8, y)) << name << " y " << y;
                EXPECT_EQ(frame.getPixel(9, y), frame.getPixel(10, y)) << name << " y " << y;
            }
            // left and right sides (row 9) against the rows above and below
            for (const unsigned x : {k, 10 + k}) {
                EXPECT_EQ(frame.getPixel(x, 9), frame.getPixel(x, 8)) << name << " x " << x;
                EXPECT_EQ(frame.getPixel(x, 9), frame.getPixel(x, 10)) << name << " x " << x;
            }
        }
        // the four corners are mirror images, so any panel size looks the same all round
        for (unsigned y = 0; y < 9; ++y)
            for (unsigned x = 0; x < 9; ++x) {
                const sf::Color c = frame.getPixel(x, y);
                EXPECT_EQ(frame.getPixel(18 - x, y), c) << name;
                EXPECT_EQ(frame.getPixel(x, 18 - y), c) << name;
                EXPECT_EQ(frame.getPixel(18 - x, 18 - y), c) << name;
            }
    }
}

TEST(InterfaceFrames, BorderIsThreeDeepAndTheShadowIsItsSilhouette) {
    const sf::Image frame = loadUi("ui/detailed_window_bordered");
    const sf::Image shadow = loadUi("ui/detailed_window_bordered_shadow");
    EXPECT_FALSE(opaque(frame, 0, 0)); // rounded corner
    for (unsigned y = 0; y < 19; ++y)
        for (unsigned x = 0; x < 19; ++x) {
            EXPECT_EQ(opaque(frame, x, y), opaque(shadow, x, y)) << x << "," << y;
            if (opaque(shadow, x, y)) {
                EXPECT_EQ(shadow.getPixel(x, y), sf::Color::Black) << x << "," << y;
            }
            // Title bars sit at (5, 6) and small buttons overlap their corners, so
            // everything deeper than the border must be plain paper.
            const bool inside = x >= 4 && x <= 14 && y >= 4 && y <= 14;
            if (inside) {
                EXPECT_EQ(frame.getPixel(x, y), sf::Color::White) << x << "," << y;
            }
        }
}

TEST(InterfaceFrames, TitleBarCapsMirrorAndMeetTheInkedMiddle) {
    const sf::Image bar = loadUi("ui/titlebar");
    for (unsigned y = 0; y < 9; ++y) {
        for (unsigned x = 0; x < 4; ++x)
            EXPECT_EQ(bar.getPixel(x, y), bar.getPixel(23 - x, y)) << x << "," << y;
        // the code fills the middle with ink; the caps' inner columns must join it
        EXPECT_EQ(bar.getPixel(3, y), sf::Color::Black) << y;
        EXPECT_EQ(bar.getPixel(20, y), sf::Color::Black) << y;
    }
}

TEST(InterfaceControls, ProgressBarTroughIsWhereTheFillIsPainted) {
    const sf::Image bar = loadUi("ui/action_progress_bar");
    // The fill is 2 rows high from (5, 2), at most 162 wide for a 172-wide bar.
    for (unsigned x = 5; x < 167; ++x)
        for (unsigned y = 2; y < 4; ++y)
            EXPECT_EQ(bar.getPixel(x, y), sf::Color::White) << x << "," << y;
    for (const unsigned x : {4u, 167u})
        EXPECT_EQ(bar.getPixel(x, 2), sf::Color::Black) << x;
}

TEST(InterfaceControls, NeedsIconCellsAreDrawnAndDistinct) {
    const sf::Image icons = loadUi("ui/needs_icons");
    std::vector<sf::Image> cells(3);
    for (unsigned c = 0; c < 3; ++c) {
        cells[c].create(9, 9);
        cells[c].copy(icons, 0, 0, sf::IntRect(static_cast<int>(9 * c), 0, 9, 9));
        unsigned inked = 0;
        for (unsigned y = 0; y < 9; ++y)
            for (unsigned x = 0; x < 9; ++x)
                inked += cells[c].getPixel(x, y) == sf::Color::Black;
        EXPECT_GE(inked, 12u) << "cell " << c;
    }
    EXPECT_FALSE(samePixels(cells[0], cells[1]));
    EXPECT_FALSE(samePixels(cells[1], cells[2]));
    EXPECT_FALSE(samePixels(cells[0], cells[2]));
}

TEST(InterfaceControls, EveryActionButtonLooksDifferent) {
    const std::vector<std::string> names = actionButtons();
    ASSERT_EQ(names.size(), 21u);
    std::vector<sf::Image> images;
    for (const std::string& name : names)
        images.push_back(loadUi(name));
    for (std::size_t i = 0; i < images.size(); ++i)
        for (std::size_t j = i + 1; j < images.size(); ++j)
            EXPECT_FALSE(samePixels(images[i], images[j])) << names[i] << " vs " << names[j];
}

TEST(InterfaceControls, DisabledLooksDifferFromTheirButtons) {
    for (const char* name : {"ui/date_button", "ui/action_next", "ui/action_previous"}) {
        const sf::Image enabled = loadUi(name);
        const sf::Image disabled = loadUi(std::string(name) + "_disabled");
        EXPECT_FALSE(samePixels(enabled, disabled)) << name;
    }
}

TEST(InterfaceControls, PointerAndPlusOneAnchors) {
    // The cursor is drawn one pixel up and left of the mouse: its tip is (1, 1).
    const sf::Image cursor = loadUi("cursor");
    EXPECT_EQ(cursor.getPixel(1, 1), sf::Color::Black);
    EXPECT_FALSE(opaque(cursor, 0, 0));
    // The plus-one mark is drawn with its origin at (8, 8): it must sit around it.
    const sf::Image plus = loadUi("ui/plusone");
    unsigned left = 16, right = 0, top = 16, bottom = 0;
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 16; ++x)
            if (opaque(plus, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_NEAR((left + right) / 2.0, 8.0, 1.0);
    EXPECT_NEAR((top + bottom) / 2.0, 8.0, 1.0);
}

// Framed buttons centre their icon inside a frame three pixels deep on every side.
TEST(InterfaceControls, FramedIconsFitInsideTheirButtons) {
    const std::map<std::string, Size> buttonSize{
        {"ui/side_build_button", {23, 23}},
        {"ui/side_ratings_button", {23, 23}},
        {"ui/side_population_button", {23, 23}},
        {"ui/side_needs_button", {23, 23}},
        {"ui/side_finances_button", {23, 23}},
        {"ui/side_city_button", {23, 23}},
        {"ui/side_production_button", {23, 23}},
        {"ui/rotate_left_button", {23, 23}},
        {"ui/rotate_right_button", {23, 23}},
        {"ui/menu_button", {23, 18}},
        {"ui/date_button", {23, 18}},
        {"ui/date_button_disabled", {23, 18}},
        {"ui/cancel_action_button", {23, 18}},
        {"ui/action_progress_button", {46, 23}},
    };
    for (const auto& [name, button] : buttonSize) {
        const sf::Image icon = loadUi(name);
        EXPECT_LE(icon.getSize().x, button.w - 6) << name;
        EXPECT_LE(icon.getSize().y, button.h - 6) << name;
    }
}

// The tile-actions window hangs a price badge over the top six rows of each button.
TEST(InterfaceControls, ActionPicturesStayClearOfThePriceBadge) {
    for (const std::string& name : actionButtons()) {
        const sf::Image button = loadUi(name);
        for (unsigned y = 3; y < 6; ++y)
            for (unsigned x = 8; x < 33; ++x)
                ASSERT_EQ(button.getPixel(x, y), sf::Color::White) << name << " " << x << "," << y;
    }
}

// The numbers are printed right-aligned in a box ending 5 pixels before the slot's
// right edge; the emblem must leave that field plain.
TEST(InterfaceControls, ReadOutSlotsLeaveTheNumberFieldPlain) {
    for (const char* name : {"ui/budget_slot", "ui/population_slot", "ui/date_slot"}) {
        const sf::Image slot = loadUi(name);
        const unsigned boxEnd = slot.getSize().x - 5;
        for (unsigned y = 5; y < 18; ++y)
            for (unsigned x = boxEnd - 60; x < boxEnd; ++x)
                ASSERT_EQ(slot.getPixel(x, y), sf::Color::White) << name << " " << x << "," << y;
    }
}

// Each report window starts its underline at x 10; the line must end inside the window.
TEST(InterfaceControls, UnderlinesEndInsideTheirWindows) {
    const std::map<std::string, unsigned> windowWidth{
        {"ui/expenditure_titles_underline", 310},
        {"ui/city_population_titles_underline", 250},
        {"ui/production_titles_underline", 320},
    };
    for (const auto& [name, width] : windowWidth) {
        const sf::Image line = loadUi(name);
        EXPECT_EQ(line.getPixel(0, 0), sf::Color::Black) << name;
        for (unsigned x = width - 10 - 3; x < line.getSize().x; ++x)
            EXPECT_FALSE(opaque(line, x, 0)) << name << " at " << x;
    }
}

// Across the middle of the lower-case letters, "Tapburg" crosses 12 strokes: T 1,
// a 2, p 2, b 2, u 2, r 1, g 2. Stroke faces are paper runs walled by ink; the paper
// halo around the lettering always touches transparency, so it is not counted.
TEST(TitleScreenArt, TitleLetteringHasTheStrokesOfItsName) {
    const sf::Image title = loadUi("ui/menu/title");
    const unsigned row = 3 + 5 * 7 + 3;
    unsigned strokes = 0;
    for (unsigned x = 1; x < title.getSize().x; ++x) {
        if (title.getPixel(x, row) != sf::Color::White ||
            title.getPixel(x - 1, row) != sf::Color::Black)
            continue;
        unsigned end = x;
        while (end < title.getSize().x && title.getPixel(end, row) == sf::Color::White)
            ++end;
        strokes += end < title.getSize().x && title.getPixel(end, row) == sf::Color::Black;
        x = end;
    }
    EXPECT_EQ(strokes, 12u);
}

TEST(TitleScreenArt, TitleIsCentredAndTheTownFillsTheVisibleBand) {
    const sf::Image title = loadUi("ui/menu/title");
    unsigned left = title.getSize().x, right = 0;
    for (unsigned y = 0; y < title.getSize().y; ++y)
        for (unsigned x = 0; x < title.getSize().x; ++x)
            if (opaque(title, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR(static_cast<double>(left), static_cast<double>(511 - right), 8.0);
    EXPECT_GT(right - left, 300u);
    // Only the top 240 rows of the town ever show; its middle must be busy.
    const sf::Image city = loadUi("ui/menu/city");
    unsigned covered = 0, total = 0;
    for (unsigned y = 60; y < 240; ++y)
        for (unsigned x = 200; x < 560; ++x, ++total)
            covered += opaque(city, x, y);
    EXPECT_GT(covered * 10, total * 8);
}

} // namespace
