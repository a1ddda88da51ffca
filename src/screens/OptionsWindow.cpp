#include "screens/OptionsWindow.h"

#include "assets/Palettes.h"
#include "assets/SoundManager.h"
#include "assets/SpriteManager.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "platform/Config.h"

#include <SFML/Audio/Music.hpp>
#include <algorithm>
#include <array>
#include <string>

namespace {

void requestNewWindow(Game& game, bool) {
    // The window is re-created between frames, never from inside its event handling.
    game.recreateWindowRequested = true;
}

// The palette after the stored one, wrapping after the last; every sprite then takes the
// stored palette's colours. Nothing is stored when the settings have no "palette" entry.
void cyclePalette(Game& game) {
    // Widened first: a hand-edited value at the top of the int range must not overflow.
    const long long next = (static_cast<long long>(game.config->getInt("palette")) + 1) %
                           static_cast<long long>(palettes.size());
    game.config->setInt("palette", static_cast<int>(next));
    game.spriteManager->recolourAll();
}

// Music switched on plays the title track over the title screen and the playlist in a
// city; switched off, every track stops.
void followMusicSwitch(Game& game, bool on) {
    SoundManager& sound = *game.soundManager;
    if (!on) {
        sound.stopMusic();
        return;
    }
    if (!game.mainMenu->showing) {
        sound.shufflePlaylist();
        sound.playCurrentTrack();
        return;
    }
    // Like the playlist, the title track follows the stored setting, which a settings
    // file without the entry keeps off.
    sf::Music* const title = sound.getMusic("music/menu");
    if (title && game.config->is("musicEnabled", "true")) {
        title->setLoop(true);
        title->play();
    }
}

struct Switch {
    const char* label;
    const char* key;
    void (*takeEffect)(Game& game, bool on); // null: the setting is read where it is used
};

constexpr std::array<Switch, 4> Switches{{
    {"Fullscreen", "isFullscreen", requestNewWindow},
    {"Post-processing effect", "postProcessing", requestNewWindow},
    {"Music", "musicEnabled", followMusicSwitch},
    {"SFX", "sfxEnabled", nullptr},
}};

constexpr int SwitchX = 10;
constexpr int SwitchTop = 22;
constexpr int SwitchStep = 13;

struct ColourButton {
    const char* label;
    int y;
    void (*action)(Game& game);
};

void randomColours(Game& game) {
    game.spriteManager->randomizeColours();
    game.spriteManager->recolourAll();
}

constexpr std::array<ColourButton, 2> ColourButtons{{
    {"Cycle through palettes", 90, cyclePalette},
    {"Randomize colors (DO NOT CLICK)", 116, randomColours},
}};

constexpr int ColourButtonX = 9;
const sf::Vector2i ColourButtonSize(222, 20);
constexpr std::uint16_t BoldFont = 2;

struct VolumeRow {
    const char* label;
    const char* key;
};

// Below the palette buttons, which keep their places as the window grows for them.
constexpr std::array<VolumeRow, 2> VolumeRows{{
    {"Music volume", "musicVolume"},
    {"SFX volume", "sfxVolume"},
}};
constexpr int VolumeTop = 143;
constexpr int VolumeStep = 20;
const sf::IntRect VolumeLabel(10, 0, 120, 16);
const sf::IntRect VolumeDown(140, 0, 20, 16);
const sf::IntRect VolumeValue(162, 0, 34, 16);
const sf::IntRect VolumeUp(198, 0, 20, 16);

sf::IntRect onRow(sf::IntRect rect, int y) {
    rect.top = y;
    return rect;
}

} // namespace

OptionsWindow::OptionsWindow(Game& game)
    : ScreenWindow(game, {240, VolumeTop + VolumeStep * 2 + 17}, gui::Align::Middle) {}

void OptionsWindow::open() {
    gui::Widget& root = game.ui->activeRoot();
    closeUnlessIn(root);
    if (isOpen())
        return;
    gui::Window& options = openWindow("Options", root);
    int y = SwitchTop;
    for (const Switch& entry : Switches) {
        gui::CheckBox* const box = options.add(game.ui->createCheckBox({SwitchX, y}, entry.label));
        box->checked = game.config->is(entry.key, "true");
        // The stored text flips whatever the box shows, as a hand-edited value may be
        // neither "true" nor "false".
        box->onToggle = [this, entry](bool on) {
            game.config->toggle(entry.key);
            if (entry.takeEffect)
                entry.takeEffect(game, on);
        };
        y += SwitchStep;
    }
    for (const ColourButton& entry : ColourButtons) {
        gui::Button* const button = options.add(game.ui->createButton(
            {{ColourButtonX, entry.y}, ColourButtonSize}, entry.label, 0, BoldFont));
        button->onClick = [this, action = entry.action] { action(game); };
    }
    int row = VolumeTop;
    for (const VolumeRow& entry : VolumeRows) {
        addVolumeRow(options, row, entry.label, entry.key);
        row += VolumeStep;
    }
    addCloseButton(options);
}

void OptionsWindow::addVolumeRow(gui::Window& to, int y, const char* label, const char* key) {
    to.add(game.ui->createText(onRow(VolumeLabel, y), label));
    gui::Text* const value =
        to.add(game.ui->createText(onRow(VolumeValue, y), "", gui::Align::Middle));
    const auto show = [this, value, key] {
        value->setText(std::to_string(game.soundManager->volumeSetting(key)));
    };
    show();
    // Stored as a step of ten and heard at once, the playing track included.
    const auto change = [this, key, show](int steps) {
        const int level = game.soundManager->volumeSetting(key) + steps * SoundManager::VolumeStep;
        game.config->setInt(key, std::clamp(level, 0, SoundManager::FullVolume));
        game.soundManager->applyVolumes();
        show();
    };
    to.add(game.ui->createButton(onRow(VolumeDown, y), "-", 0, BoldFont))->onClick = [change] {
        change(-1);
    };
    to.add(game.ui->createButton(onRow(VolumeUp, y), "+", 0, BoldFont))->onClick = [change] {
        change(1);
    };
}
