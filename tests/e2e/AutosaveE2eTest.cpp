// A city played by the date button alone is autosaved after thirty days and again
// when its window is closed, without a message box; the settings file, written with
// an impossible window size and without the newer keys, starts a whole window and
// comes back complete.
#include "GameSession.h"
#include "Player.h"
#include "city/SaveReader.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// The day of the autosave, or -1 when it is missing or unreadable.
int autosaveDay(const GameSession& session) {
    const SaveReader::Result read =
        SaveReader::parse(readFile(session.supportFolder() / "saves" / "autosave.sav"));
    return read.save ? read.save->dayCounter : -1;
}

} // namespace

TEST(AutosaveE2e, ThirtyDaysAndAClosedWindowAreKept) {
    GameSession session("autosave");
    {
        std::ofstream(session.settingsPath()) << "isFullscreen=false\npostProcessing=false\n"
                                                 "width=99999\nheight=99999\nmusicEnabled=false\n";
    }
    ASSERT_TRUE(session.start()) << session.output();
    EXPECT_EQ(session.screenshot("desktop-sized").getSize(), sf::Vector2u(1920, 1080));
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();

    ASSERT_TRUE(player.passDays(31)) << session.output();
    ASSERT_TRUE(session.waitForOutput("game autosaved on day 30!", 1)) << session.output();
    EXPECT_GE(autosaveDay(session), 30);
    // No box came up over the middle of the screen: a click there reaches the map.
    player.clickFirstRoad();
    session.screenshot("after-autosave");
    EXPECT_EQ(session.countInOutput("clickedTile: 37, 37"), 1) << session.output();

    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_EQ(session.countInOutput("game autosaved on day 31!"), 1) << session.output();
    EXPECT_EQ(autosaveDay(session), 31);
    const std::string settings = readFile(session.settingsPath());
    for (const char* kept : {"width=99999\n", "sfxEnabled=true\n", "autosaveDays=30\n",
                             "musicVolume=100\n", "sfxVolume=100\n"})
        EXPECT_NE(settings.find(kept), std::string::npos) << kept << " in\n" << settings;
}
