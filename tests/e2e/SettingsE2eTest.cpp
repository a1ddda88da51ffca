// The options window changes the palette the next frame is cleared with, and closing
// the window writes the settings back.
#include "GameSession.h"
#include "Player.h"
#include "assets/Palettes.h"

#include <gtest/gtest.h>

namespace {

sf::Color paper(int palette) {
    const PaletteColour& c = palettes[static_cast<std::size_t>(palette)].paper;
    return {c.r, c.g, c.b};
}

} // namespace

TEST(SettingsE2e, CyclingThePaletteRecoloursTheScreenAndIsKeptAtExit) {
    GameSession session("options");
    ASSERT_TRUE(session.start()) << session.output();
    const sf::Image before = session.screenshot("palette-0");
    ASSERT_EQ(before.getSize(), sf::Vector2u(1280, 720));
    // The top-left window pixel is outside the screen frame: the clear colour.
    EXPECT_EQ(before.getPixel(0, 0), paper(0));

    Player(session).cyclePalette();
    const sf::Image after = session.screenshot("palette-1");
    ASSERT_EQ(after.getSize(), sf::Vector2u(1280, 720));
    EXPECT_EQ(after.getPixel(0, 0), paper(1));
    EXPECT_EQ(after.getPixel(1279, 719), paper(1));

    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_NE(session.output().find("Bye!\n"), std::string::npos) << session.output();
    const std::string settings = readFile(session.settingsPath());
    EXPECT_NE(settings.find("palette=1\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("width=1280\n"), std::string::npos) << settings;
}
