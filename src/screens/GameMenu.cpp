#include "screens/GameMenu.h"

#include "game/Game.h"
#include "gui/Button.h"
#include "gui/UI.h"
#include "gui/Window.h"

#include <array>

namespace {

struct MenuEntry {
    const char* label;
    void (*action)(Game& game);
};

// Top to bottom; every entry reaches the rest of the game through its public names.
constexpr std::array<MenuEntry, 6> Entries{{
    {"Save game", [](Game& game) { game.ui_showSaveFilesWindow(true); }},
    {"Load game", [](Game& game) { game.ui_showSaveFilesWindow(false); }},
    {"Options", [](Game& game) { game.ui_showOptions(); }},
    {"About & Help", [](Game& game) { game.ui_showAboutScreen(); }},
    {"Back to menu", [](Game& game) { game.showMainMenu(); }},
    {"Exit game", [](Game& game) { game.shutdown(); }},
}};

constexpr int EntryX = 8;
constexpr int EntryTop = 19;
constexpr int EntryStep = 27;
const sf::Vector2i EntrySize(124, 23);

// "Resume" only closes the menu, which the UI does for the close id.
const sf::IntRect ResumeRect(15, 193, 110, 18);
constexpr std::uint16_t ResumeFont = 2; // "bold"

} // namespace

GameMenu::GameMenu(Game& game) : ScreenWindow(game, {140, 205}, gui::Align::Middle) {}

void GameMenu::open() {
    if (isOpen())
        return;
    gui::Window& menu = openWindow("What?!", *game.ui->gameRoot);
    int y = EntryTop;
    for (const MenuEntry& entry : Entries) {
        gui::Button* const button =
            menu.add(game.ui->createButton({{EntryX, y}, EntrySize}, entry.label));
        button->onClick = [this, action = entry.action] { action(game); };
        y += EntryStep;
    }
    menu.add(game.ui->createButton(ResumeRect, "Resume", gui::CloseButtonId, ResumeFont));
}
