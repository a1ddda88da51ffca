#include "screens/Hud.h"

#include "assets/SoundManager.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/Request.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/Game.h"
#include "game/MapRenderer.h"
#include "game/StartedGame.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/MainMenu.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "platform/Config.h"
#include "screens/AboutWindow.h"
#include "screens/CityInfoWindow.h"
#include "screens/GameMenu.h"
#include "screens/ScreenWindow.h"
#include "screens/TileInfoWindow.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

TEST(HudReadouts, DateCountsThirtyDayMonthsAndYearsFromOne) {
    const struct {
        int day;
        const char* shown;
    } cases[] = {{0, "01/01 Y1"},   {29, "30/01 Y1"},    {30, "01/02 Y1"},
                 {269, "30/09 Y1"}, {270, "01/10 Y1"},   {359, "30/12 Y1"},
                 {360, "01/01 Y2"}, {3609, "10/01 Y11"}, {3960, "01/01 Y12"}};
    for (const auto& c : cases)
        EXPECT_EQ(Hud::formatDate(c.day), c.shown) << c.day;
}

TEST(HudReadouts, MoneyIsCutTowardZeroAndStaysANumber) {
    constexpr double Huge = 1e300;
    const struct {
        double value;
        const char* shown;
    } cases[] = {{-0.5, "0"},
                 {12345.9, "12345"},
                 {-12345.9, "-12345"},
                 {25000, "25000"},
                 {Huge, "2147483647"},
                 {-Huge, "-2147483648"},
                 {std::numeric_limits<double>::quiet_NaN(), "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(Hud::formatWhole(c.value), c.shown) << c.value;
}

TEST(HudReadouts, ProgressIsAFractionOfTheClicksNeededWithinTheBar) {
    const struct {
        double progress;
        unsigned needed;
        int percent;
    } cases[] = {{0, 25, 0},    {24, 25, 96}, {1, 3, 33}, {25, 25, 100},
                 {40, 25, 100}, {-2, 25, 0},  {5, 0, 0},  {0, 0, 0}};
    for (const auto& c : cases) {
        const float fraction = Hud::progressFraction(c.progress, c.needed);
        EXPECT_GE(fraction, 0.f);
        EXPECT_LE(fraction, 1.f);
        EXPECT_EQ(Hud::progressPercent(fraction), c.percent) << c.progress << "/" << c.needed;
    }
}

// A new city on the generated data in a 1280 x 720 window (UI 640 x 360), without the
// welcome box, and a mouse moved by the test.
class HudGame : public StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        game.ui->mouseSource = [this] { return mouse; };
        game.simulation->startNewGame();
        game.simulation->drainRequests([this](const Request& request) {
            if (request.kind != RequestKind::ShowMessage)
                game.carryOut(request);
        });
        ASSERT_FALSE(game.mainMenu->showing);
    }

    Hud& hud() { return *game.hud; }
    Simulation& sim() { return *game.simulation; }

    // What the frame loop does after the events of a frame.
    void carryOut() {
        sim().drainRequests([this](const Request& request) { game.carryOut(request); });
    }
    void finishTick() {
        sim().waitForTick([this](const Request& request) { game.carryOut(request); });
    }
    void frame(float seconds) {
        game.frameTime = seconds;
        game.ui_update();
    }

    // A press and release in the middle of the widget, through the game's event path.
    void click(const gui::Widget& widget, sf::Mouse::Button button = sf::Mouse::Left) {
        mouse = widget.getAbsolutePosition() + widget.size() / 2;
        for (const auto type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased}) {
            sf::Event event;
            event.type = type;
            event.mouseButton = {button, mouse.x * game.scale, mouse.y * game.scale};
            game.handleEvent(event);
        }
        carryOut();
    }
    void key(sf::Keyboard::Key code, bool alt = false) {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, alt, false, false, false};
        game.handleEvent(event);
        carryOut();
    }

    // Arms the first action of a visible tile beside the first road.
    void armAction() {
        for (const Tile* tile : sim().map->visibleTiles())
            if (!tile->actions.empty() && tile->kind == TileKind::Empty) {
                ASSERT_TRUE(sim().buyAction(tile->number, 0));
                carryOut();
                return;
            }
        FAIL() << "no tile offers an action";
    }

    std::vector<gui::Window*> messageBoxes() const {
        std::vector<gui::Window*> boxes;
        for (const auto& child : game.ui->gameRoot->children())
            if (child->id == gui::DialogWindowId)
                boxes.push_back(static_cast<gui::Window*>(child.get()));
        return boxes;
    }

    void resizeUi(float width, float height) {
        game.uiView = std::make_unique<sf::View>(sf::FloatRect(0.f, 0.f, width, height));
        game.relayout();
    }

    sf::Vector2i mouse;
};

