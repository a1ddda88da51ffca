// The UI object: message boxes, dialog buttons and which events the map may have.
#include "GuiTestSupport.h"
#include "gui/Button.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/Window.h"

namespace {

using guitest::GuiTest;

class Dialogs : public GuiTest {
protected:
    gui::Button* buttonWithId(gui::Window& window, std::int32_t id) {
        for (const auto& child : window.children())
            if (child->id == id)
                return dynamic_cast<gui::Button*>(child.get());
        return nullptr;
    }
    sf::Vector2i centreOf(const gui::Widget& widget) {
        return widget.getAbsolutePosition() + widget.size() / 2;
    }
    const std::string text = "Your city doesn't have enough budget for this.";
};

TEST_F(Dialogs, MessageGeometryWithAndWithoutTitle) {
    gui::Window* titled = ui->showMessage("Oh no.", text, false);
    gui::Window* bare = ui->showMessage("", text, false);
    auto* titledBody = dynamic_cast<gui::Text*>(titled->children().back().get());
    auto* bareBody = dynamic_cast<gui::Text*>(bare->children().back().get());
    ASSERT_TRUE(titledBody && bareBody);
    const int textHeight = titledBody->getTextSize().y;
    EXPECT_EQ(textHeight, 18); // two lines of the body width less 12
    EXPECT_EQ(titledBody->position(), sf::Vector2i(9, 20));
    EXPECT_EQ(bareBody->position(), sf::Vector2i(9, 12));
    EXPECT_EQ(titled->size(), sf::Vector2i(200, 51 + textHeight));
    EXPECT_EQ(bare->height(), titled->height() - 26);
    EXPECT_EQ(titled->position(), sf::Vector2i(220, (360 - 69) / 2));
    gui::Button* okay = buttonWithId(*titled, gui::CloseButtonId);
    ASSERT_TRUE(okay);
    EXPECT_EQ(okay->position(), sf::Vector2i(50, 69 - 12));
    EXPECT_EQ(titled->parent(), ui->gameRoot.get());
}

TEST_F(Dialogs, YesChoosesThenClosesAndTheWindowGoesAtTheNextDraw) {
    gui::Window* question = ui->showMessage("Overwrite?", "Really?", true);
    std::vector<std::string> calls;
    question->onChoice = [&calls](bool yes) { calls.push_back(yes ? "yes" : "no"); };
    question->onClose = [&calls] { calls.push_back("close"); };
    gui::Button* yes = buttonWithId(*question, gui::YesButtonId);
    gui::Button* no = buttonWithId(*question, gui::NoButtonId);
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(yes->position(), sf::Vector2i(40, question->height() - 13));
    EXPECT_EQ(no->position(), sf::Vector2i(102, question->height() - 13));
    click(centreOf(*yes));
    EXPECT_EQ(calls, (std::vector<std::string>{"yes", "close"}));
    EXPECT_EQ(question->parent(), nullptr);
    EXPECT_EQ(ui->gameRoot->children().size(), 1u); // the status line only
}

TEST_F(Dialogs, OnlyClicksOverTheBareRootReachTheMap) {
    bool dragStopped = false;
    ui->stopDragging = [&dragStopped] { dragStopped = true; };
    ui->gameRoot->add(ui->createWindow({100, 100, 100, 50}, "", false));
    ui->gameRoot->add(ui->createText({300, 10, 50, 10}, "Label"));
    const struct {
        sf::Vector2i at;
        sf::Event::EventType type;
        bool toMap;
    } cases[] = {
        {{10, 10}, sf::Event::MouseButtonPressed, true},
        {{10, 10}, sf::Event::MouseButtonReleased, true},
        {{150, 120}, sf::Event::MouseButtonPressed, false},
        {{150, 120}, sf::Event::MouseButtonReleased, false},
        {{310, 12}, sf::Event::MouseButtonPressed, false}, // text is a real widget
        {{150, 120}, sf::Event::MouseMoved, true},
        {{150, 120}, sf::Event::GainedFocus, true},
    };
    for (const auto& c : cases) {
        mouse = c.at;
        EXPECT_EQ(ui->handleEvent(mouseEvent(c.type)), c.toMap)
            << c.at.x << "," << c.at.y << " type " << c.type;
    }
    EXPECT_TRUE(dragStopped);
}

TEST_F(Dialogs, MessagesAndEventsGoToTheMenuRootWhileTheMenuShows) {
    MainMenu menu(*ui);
    menu.showing = true;
    gui::Window* box = ui->showMessage("", "Hello", false);
    EXPECT_EQ(box->parent(), ui->menuRoot.get());
    int clicks = 0;
    gui::Button* inGame = ui->gameRoot->add(ui->createButton({0, 0, 40, 20}, "X"));
    inGame->onClick = [&clicks] { ++clicks; };
    click({10, 10});
    EXPECT_EQ(clicks, 0);
}

} // namespace
