// The options window changes the palette the next frame is cleared with, F12 keeps
// what the window shows, and closing the window writes the settings back.
#include "GameSession.h"
#include "assets/Palettes.h"

#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

constexpr int OptionsEntry = 2;

sf::Color paper(int palette) {
    const PaletteColour& c = palettes[static_cast<std::size_t>(palette)].paper;
    return {c.r, c.g, c.b};
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "dd-mm-yyyy hh-mm-ss.png", where the pattern's 9s stand for any digit.
bool namedByTime(const std::string& name) {
    const std::string pattern = "99-99-9999 99-99-99.png";
    if (name.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (pattern[i] == '9' ? !std::isdigit(static_cast<unsigned char>(name[i]))
                              : name[i] != pattern[i])
            return false;
    return true;
}

} // namespace

TEST(SettingsE2e, CyclingThePaletteRecoloursTheScreenAndIsKeptAtExit) {
    GameSession session("options");
    ASSERT_TRUE(session.start()) << session.output();
    const sf::Image before = session.screenshot("palette-0");
    ASSERT_EQ(before.getSize(), sf::Vector2u(1280, 720));
    // The top-left window pixel is outside the screen frame: the clear colour.
    EXPECT_EQ(before.getPixel(0, 0), paper(0));

    const screen::Size ui = session.ui();
    session.click(screen::titleEntry(ui, OptionsEntry));
    session.screenshot("options-window");
    session.click(screen::optionsCyclePalette(ui));
    session.click(screen::optionsClose(ui));
    const sf::Image after = session.screenshot("palette-1");
    ASSERT_EQ(after.getSize(), sf::Vector2u(1280, 720));
    EXPECT_EQ(after.getPixel(0, 0), paper(1));
    EXPECT_EQ(after.getPixel(1279, 719), paper(1));

    EXPECT_EQ(session.closeWindow(), 0);
    EXPECT_NE(session.output().find("Bye!\n"), std::string::npos) << session.output();
    const std::string settings = readText(session.settingsPath());
    EXPECT_NE(settings.find("palette=1\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("width=1280\n"), std::string::npos) << settings;
}

TEST(SettingsE2e, ScreenshotsAreNamedByTheLocalTime) {
    GameSession session("screenshot");
    ASSERT_TRUE(session.start()) << session.output();
    session.screenshot("second");
    ASSERT_EQ(session.screenshotNames().size(), 2u);
    for (const std::string& taken : session.screenshotNames())
        EXPECT_TRUE(namedByTime(taken)) << taken;
    EXPECT_EQ(session.closeWindow(), 0);
}
