// Buttons, check boxes, images and windows as the player uses them: clicks that count,
// clicks that are cancelled, right clicks, disabled buttons and the window's barrier.
#include "GuiTestSupport.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/Panel.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/Window.h"

namespace {

using guitest::GuiTest;

class Buttons : public GuiTest {
protected:
    gui::Button* button(sf::IntRect rect, int& clicks, int& rightClicks) {
        gui::Button* b = ui->gameRoot->add(ui->createButton(rect, "Go"));
        b->onClick = [&clicks] { ++clicks; };
        b->onRightClick = [&rightClicks] { ++rightClicks; };
        return b;
    }

    int clicksA = 0, rightA = 0, clicksB = 0, rightB = 0;
};

TEST_F(Buttons, PressAndReleaseInsideClicks) {
    gui::Button* a = button({10, 10, 50, 20}, clicksA, rightA);
    mouse = {20, 20};
    ui->handleEvent(mouseEvent(sf::Event::MouseButtonPressed));
    EXPECT_TRUE(a->held());
    EXPECT_EQ(clicksA, 0);
    ui->handleEvent(mouseEvent(sf::Event::MouseButtonReleased));
    EXPECT_FALSE(a->held());
    EXPECT_EQ(clicksA, 1);
    EXPECT_EQ(rightA, 0);
}

TEST_F(Buttons, MovingOutOrReleasingOnAnotherButtonCancels) {
    button({10, 10, 50, 20}, clicksA, rightA);
    button({100, 10, 50, 20}, clicksB, rightB);
    clickFromTo({20, 20}, {80, 20});
    clickFromTo({20, 20}, {110, 20});
    EXPECT_EQ(clicksA + clicksB, 0);
}

TEST_F(Buttons, RightClickRunsOnlyTheRightCallback) {
    button({10, 10, 50, 20}, clicksA, rightA);
    click({20, 20}, sf::Mouse::Right);
    EXPECT_EQ(rightA, 1);
    EXPECT_EQ(clicksA, 0);
    click({20, 20});
    EXPECT_EQ(clicksA, 1);
}

TEST_F(Buttons, HoverSwitchesTheTextButtonFrame) {
    gui::Button* a = button({10, 10, 50, 20}, clicksA, rightA);
    sf::Event moved{};
    moved.type = sf::Event::MouseMoved;
    mouse = {15, 15};
    ui->handleEvent(moved);
    EXPECT_TRUE(a->hover());
    EXPECT_TRUE(a->frame()->showAlternate);
    mouse = {5, 5};
    ui->handleEvent(moved);
    EXPECT_FALSE(a->frame()->showAlternate);
}

TEST_F(Buttons, DisabledIconButtonShowsItsDisabledSpriteAndIgnoresClicks) {
    gui::Button* b = ui->gameRoot->add(ui->createIconButton({10, 10, 23, 18}, "ui/date_button"));
    const sf::Sprite* disabled = ui->sprite("ui/date_button_disabled");
    b->setIcon(ui->sprite("ui/date_button"), disabled);
    b->onClick = [this] { ++clicksA; };
    b->setEnabled(false);
    click({15, 15});
    EXPECT_EQ(clicksA, 0);
    EXPECT_FALSE(b->held());
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    b->draw(target, 0.f);
    EXPECT_EQ(b->icon()->sprite(), disabled);
    // 15 x 9 icon centred in 23 x 18.
    EXPECT_EQ(b->icon()->position(), sf::Vector2i(4, 4));
    // A disabled button still keeps the click from the map.
    EXPECT_EQ(ui->findWidgetAt({15, 15}), b);
}

TEST_F(Buttons, HiddenButtonDoesNotKeepClicksFromTheMap) {
    gui::Button* a = button({10, 10, 50, 20}, clicksA, rightA);
    a->setVisible(false);
    mouse = {20, 20};
    EXPECT_TRUE(ui->handleEvent(mouseEvent(sf::Event::MouseButtonPressed)));
    EXPECT_EQ(ui->findWidgetAt({20, 20}), ui->gameRoot.get());
}

TEST_F(Buttons, ButtonUnderAWindowDoesNotTakeThePress) {
    button({10, 10, 50, 20}, clicksA, rightA);
    ui->gameRoot->add(ui->createWindow({0, 0, 100, 100}, "", false));
    click({20, 20});
    EXPECT_EQ(clicksA, 0);
}

TEST_F(Buttons, WindowBarrierStopsOnlyLeftPresses) {
    gui::Button* under = button({10, 10, 50, 20}, clicksA, rightA);
    gui::Window* window = ui->gameRoot->add(ui->createWindow({0, 0, 100, 100}, "", false));
    game.scale = 2; // the barrier reads the event's window pixels
    mouse = {20, 20};
    bool handled = false;
    EXPECT_TRUE(window->handleEvent(mouseEvent(sf::Event::MouseButtonPressed), handled));
    EXPECT_FALSE(
        window->handleEvent(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::Right), handled));
    mouse = {150, 150};
    EXPECT_FALSE(window->handleEvent(mouseEvent(sf::Event::MouseButtonPressed), handled));
    // A right click goes through the window to the button below.
    click({20, 20}, sf::Mouse::Right);
    EXPECT_EQ(rightA, 1);
    EXPECT_FALSE(under->held());
}

