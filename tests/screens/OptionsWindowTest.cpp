// The options window: switches stored in the settings and taking effect at once, the
// palette, and the title screen's music rules.
#include "screens/OptionsWindow.h"

#include "ScreenTestSupport.h"
#include "assets/Palettes.h"
#include "assets/SoundManager.h"
#include "gui/CheckBox.h"
#include "platform/Config.h"

#include <SFML/Audio/Music.hpp>
#include <cctype>
#include <cstdlib>
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
    std::vector<gui::Button*> buttons(const std::string& caption) const {
        std::vector<gui::Button*> found;
        for (gui::Button* each : all<gui::Button>(options()))
            if (each->label() && each->label()->text() == caption)
                found.push_back(each);
        return found;
    }
    // The values beside the volume buttons, music first.
    std::vector<std::string> shownVolumes() const {
        std::vector<std::string> shown;
        for (const gui::Text* text : all<gui::Text>(options()))
            if (!text->text().empty() && std::isdigit(static_cast<unsigned char>(text->text()[0])))
                shown.push_back(text->text());
        return shown;
    }
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

TEST_F(Options, VolumesStepByTensWithinTheirRangeAndAreHeardAtOnce) {
    game.ui_showOptions();
    // Grown for the two volume rows; what was there keeps its place.
    EXPECT_EQ(options().size(), sf::Vector2i(240, 200));
    EXPECT_EQ(box(Music).position(), sf::Vector2i(10, 48));
    EXPECT_EQ(button(options(), "Cycle through palettes").position(), sf::Vector2i(9, 90));

    struct Case {
        const char* key;
        const char* stored;
        int presses; // of "+", or of "-" when negative
        const char* expected;
    };
    const Case cases[] = {
        {"musicVolume", "100", -3, "70"},
        {"musicVolume", "70", 5, "100"}, // stops at full
        {"sfxVolume", "10", -2, "0"},    // and at silence
        {"sfxVolume", "55", 1, "60"},    // a hand-edited value steps from its ten
    };
    for (const Case& c : cases) {
        game.config->set(c.key, c.stored);
        click(button(options(), "Close"));
        game.ui_showOptions();
        const std::size_t row = std::string(c.key) == "musicVolume" ? 0 : 1;
        for (int i = 0; i < std::abs(c.presses); ++i)
            click(*buttons(c.presses < 0 ? "-" : "+").at(row));
        EXPECT_EQ(game.config->get(c.key), c.expected) << c.key << " from " << c.stored;
        EXPECT_EQ(shownVolumes().at(row), c.expected) << c.key << " from " << c.stored;
    }
    EXPECT_FLOAT_EQ(game.soundManager->getMusic("music/1")->getVolume(), 45.f);
    EXPECT_FLOAT_EQ(game.soundManager->getSound("click")->getVolume(), 60.f);
    EXPECT_FLOAT_EQ(game.soundManager->effectVolume(50.f), 30.f);
}

} // namespace
