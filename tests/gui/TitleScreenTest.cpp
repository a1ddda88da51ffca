// The title screen: its layout on a narrow screen and its entries.
#include "GuiTestSupport.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/Window.h"

namespace {

using guitest::GuiTest;

class TitleMenu : public GuiTest {
protected:
    TitleMenu() {
        menu.showing = true;
        ui->gameRoot->setVisible(false);
        ui->menuRoot->setVisible(true);
    }
    gui::Widget& rootChild(std::size_t index) { return *ui->menuRoot->children().at(index); }
    void resize(float width, float height) {
        game.uiView = std::make_unique<sf::View>(sf::FloatRect(0.f, 0.f, width, height));
        ui->onResize();
        menu.layout();
    }

    MainMenu menu{*ui};
};

TEST_F(TitleMenu, ArtIsCentredAndCutOffOnANarrowScreen) {
    resize(400, 300);
    // city, title, separator, subtitle, event caption, version caption, window
    EXPECT_EQ(rootChild(0).position(), sf::Vector2i(-200, 60));
    EXPECT_EQ(rootChild(0).size(), sf::Vector2i(640, 320));
    EXPECT_EQ(rootChild(1).position(), sf::Vector2i(-56, 8));
    EXPECT_EQ(rootChild(3).position(), sf::Vector2i(40, 104));
    EXPECT_EQ(rootChild(4).position(), sf::Vector2i(10, 284));
    EXPECT_EQ(rootChild(5).position(), sf::Vector2i(290, 284));
    EXPECT_EQ(menu.welcomeWindow()->position(), sf::Vector2i(130, 123));
}

TEST_F(TitleMenu, EntriesCallTheGameHooks) {
    std::vector<std::string> calls;
    menu.onStartNewGame = [&calls] { calls.push_back("new"); };
    menu.onExit = [&calls] { calls.push_back("exit"); };
    const sf::Vector2i window = menu.welcomeWindow()->position();
    click(window + sf::Vector2i(20, 25));  // Start new game
    click(window + sf::Vector2i(20, 50));  // Load game: no hook yet, nothing happens
    click(window + sf::Vector2i(20, 105)); // Exit game
    EXPECT_EQ(calls, (std::vector<std::string>{"new", "exit"}));
    const auto& entries = menu.welcomeWindow()->children();
    auto* first = dynamic_cast<gui::Button*>(entries.at(2).get());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size(), sf::Vector2i(124, 23));
    EXPECT_EQ(first->label()->text(), "Start new game");
}

} // namespace
