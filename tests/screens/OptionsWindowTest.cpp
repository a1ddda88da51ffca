// The options window: switches stored in the settings and taking effect at once, the
// palette, and the title screen's music rules.
#include "screens/OptionsWindow.h"

#include "GameMenuTestSupport.h"
#include "assets/Palettes.h"
#include "assets/SoundManager.h"
#include "gui/CheckBox.h"
#include "platform/Config.h"

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

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
    gui::CheckBox& box(const std::string& label) const {
        for (const auto& child : options().children())
            if (auto* found = dynamic_cast<gui::CheckBox*>(child.get()))
                if (found->label() == label)
                    return *found;
        throw std::runtime_error("no check box " + label);
    }
    bool playing(const std::string& track) const {
        const sf::Music* const music = game.soundManager->getMusic(track);
        return music && music->getStatus() == sf::SoundSource::Playing;
    }
    static sf::Color colour(PaletteColour c) { return {c.r, c.g, c.b}; }
};

TEST_F(Options, BoxesShowWhatIsStoredAndAClickFlipsTheStoredText) {
    game.config->set("postProcessing", "TRUE");
    game.config->set("sfxEnabled", "true");
    game.ui_showOptions();
    EXPECT_FALSE(box("Fullscreen").checked);
    EXPECT_FALSE(box("Post-processing effect").checked); // only "true" is on
    EXPECT_FALSE(box("Music").checked);
    EXPECT_TRUE(box("SFX").checked);
    EXPECT_EQ(box("SFX").position(), sf::Vector2i(10, 61));

    click(box("SFX"));
    EXPECT_EQ(game.config->get("sfxEnabled"), "false");
    EXPECT_FALSE(game.recreateWindowRequested);
    click(box("Post-processing effect"));
    EXPECT_EQ(game.config->get("postProcessing"), "true");
    EXPECT_TRUE(game.recreateWindowRequested);
}

TEST_F(Options, FullscreenAsksForANewWindowBetweenFrames) {
    game.ui_showOptions();
    click(box("Fullscreen"));
    EXPECT_EQ(game.config->get("isFullscreen"), "true");
    EXPECT_TRUE(game.recreateWindowRequested);
    // Still the same window: it is re-created by the frame loop, not by the click.
    EXPECT_TRUE(game.window->isOpen());
    EXPECT_TRUE(game.optionsWindow->isOpen());
}

TEST_F(Options, CyclingPalettesWrapsAndRecolours) {
    const struct {
        const char* stored;
        const char* next;
    } cases[] = {{"3", "4"}, {"7", "0"}, {"2147483647", "0"}, {"junk", "1"}};
    game.ui_showOptions();
    for (const auto& c : cases) {
        game.config->set("palette", c.stored);
        click(*button(options(), "Cycle through palettes"));
        EXPECT_EQ(game.config->get("palette"), c.next) << "from " << c.stored;
        const Palette& applied = palettes.at(std::stoul(c.next));
        EXPECT_EQ(game.paperColor, colour(applied.paper)) << "from " << c.stored;
        EXPECT_EQ(game.inkColor, colour(applied.ink)) << "from " << c.stored;
    }
}

TEST_F(Options, CyclingWithoutAStoredPaletteStoresNothingAndShowsTheFirst) {
    game.config = std::make_unique<Config>();
    game.config->set("palette", "5"); // set adds no entry
    game.ui_showOptions();
    click(*button(options(), "Cycle through palettes"));
    EXPECT_TRUE(game.config->entries().empty());
    EXPECT_EQ(game.paperColor, colour(palettes[0].paper));
}

TEST_F(Options, TheNewPaperIsWhatTheWindowIsDrawnWith) {
    game.config->set("palette", "4");
    game.ui_showOptions();
    click(*button(options(), "Cycle through palettes"));
    sf::RenderTexture frame;
    ASSERT_TRUE(frame.create(640, 360));
    frame.clear(sf::Color::Magenta);
    frame.setView(*game.uiView);
    game.ui->draw(frame);
    frame.display();
    const sf::Image shot = frame.getTexture().copyToImage();
    // Inside the window, between the switches and the palette buttons.
    const sf::Vector2i inside = options().getAbsolutePosition() + sf::Vector2i(120, 80);
    EXPECT_EQ(shot.getPixel(unsigned(inside.x), unsigned(inside.y)), colour(palettes[5].paper));
}

TEST_F(Options, RandomColoursLastUntilThePaletteIsCycled) {
    game.config->set("palette", "1");
    game.ui_showOptions();
    click(*button(options(), "Randomize colors (DO NOT CLICK)"));
    EXPECT_EQ(game.config->get("palette"), "1");
    EXPECT_NE(game.paperColor, colour(palettes[1].paper));
    click(*button(options(), "Cycle through palettes"));
    EXPECT_EQ(game.paperColor, colour(palettes[2].paper));
}

TEST_F(Options, OnTheTitleScreenMusicPlaysTheLoopingTitleTrack) {
    game.ui_showOptions();
    EXPECT_EQ(options().parent(), game.ui->menuRoot.get());
    click(box("Music"));
    EXPECT_EQ(game.config->get("musicEnabled"), "true");
    EXPECT_TRUE(playing("music/menu"));
    EXPECT_TRUE(game.soundManager->getMusic("music/menu")->getLoop());
    EXPECT_EQ(game.soundManager->getCurrentTrack(), "");

    click(box("Music"));
    EXPECT_EQ(game.config->get("musicEnabled"), "false");
    EXPECT_FALSE(playing("music/menu"));
}

TEST_F(Options, InACityMusicPlaysThePlaylist) {
    startCity();
    game.ui_showOptions();
    EXPECT_EQ(options().parent(), game.ui->gameRoot.get());
    click(box("Music"));
    const std::string track = game.soundManager->getCurrentTrack();
    EXPECT_NE(track, "");
    EXPECT_TRUE(playing(track));
    EXPECT_FALSE(playing("music/menu"));
    click(box("Music"));
    EXPECT_FALSE(playing(track));
}

TEST_F(Options, MusicWithoutAStoredSettingStaysSilent) {
    game.config = std::make_unique<Config>();
    game.ui_showOptions();
    click(box("Music"));
    EXPECT_FALSE(playing("music/menu"));
}

TEST_F(Options, OneLeftOpenInTheCityDoesNotBlockTheTitleScreensOptions) {
    startCity();
    game.ui_showOptions();
    game.showMainMenu();
    game.mainMenu->onOptions();
    ASSERT_TRUE(game.optionsWindow->isOpen());
    EXPECT_EQ(options().parent(), game.ui->menuRoot.get());
}

} // namespace
