// Buttons, check boxes and windows as the player uses them: clicks that count, clicks
// that are cancelled, right clicks, disabled and hidden buttons and the window's barrier.
#include "GuiTestSupport.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
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

TEST_F(Buttons, OnlyAPressAndReleaseOnTheSameButtonClicks) {
    gui::Button* a = button({10, 10, 50, 20}, clicksA, rightA);
    button({100, 10, 50, 20}, clicksB, rightB);
    const struct {
        sf::Vector2i from, to;
        sf::Mouse::Button button;
        int clicks, rightClicks;
    } cases[] = {
        {{20, 20}, {20, 20}, sf::Mouse::Left, 1, 0},
        {{20, 20}, {20, 20}, sf::Mouse::Right, 0, 1},
        {{20, 20}, {80, 20}, sf::Mouse::Left, 0, 0},  // moved off
        {{20, 20}, {110, 20}, sf::Mouse::Left, 0, 0}, // released on another button
    };
    for (const auto& c : cases) {
        clicksA = rightA = clicksB = rightB = 0;
        clickFromTo(c.from, c.to, c.button);
        EXPECT_EQ(clicksA, c.clicks) << c.to.x << " " << c.button;
        EXPECT_EQ(rightA, c.rightClicks) << c.to.x << " " << c.button;
        EXPECT_EQ(clicksB + rightB, 0) << c.to.x << " " << c.button;
        EXPECT_FALSE(a->held());
    }
}

// A disabled button shows its disabled sprite and ignores clicks, but still keeps them
// from the map; a hidden one keeps nothing.
TEST_F(Buttons, DisabledAndHiddenButtons) {
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
    EXPECT_EQ(b->icon()->position(), sf::Vector2i(4, 4)); // 15 x 9 centred in 23 x 18
    EXPECT_EQ(ui->findWidgetAt({15, 15}), b);

    b->setEnabled(true);
    b->setVisible(false);
    mouse = {15, 15};
    EXPECT_TRUE(ui->handleEvent(mouseEvent(sf::Event::MouseButtonPressed)));
    EXPECT_EQ(ui->findWidgetAt({15, 15}), ui->gameRoot.get());
}

// A window keeps left presses from the buttons below it; right clicks go through.
TEST_F(Buttons, WindowBarrierStopsOnlyLeftPresses) {
    gui::Button* under = button({10, 10, 50, 20}, clicksA, rightA);
    gui::Window* window = ui->gameRoot->add(ui->createWindow({0, 0, 100, 100}, "", false));
    click({20, 20});
    EXPECT_EQ(clicksA, 0);
    click({20, 20}, sf::Mouse::Right);
    EXPECT_EQ(rightA, 1);
    EXPECT_FALSE(under->held());

    game.scale = 2; // the barrier reads the event's window pixels
    mouse = {20, 20};
    bool handled = false;
    EXPECT_TRUE(window->handleEvent(mouseEvent(sf::Event::MouseButtonPressed), handled));
    mouse = {150, 150};
    EXPECT_FALSE(window->handleEvent(mouseEvent(sf::Event::MouseButtonPressed), handled));
}

TEST_F(Buttons, CheckBoxReportsTheNewStatePerButton) {
    gui::CheckBox* box = ui->gameRoot->add(ui->createCheckBox({10, 10}, "Music"));
    EXPECT_EQ(box->height(), 9);
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

// Row 14 (the box's middle) from x = 8: the outline lies outside the 9 x 9 paper square,
// and a ring of paper parts it from the checked mark.
TEST_F(Buttons, CheckBoxOutlineLiesOutsideTheSquare) {
    gui::CheckBox* box = ui->gameRoot->add(ui->createCheckBox({10, 10}, ""));
    for (const auto& [checked, row] :
         {std::pair{false, ".IPPPPPPPPPI."}, std::pair{true, ".IPIIIIIIIPI."}}) {
        box->checked = checked;
        sf::RenderTexture target;
        ASSERT_TRUE(target.create(32, 32));
        target.clear(sf::Color::Transparent);
        box->draw(target, 0.f);
        target.display();
        const sf::Image shot = target.getTexture().copyToImage();
        std::string seen;
        for (unsigned x = 8; x < 21; ++x) {
            const sf::Color pixel = shot.getPixel(x, 14);
            seen += pixel == game.inkColor ? 'I' : pixel == game.paperColor ? 'P' : '.';
        }
        EXPECT_EQ(seen, row);
        EXPECT_EQ(shot.getPixel(14, 9), game.inkColor); // the top edge, a row above the box
    }
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
}

} // namespace