struct Placement {
    const char* name;
    const gui::Widget* widget;
    sf::Vector2i at;
    sf::Vector2i size;
};

// The widgets whose places depend on the screen size, plus the side column's ends.
void expectHudPlaced(const Hud& hud, int w, int h) {
    const int t = (h - 200) / 2;
    const Placement placements[] = {
        {"date slot", hud.dateSlot, {w - 109, 4}, {102, 24}},
        {"progress button", hud.actionProgressButton, {(w - 46) / 2, h - 50}, {46, 23}},
        {"date button", hud.dateButton, {w - 137, 8}, {23, 18}},
        {"action title", hud.actionTitleText, {(w - 160) / 2, h - 87}, {160, 8}},
        {"progress bar", hud.actionProgressBar, {(w - 170) / 2, h - 75}, {170, 6}},
        {"badge", hud.badge(), {(w - 25) / 2, h - 72}, {25, 12}},
        {"build", hud.side(Hud::Side::Build), {7, t}, {23, 23}},
        {"production", hud.side(Hud::Side::Production), {7, t + 108}, {23, 23}},
        {"city", hud.side(Hud::Side::City), {7, t + 162}, {23, 23}},
        {"menu", hud.menuButton, {7, t + 189}, {23, 18}},
        {"cancel", hud.cancelActionButton, {7, t + 217}, {23, 18}},
        {"rotate left", hud.rotateLeftButton, {w - 30, h / 2 - 25}, {23, 23}},
        {"rotate right", hud.rotateRightButton, {w - 30, h / 2 + 2}, {23, 23}},
        {"build options", hud.buildOptionsPanel, {w - 107, h - 57}, {100, 35}},
        {"population options", hud.populationOptionsPanel, {w - 107, h - 81}, {100, 59}}};
    for (const Placement& p : placements) {
        EXPECT_EQ(p.widget->position(), p.at) << p.name;
        EXPECT_EQ(p.widget->size(), p.size) << p.name;
    }
}

// Puts a bare window into a screen's slot, as its own open would, at the top left.
gui::Window& fillSlot(Game& game, ScreenWindow& screen) {
    screen.window = game.ui->gameRoot->add(game.ui->createWindow({{0, 0}, {10, 10}}, "", true));
    return *screen.window;
}

TEST_F(HudGame, LayoutFollowsTheScreenSizeWithTheOpenWindows) {
    // Sizes and vertical shares (0.5 centred, 0.85 low) of windows open in a game.
    const struct {
        ScreenWindow* screen;
        sf::Vector2i size;
        double share;
    } windows[] = {{game.menuWindow.get(), {140, 205}, 0.5},
                   {game.tileInfoWindow.get(), {220, 108}, 0.85},
                   {game.cityInfoWindow.get(), {250, 290}, 0.5},
                   {game.aboutWindow.get(), {310, 280}, 0.5}};
    for (const auto& w : windows)
        fillSlot(game, *w.screen);
    for (const sf::Vector2i screen : {sf::Vector2i(960, 540), sf::Vector2i(640, 360)}) {
        SCOPED_TRACE(screen.x);
        resizeUi(float(screen.x), float(screen.y));
        expectHudPlaced(hud(), screen.x, screen.y);
        for (const auto& w : windows) {
            const sf::Vector2i room = screen - w.size;
            const int y = w.share == 0.5 ? room.y / 2 : static_cast<int>(w.share * room.y);
            EXPECT_EQ(w.screen->window->position(), sf::Vector2i(room.x / 2, y));
        }
    }
}

TEST_F(HudGame, AltReturnLaysOutTheHudTheWindowsAndTheTitleScreen) {
    gui::Window& about = fillSlot(game, *game.aboutWindow);
    // Leaving fullscreen for a 960 x 540 window: scale 1, so the UI is 960 x 540.
    game.config->set("isFullscreen", "true");
    game.config->set("width", "960");
    game.config->set("height", "540");
    key(sf::Keyboard::Return, true);
    ASSERT_TRUE(game.recreateWindowRequested);
    game.createWindow();
    ASSERT_EQ(game.ui->screenSize(), sf::Vector2i(960, 540));

    expectHudPlaced(hud(), 960, 540);
    EXPECT_EQ(about.position(), sf::Vector2i((960 - 310) / 2, (540 - 280) / 2));
    const gui::Window& welcome = *game.mainMenu->welcomeWindow();
    EXPECT_EQ(welcome.position().x, (960 - welcome.width()) / 2);
    EXPECT_EQ(welcome.position().y, static_cast<int>(0.85 * (540 - welcome.height())));
}