TEST_F(Buttons, CheckBoxReportsTheNewStatePerButton) {
    gui::CheckBox* box = ui->gameRoot->add(ui->createCheckBox({10, 10}, "Music"));
    EXPECT_EQ(box->height(), 9);
    EXPECT_GT(box->width(), 13);
    std::vector<std::string> calls;
    box->onToggle = [&calls](bool on) { calls.push_back(on ? "left on" : "left off"); };
    box->onRightToggle = [&calls](bool on) { calls.push_back(on ? "right on" : "right off"); };
    click({12, 12});
    click({12, 12}, sf::Mouse::Right);
    click({12, 12}, sf::Mouse::Middle);
    EXPECT_EQ(calls, (std::vector<std::string>{"left on", "right off"}));
    EXPECT_TRUE(box->checked);
    box->setEnabled(false);
    click({12, 12});
    EXPECT_TRUE(box->checked);
}

TEST_F(Buttons, WindowTitleAndResults) {
    std::unique_ptr<gui::Window> window = ui->createWindow({0, 0, 100, 80}, "", true);
    EXPECT_FALSE(window->titleBar()->visible());
    window->setTitle("Welcome!");
    EXPECT_TRUE(window->titleBar()->visible());
    EXPECT_EQ(window->titleBar()->title(), "WELCOME!");
    window->fireResult(gui::Window::No); // no callbacks: nothing happens
    std::vector<std::string> calls;
    window->onChoice = [&calls](bool yes) { calls.push_back(yes ? "yes" : "no"); };
    window->onClose = [&calls] { calls.push_back("close"); };
    for (int result : {2, 1, 0, 7})
        window->fireResult(result);
    EXPECT_EQ(calls, (std::vector<std::string>{"no", "yes", "close"}));
    window->setWidth(150);
    window->setHeight(60, true);
    EXPECT_EQ(window->body()->size(), sf::Vector2i(150, 60));
    EXPECT_EQ(window->titleBar()->width(), 140);
}

TEST_F(Buttons, ImageTakesItsSpriteSize) {
    const std::unique_ptr<gui::Image> image = ui->createImage({5, 5, 100, 100}, "ui/crime_icon");
    EXPECT_EQ(image->size(), sf::Vector2i(9, 9));
    const std::unique_ptr<gui::Image> none = ui->createImage({5, 5, 100, 100}, "");
    EXPECT_EQ(none->size(), sf::Vector2i(0, 0)); // an unknown name is an empty sprite
}

} // namespace
