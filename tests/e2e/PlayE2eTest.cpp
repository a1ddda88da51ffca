// A new city from the title screen, a road built by clicking, and a game saved, left
// and loaded again: the game driven only through its window.
#include "GameSession.h"
#include "Player.h"
#include "city/CityTypes.h"
#include "platform/StringUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace {

constexpr int FirstRoad = 37; // the middle of the 75 x 75 first map
constexpr int ClicksPerDay = 10;
constexpr double RoadPrice = 250;
constexpr double SavedMoneyTolerance = 0.5; // saved amounts have six significant digits
constexpr std::size_t DateLine = 1;
constexpr std::size_t MonthExpensesLine = 10;
constexpr std::size_t MapSizeLine = 13;
constexpr std::size_t TileKindField = 2;

// A save file's lines of comma-separated numbers, each closed by a comment naming its
// section; read apart from the game's loader, so a fault shared by writer and loader
// still shows. Tiles are the lines of the "tile" section, building lines sit between.
struct Save {
    explicit Save(const std::filesystem::path& path) {
        std::istringstream in(readFile(path));
        for (std::string text; std::getline(in, text);) {
            std::vector<double>& values = text.find("/* tile */") == std::string::npos
                                              ? lines.emplace_back()
                                              : tiles.emplace_back();
            for (const std::string& value : split(text.substr(0, text.find(", /*")), ','))
                values.push_back(std::atof(value.c_str()));
        }
    }
    int tileKind(sf::Vector2i at) const {
        const auto width = static_cast<std::size_t>(lines.at(MapSizeLine).at(0));
        return static_cast<int>(tiles.at(at.y * width + at.x).at(TileKindField));
    }
    std::vector<std::vector<double>> lines, tiles;
};

// A new game with a road built beside the first one, ready for the next step; the
// road's offset from the first road.
std::optional<sf::Vector2i> buildRoad(GameSession& session, Player& player) {
    std::optional<sf::Vector2i> road;
    if (session.start() && player.startNewGame() && (road = player.armRoadBesideFirstRoad()))
        player.clickProgress(ClicksPerDay);
    return road;
}

} // namespace

TEST(PlayE2e, NewGameGreetsAndThenLetsTheMapBeClicked) {
    GameSession session("new_game");
    ASSERT_TRUE(session.start()) << session.output();
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();

    // Both greeting boxes sat over the middle of the screen; once they are closed a
    // click there reaches the map and picks the first road.
    player.clickFirstRoad();
    session.screenshot("first-road-clicked");
    EXPECT_EQ(session.countInOutput("clickedTile: 37, 37"), 1) << session.output();
    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_EQ(session.countInOutput("Bye!"), 1);
}

TEST(PlayE2e, TenProgressClicksBuildTheRoadAndEndTheDay) {
    GameSession session("build_road");
    Player player(session);
    const std::optional<sf::Vector2i> road = buildRoad(session, player);
    ASSERT_TRUE(road) << "no tile beside the first road took \"Build road\"\n" << session.output();
    ASSERT_TRUE(player.saveToSlot(1)) << session.output();

    const Save save(session.savePath(1));
    ASSERT_GT(save.lines.size(), MapSizeLine);
    // Day counter 1 is what the HUD shows as 02/01 Y1.
    EXPECT_EQ(save.lines[DateLine].at(0), 1);
    EXPECT_EQ(save.tileKind(sf::Vector2i(FirstRoad, FirstRoad) + *road),
              static_cast<int>(TileKind::Road));
    EXPECT_NEAR(save.lines[MonthExpensesLine].at(static_cast<int>(LedgerCategory::Construction)),
                -RoadPrice, SavedMoneyTolerance);
    EXPECT_EQ(session.closeWindow(), 0);
}

TEST(PlayE2e, ASavedCityComesBackFromTheTitleScreenUnchanged) {
    GameSession session("save_and_load");
    Player player(session);
    ASSERT_TRUE(buildRoad(session, player)) << session.output();
    ASSERT_TRUE(player.saveToSlot(1)) << session.output();
    ASSERT_TRUE(player.backToTitleScreen());
    ASSERT_TRUE(player.loadFromTitleScreen(1)) << session.output();
    EXPECT_EQ(session.countInOutput("save version: 2"), 1);

    // Saved again at once, the restored city writes the very same file.
    ASSERT_TRUE(player.saveToSlot(2)) << session.output();
    EXPECT_EQ(readFile(session.savePath(2)), readFile(session.savePath(1)));
    EXPECT_EQ(session.closeWindow(), 0);
}
