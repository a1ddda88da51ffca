// The in-game menu: one window on the game root whose entries lead to the other
// screens, the title screen and exit.
#include "GameMenuTestSupport.h"
#include "screens/AboutWindow.h"
#include "screens/GameMenu.h"
#include "screens/OptionsWindow.h"
#include "screens/SaveSlotsWindow.h"

#include <gtest/gtest.h>

namespace {

class InGameMenu : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        startCity();
        game.ui_showMenu();
        ASSERT_TRUE(game.menuWindow->isOpen());
    }
    gui::Window& menu() const { return *game.menuWindow->window; }
};

TEST_F(InGameMenu, OpensOnceCentredWithItsEntriesInOrder) {
    gui::Window* const first = game.menuWindow->window;
    game.ui_showMenu();
    EXPECT_EQ(game.menuWindow->window, first);
    EXPECT_EQ(first->parent(), game.ui->gameRoot.get());
    EXPECT_EQ(title(*first), "WHAT?!");
    EXPECT_EQ(first->position(), sf::Vector2i(250, 77));

    std::vector<std::string> captions;
    for (const gui::Button* each : buttons(*first))
        captions.push_back(each->label()->text());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Save game", "Load game", "Options", "About & Help",
                                        "Back to menu", "Exit game", "Resume"}));
    EXPECT_EQ(button(*first, "Exit game")->position(), sf::Vector2i(8, 154));
    EXPECT_EQ(button(*first, "Resume")->label()->fontIndex(), 2);
}

TEST_F(InGameMenu, EntriesOpenTheirWindowsOverTheMenuWhichStays) {
    const struct {
        const char* entry;
        const ScreenWindow* screen;
        const char* title;
    } cases[] = {{"Save game", game.saveFilesWindow.get(), "SAVE YOUR PROGRESS"},
                 {"Load game", game.saveFilesWindow.get(), "RESTORE GAME"},
                 {"Options", game.optionsWindow.get(), "OPTIONS"},
                 {"About & Help", game.aboutWindow.get(), "TAPBURG - ABOUT & HELP"}};
    for (const auto& c : cases) {
        click(*button(menu(), c.entry));
        ASSERT_TRUE(c.screen->isOpen()) << c.entry;
        EXPECT_EQ(title(*c.screen->window), c.title);
        EXPECT_EQ(game.ui->gameRoot->children().back().get(), c.screen->window) << c.entry;
        EXPECT_TRUE(game.menuWindow->isOpen()) << c.entry;
        click(*button(*c.screen->window, "Close"));
        EXPECT_FALSE(c.screen->isOpen()) << c.entry;
    }
}

TEST_F(InGameMenu, ResumeClosesOnlyTheMenu) {
    gui::Window* const window = &menu();
    click(*button(menu(), "Resume"));
    EXPECT_FALSE(game.menuWindow->isOpen());
    EXPECT_EQ(window->parent(), nullptr);
    game.ui_showMenu();
    EXPECT_TRUE(game.menuWindow->isOpen());
}

TEST_F(InGameMenu, BackToMenuShowsTheTitleScreenAndClosesTheMenu) {
    gui::Window* const window = &menu();
    click(*button(menu(), "Back to menu"));
    EXPECT_TRUE(game.mainMenu->showing);
    EXPECT_FALSE(game.menuWindow->isOpen());
    EXPECT_EQ(window->parent(), nullptr);
}

TEST_F(InGameMenu, ExitGameClosesTheWindow) {
    click(*button(menu(), "Exit game"));
    EXPECT_FALSE(game.window->isOpen());
}

} // namespace
