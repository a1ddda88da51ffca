// The options window: switches stored in the settings and taking effect at once, the
// palette, and the title screen's music rules.
#include "screens/OptionsWindow.h"

#include "ScreenTestSupport.h"
#include "assets/Palettes.h"
#include "assets/SoundManager.h"
#include "gui/CheckBox.h"
#include "platform/Config.h"

#include <SFML/Audio/Music.hpp>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class Options : public ScreenTest {
protected:
    void SetUp() override {
        // The music rules need the real tracks.
        std::filesystem::create_directory_symlink(std::string(TAPBURG_TEST_DATA_DIR) + "sounds",
                                                  data.path() + "sounds");
        ScreenTest::SetUp();
        game.config->load(data.write("palette.dat", "palette=0\n"));
    }
    gui::Window& options() const { return *game.optionsWindow->window; }
    gui::CheckBox& box(std::size_t index) const { return *all<gui::CheckBox>(options()).at(index); }
    bool playing(const std::string& track) const {
        const sf::Music* const music = game.soundManager->getMusic(track);
        return music && music->getStatus() == sf::SoundSource::Playing;
    }
    void cycle() { click(button(options(), "Cycle through palettes")); }
    static sf::Color paper(std::size_t palette) {
        const PaletteColour c = palettes.at(palette).paper;
        return {c.r, c.g, c.b};
    }
};

enum Switch : std::size_t { Fullscreen, PostProcessing, Music };

TEST_F(Options, SwitchesAndPalettesAreStoredAndTakeEffect) {
    game.ui_showOptions();
    click(box(Fullscreen));
    EXPECT_EQ(game.config->get("isFullscreen"), "true");
    EXPECT_TRUE(game.recreateWindowRequested); // the frame loop re-creates it
    EXPECT_TRUE(game.optionsWindow->isOpen());

    const std::pair<const char*, const char*> cases[] = {
        {"3", "4"}, {"7", "0"}, {"2147483647", "0"}, {"junk", "1"}};
    click(button(options(), "Randomize colors (DO NOT CLICK)"));
    EXPECT_EQ(game.config->get("palette"), "0");
    EXPECT_NE(game.paperColor, paper(0));
    for (const auto& [stored, next] : cases) {
        game.config->set("palette", stored);
        cycle();
        EXPECT_EQ(game.config->get("palette"), next) << "from " << stored;
        EXPECT_EQ(game.paperColor, paper(std::stoul(next))) << "from " << stored;
    }

    // Inside the window, between the switches and the palette buttons.
    const sf::Vector2i inside = options().getAbsolutePosition() + sf::Vector2i(120, 80);
    EXPECT_EQ(picture().getPixel(unsigned(inside.x), unsigned(inside.y)), paper(1));
}

TEST_F(Options, MusicPlaysTheTitleTrackOverTheTitleScreenAndThePlaylistInACity) {
    game.ui_showOptions();
    EXPECT_EQ(options().parent(), game.ui->menuRoot.get());
    click(box(Music));
    EXPECT_EQ(game.config->get("musicEnabled"), "true");
    EXPECT_TRUE(playing("music/menu"));
    EXPECT_TRUE(game.soundManager->getMusic("music/menu")->getLoop());
    click(box(Music));
    EXPECT_FALSE(playing("music/menu"));

    // Left open over the title screen, it does not keep the city's from showing.
    startCity();
    game.ui_showOptions();
    EXPECT_EQ(options().parent(), game.ui->gameRoot.get());
    click(box(Music));
    const std::string track = game.soundManager->getCurrentTrack();
    EXPECT_TRUE(playing(track));
    EXPECT_FALSE(playing("music/menu"));
}

} // namespace