TEST_F(HudGame, AnArmedActionShowsItsProgressInPlaceOfTheDateButton) {
    const auto actionShown = [this] {
        return std::vector<bool>{hud().actionTitleText->visible(),
                                 hud().actionProgressButton->visible(),
                                 hud().actionProgressBar->visible(),
                                 hud().cancelActionButton->visible(), !hud().dateButton->visible()};
    };
    EXPECT_EQ(actionShown(), std::vector<bool>(5, false));
    armAction();
    EXPECT_EQ(actionShown(), std::vector<bool>(5, true));
    EXPECT_EQ(hud().actionTitleText->text(), actionNames[static_cast<int>(sim().actionKind)]);

    sim().clicksNeeded = 25;
    sim().progress = 24;
    sim().city->setBudget(-0.5);
    sim().dayCounter = 359;
    sf::RenderTexture canvas;
    ASSERT_TRUE(canvas.create(640, 360));
    canvas.setView(*game.uiView);
    canvas.clear(game.paperColor);
    game.hud->update(canvas);
    canvas.display();
    const sf::Image shot = canvas.getTexture().copyToImage();
    EXPECT_EQ(hud().progressPercentText->text(), "96%");
    EXPECT_EQ(hud().budgetText->text(), "0");
    EXPECT_EQ(hud().dateText->text(), "30/12 Y1");
    // The fill covers 96 % of the 160-pixel trough on its two rows.
    const sf::Vector2i bar = hud().actionProgressBar->getAbsolutePosition();
    const int filled = static_cast<int>(160 * 0.96f);
    for (const int x : {0, filled / 2, filled - 1})
        for (const int row : {2, 3})
            EXPECT_EQ(shot.getPixel(bar.x + 5 + x, bar.y + row), game.inkColor) << x;
    EXPECT_NE(shot.getPixel(bar.x + 5 + filled, bar.y + 2), game.inkColor);

    const double budget = sim().city->budgetNow();
    click(*hud().cancelActionButton);
    EXPECT_EQ(sim().actionKind, ActionKind::None);
    EXPECT_GT(sim().city->budgetNow(), budget);
    EXPECT_EQ(actionShown(), std::vector<bool>(5, false));
}

TEST_F(HudGame, ActionClickRestsTheDateButtonForHalfASecondWhateverTheTickSays) {
    armAction();
    const double before = sim().progress;
    click(*hud().actionProgressButton);
    EXPECT_GT(sim().progress, before);
    for (const bool enabledAfter : {false, true}) {
        game.ui_setDateButtonEnabled(true);
        EXPECT_FALSE(hud().dateButton->enabled());
        frame(0.3f);
        EXPECT_EQ(hud().dateButton->enabled(), enabledAfter);
    }
}

class HudDateButton : public HudGame {
protected:
    void SetUp() override {
        HudGame::SetUp();
        game.config->set("sfxEnabled", "true");
        // Long silent sounds stay Playing however slowly the test runs.
        std::vector<sf::Int16> silence(44100 * 10, 0);
        ASSERT_TRUE(longSilence.loadFromSamples(silence.data(), silence.size(), 1, 44100));
        for (const char* name : {"tick", "tock"})
            game.soundManager->getSound(name)->setBuffer(longSilence);
    }
    void TearDown() override { stopSounds(); }
    void stopSounds() {
        for (const char* name : {"tick", "tock"})
            game.soundManager->getSound(name)->stop();
    }

    // Which of the two sounds a date click plays; waits for the day's tick.
    std::string clickDate() {
        stopSounds();
        click(*hud().dateButton);
        finishTick();
        std::string played;
        for (const char* name : {"tick", "tock"})
            if (game.soundManager->getSound(name)->getStatus() == sf::Sound::Playing)
                played += name;
        return played;
    }

    sf::SoundBuffer longSilence;
};

TEST_F(HudDateButton, AClickWithinHalfASecondOfATickSoundsTock) {
    EXPECT_EQ(clickDate(), "tick");
    frame(0.3f);
    EXPECT_EQ(clickDate(), "tock");
    EXPECT_EQ(clickDate(), "tick");
    frame(0.6f);
    EXPECT_EQ(clickDate(), "tick");
    EXPECT_EQ(sim().dayCounter, 4);
}

