#include "city/City.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "game/StartedGame.h"
#include "gui/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "gui/Window.h"
#include "platform/Config.h"
#include "platform/TestFolders.h"

#include <gtest/gtest.h>

namespace {

class GameTitleScreen : public StartedGame {
protected:
    // The message boxes open in the in-game root, newest last.
    std::vector<gui::Window*> messageBoxes() const {
        std::vector<gui::Window*> boxes;
        for (const auto& child : game.ui->gameRoot->children())
            if (child->kind() == gui::WidgetKind::Window && child->visible())
                boxes.push_back(static_cast<gui::Window*>(child.get()));
        return boxes;
    }
};

} // namespace

TEST_F(GameTitleScreen, StartUpShowsTheTitleScreenAndNotTheCity) {
    EXPECT_TRUE(game.mainMenu->showing);
    EXPECT_TRUE(game.ui->menuRoot->visible());
    EXPECT_FALSE(game.ui->gameRoot->visible());
}

TEST_F(GameTitleScreen, NewGameLeavesItAndTheWelcomeBoxLeadsToTheInfoBox) {
    const std::size_t before = messageBoxes().size();
    game.mainMenu->onStartNewGame();
    EXPECT_FALSE(game.mainMenu->showing);
    EXPECT_TRUE(game.ui->gameRoot->visible());
    EXPECT_EQ(game.simulation->city->budgetNow(), 25000);

    std::vector<gui::Window*> boxes = messageBoxes();
    ASSERT_EQ(boxes.size(), before + 1);
    boxes.back()->fireResult(gui::Window::Closed);
    boxes = messageBoxes();
    EXPECT_EQ(boxes.size(), before + 2); // the Info box opens; closing hides the first later
}

TEST_F(GameTitleScreen, BackToTheTitleScreenDropsTheArmedAction) {
    game.mainMenu->onStartNewGame();
    game.simulation->actionTileNumber = 7;
    game.showMainMenu();
    EXPECT_TRUE(game.mainMenu->showing);
    EXPECT_EQ(game.simulation->actionTileNumber, -1);
    game.mainMenu->onExit();
    EXPECT_FALSE(game.window->isOpen());
}
