// A new city from the title screen, a road built by clicking, and a game saved, left
// and loaded again: the game driven only through its window.
#include "GameSession.h"
#include "Player.h"
#include "SaveText.h"
#include "city/CityTypes.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

constexpr int FirstRoad = 37; // the middle of the 75 x 75 first map
constexpr int ClicksPerDay = 10;
constexpr double NewGameBudget = 25000;
constexpr double RoadPrice = 250;
// Saved amounts have six significant digits.
constexpr double SavedMoneyTolerance = 0.5;

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A new game with a road built beside the first one, ready for the next step.
struct RoadBuilt {
    explicit RoadBuilt(const std::string& scenario) : session(scenario), player(session) {
        if (!session.start() || !player.startNewGame())
            return;
        road = player.armRoadBesideFirstRoad();
        if (road) {
            player.clickProgress(ClicksPerDay);
            session.screenshot("road-built");
        }
    }
    GameSession session;
    Player player;
    std::optional<sf::Vector2i> road;
};

} // namespace

TEST(PlayE2e, NewGameGreetsAndThenLetsTheMapBeClicked) {
    GameSession session("new_game");
    ASSERT_TRUE(session.start()) << session.output();
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();

    // Both greeting boxes sat over the middle of the screen; once they are closed a
    // click there reaches the map and picks the first road.
    session.click(screen::tileFromCentre(session.ui(), {0, 0}));
    session.screenshot("first-road-clicked");
    EXPECT_EQ(session.countInOutput("clickedTile: 37, 37"), 1) << session.output();

    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_EQ(session.countInOutput("Bye!"), 1);
}

TEST(PlayE2e, TenProgressClicksBuildTheRoadAndEndTheDay) {
    RoadBuilt game("build_road");
    ASSERT_TRUE(game.road) << "no tile beside the first road took \"Build road\"\n"
                           << game.session.output();
    ASSERT_TRUE(game.player.saveToSlot(1)) << game.session.output();

    const SaveText save(game.session.savePath(1));
    ASSERT_FALSE(save.empty());
    // Day counter 1 is what the HUD shows as 02/01 Y1.
    EXPECT_EQ(save.dayCounter(), 1);
    EXPECT_EQ(save.tileKind(FirstRoad + game.road->x, FirstRoad + game.road->y),
              static_cast<int>(TileKind::Road));
    EXPECT_NEAR(save.monthExpense(static_cast<int>(LedgerCategory::Construction)), -RoadPrice,
                SavedMoneyTolerance);
    // The budget moved by exactly what the month's ledgers booked: the road and the
    // first day's incomes and running costs.
    EXPECT_NEAR(save.budget(), NewGameBudget + save.monthTotal(true) + save.monthTotal(false),
                SavedMoneyTolerance);
    EXPECT_LT(save.budget(), NewGameBudget - RoadPrice + save.monthTotal(true) + 1);
    EXPECT_EQ(game.session.closeWindow(), 0);
}

TEST(PlayE2e, ASavedCityComesBackFromTheTitleScreenUnchanged) {
    RoadBuilt game("save_and_load");
    ASSERT_TRUE(game.road) << game.session.output();
    ASSERT_TRUE(game.player.saveToSlot(1)) << game.session.output();
    ASSERT_TRUE(game.player.backToTitleScreen());
    ASSERT_TRUE(game.player.loadFromTitleScreen(1)) << game.session.output();
    EXPECT_EQ(game.session.countInOutput("save version: 2"), 1);
    game.session.screenshot("loaded");

    // Saved again at once, the restored city writes the very same file.
    ASSERT_TRUE(game.player.saveToSlot(2)) << game.session.output();
    const SaveText first(game.session.savePath(1));
    EXPECT_EQ(first.version(), 2);
    EXPECT_EQ(first.dayCounter(), 1);
    EXPECT_EQ(contents(game.session.savePath(2)), contents(game.session.savePath(1)));
    EXPECT_EQ(game.session.closeWindow(), 0);
}