TEST_F(HudDateButton, AYearEndRestsTheButtonForASecond) {
    sim().dayCounter = 358;
    clickDate();
    EXPECT_TRUE(hud().dateButton->enabled()); // the released tick switched it back on
    clickDate();
    EXPECT_EQ(sim().dayCounter, 360);
    game.ui_setDateButtonEnabled(true);
    for (const bool enabledAfter : {false, true}) {
        EXPECT_FALSE(hud().dateButton->enabled());
        frame(0.6f);
        EXPECT_EQ(hud().dateButton->enabled(), enabledAfter);
    }
}

TEST_F(HudGame, EachLayerShowsItsTitleAndOnlyItsOptionPanelByButtonOrKey) {
    const struct {
        Hud::Side button;
        sf::Keyboard::Key key;
        int layer;
        const char* title;
        bool buildPanel, populationPanel;
    } layers[] = {
        {Hud::Side::Ratings, sf::Keyboard::Num2, 2, layerTitleAttractiveness, false, false},
        {Hud::Side::Population, sf::Keyboard::Num3, 1, layerTitlePopulation, false, true},
        {Hud::Side::Needs, sf::Keyboard::Num4, 3, layerTitleNeeds, false, false},
        {Hud::Side::Build, sf::Keyboard::Num1, 0, layerTitleBuild, true, false}};
    for (const bool byKey : {false, true})
        for (const auto& c : layers) {
            SCOPED_TRACE(c.title);
            byKey ? key(c.key) : click(*hud().side(c.button));
            EXPECT_EQ(sim().map->layer, c.layer);
            EXPECT_EQ(game.ui->statusText, c.title);
            EXPECT_EQ(hud().buildOptionsPanel->visible(), c.buildPanel);
            EXPECT_EQ(hud().populationOptionsPanel->visible(), c.populationPanel);
        }
}

TEST_F(HudGame, ThePopulationHintOpensOncePerGame) {
    const std::size_t before = messageBoxes().size();
    click(*hud().side(Hud::Side::Population));
    ASSERT_EQ(messageBoxes().size(), before + 1);
    EXPECT_EQ(messageBoxes().back()->titleBar()->title(), "RESIDENTS"); // shown in capitals
    messageBoxes().back()->close();
    click(*hud().side(Hud::Side::Population));
    EXPECT_EQ(messageBoxes().size(), before);

    sim().startNewGame();
    carryOut();
    const std::size_t welcomed = messageBoxes().size();
    click(*hud().side(Hud::Side::Population));
    EXPECT_EQ(messageBoxes().size(), welcomed + 1);
}

TEST_F(HudGame, OptionBoxesAndTheMapAgreeAndRightClickShowsOnlyThatGroup) {
    click(*hud().side(Hud::Side::Population));
    for (gui::Window* box : messageBoxes())
        box->close();
    const MapRenderer& map = *game.mapRenderer;
    gui::CheckBox& housing = *hud().filterBox(Hud::Filter::Housing);
    gui::CheckBox& shops = *hud().filterBox(Hud::Filter::Shops);
    gui::CheckBox& jobs = *hud().filterBox(Hud::Filter::Jobs);
    const auto shown = [&] {
        return std::vector<bool>{map.showHousing, map.showShops, map.showJobs,
                                 housing.checked, shops.checked, jobs.checked};
    };
    const struct {
        gui::CheckBox* box;
        sf::Mouse::Button button;
        std::vector<bool> after; // the map's housing, shops, jobs, then the boxes
    } clicks[] = {{&jobs, sf::Mouse::Left, {1, 1, 0, 1, 1, 0}},
                  {&shops, sf::Mouse::Right, {0, 1, 0, 0, 1, 0}},
                  {&shops, sf::Mouse::Right, {0, 1, 0, 0, 1, 0}},
                  {&housing, sf::Mouse::Right, {1, 0, 0, 1, 0, 0}},
                  {&jobs, sf::Mouse::Right, {0, 0, 1, 0, 0, 1}}};
    for (const auto& c : clicks) {
        click(*c.box, c.button);
        EXPECT_EQ(shown(), c.after) << c.box->label();
    }
    click(*hud().side(Hud::Side::Needs));
    EXPECT_EQ(shown(), std::vector<bool>(6, true));

    click(*hud().side(Hud::Side::Build));
    gui::CheckBox& hide = *hud().hideBuildingsCheckBox;
    for (const auto button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Right}) {
        click(hide, button);
        EXPECT_EQ(game.mapRenderer->showBuildings, !hide.checked);
    }
    click(*hud().side(Hud::Side::Build));
    EXPECT_FALSE(hide.checked);
    EXPECT_TRUE(game.mapRenderer->showBuildings);
}

} // namespace
