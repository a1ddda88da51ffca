#include "screens/Hud.h"

#include "assets/SoundManager.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/Simulation.h"
#include "city/TickTuning.h"
#include "game/Game.h"
#include "game/MapRenderer.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/ScreenWindow.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>

namespace {

constexpr std::uint16_t NumbersFont = 3;
constexpr std::uint16_t SmallFont = 1;

// Read-outs along the top: the number sits right-aligned in the slot, clear of its
// right edge.
constexpr int ReadoutTextInset = 5;
const sf::Vector2i ReadoutSize(95, 24);
const sf::Vector2i BudgetSlotAt(7, 4);
const sf::Vector2i PopulationSlotAt(106, 4);
const sf::Vector2i DateSlotSize(102, 24);
constexpr int DateSlotRight = 109; // from the right edge
constexpr int TopRowY = 4;

const sf::Vector2i SquareButton(23, 23);
const sf::Vector2i FlatButton(23, 18);
const sf::Vector2i WideButton(46, 23);

// The action widgets hang above the status strip, centred.
const sf::Vector2i ActionTitleSize(160, 8);
constexpr int ActionTitleRise = 87;
constexpr int ActionBarRise = 75;
constexpr int ActionButtonRise = 50;
const sf::Vector2i BarSize(170, 6);
// The fill covers the bar's trough.
const sf::Vector2i FillInset(5, 2);
constexpr int FillMargin = 10; // trough width = bar width - margin
constexpr float FillHeight = 2.f;
const sf::Vector2i BadgeSize(25, 12);
constexpr int BadgeDrop = 3; // below the bar's top
const sf::Vector2i BadgeTextAt(0, 1);
const sf::Vector2i BadgeTextSize(26, 12);

constexpr int DateButtonLeft = 137; // from the right edge
constexpr int DateButtonY = 8;
constexpr int RightColumnInset = 30; // from the right edge: menu and rotation buttons
constexpr int RotateRise = 25;       // the left button's top above the middle
constexpr int RotateDrop = 2;        // the right button's top below the middle

// The side column is centred on a 227-pixel block, which keeps the cancel button clear
// of the status strip on a 360-pixel screen; menu and cancel follow the reports.
constexpr int SideColumnX = 7;
constexpr int SideColumnBlock = 227;
constexpr int SideStep = 27;
constexpr int MenuButtonOffset = 216;
constexpr int CancelButtonOffset = 244;

constexpr std::array<const char*, Hud::SideCount> SideSprites = {
    "ui/side_build_button", "ui/side_ratings_button",    "ui/side_population_button",
    "ui/side_needs_button", "ui/side_production_button", "ui/side_finances_button",
    "ui/side_city_button",  "ui/side_history_button"};

// Option panels sit in the lower right corner, above the status strip.
constexpr int PanelRightInset = 7;
constexpr int PanelBottomInset = 22;
const sf::Vector2i BuildPanelSize(100, 35);
const sf::Vector2i PopulationPanelSize(100, 59);
constexpr int CheckBoxX = 8;
constexpr int FirstCheckBoxY = 19;
constexpr int CheckBoxStep = 12;
constexpr std::array<const char*, Hud::FilterCount> FilterLabels = {"Show housing", "Show shops",
                                                                    "Show jobs"};
constexpr std::array<bool MapRenderer::*, Hud::FilterCount> FilterFlags = {
    &MapRenderer::showHousing, &MapRenderer::showShops, &MapRenderer::showJobs};

// Map layers the side buttons and the number keys switch between.
constexpr int BuildLayer = 0;
constexpr int PopulationLayer = 1;
constexpr int AttractivenessLayer = 2;
constexpr int NeedsLayer = 3;

constexpr const char* PopulationHintTitle = "Residents";
constexpr const char* PopulationHintText =
    "This layer displays housing population, shoppers and employment.\n\nYou can toggle each "
    "group of information. Right click on the check-box to quickly show only that information, "
    "hiding others.";

// A quick second click on the date button within this time sounds "tock".
constexpr double TickTockSeconds = 0.5;
// The date button rests after an action click, and longer after a year end, so the
// player does not skip days by accident.
constexpr double ActionClickCooldown = 0.5;
constexpr double YearEndCooldown = 1.0;
constexpr unsigned YearEndedBit = 4; // of advanceDay's result

void place(gui::Widget& widget, sf::Vector2i at, sf::Vector2i size) {
    widget.setPosition(at);
    widget.setWidth(size.x);
    widget.setHeight(size.y, true);
}

// A button the player could click now: shown, with all its ancestors, and enabled.
bool takesPress(const gui::Widget& button) {
    for (const gui::Widget* widget = &button; widget != nullptr; widget = widget->parent())
        if (!widget->visible())
            return false;
    return button.isActive();
}

} // namespace

Hud::Hud(Game& game) : game(game) {}

Hud::~Hud() = default;

std::string Hud::formatDate(int dayCounter) {
    assert(dayCounter >= 0);
    const int day = dayCounter % kDaysPerMonth + 1;
    const int month = dayCounter % kDaysPerYear / kDaysPerMonth + 1;
    const int year = dayCounter / kDaysPerYear + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d Y%d", day, month, year);
    return text;
}

std::string Hud::formatWhole(double value) {
    constexpr double Lowest = std::numeric_limits<int>::min();
    constexpr double Highest = std::numeric_limits<int>::max();
    const double bounded = std::isnan(value) ? 0.0 : std::clamp(value, Lowest, Highest);
    return std::to_string(static_cast<int>(bounded));
}

float Hud::progressFraction(double progress, unsigned clicksNeeded) {
    if (clicksNeeded == 0)
        return 0.f;
    const float fraction = static_cast<float>(progress) / static_cast<float>(clicksNeeded);
    return fraction > 0.f ? std::min(fraction, 1.f) : 0.f;
}

int Hud::progressPercent(float fraction) {
    return static_cast<int>(fraction * 100.f);
}

// --- Building ----------------------------------------------------------------------

void Hud::create() {
    UI& ui = *game.ui;
    root = ui.gameRoot.get();
    budgetText = addReadout(budgetSlot, BudgetSlotAt, "ui/budget_slot");
    populationText = addReadout(populationSlot, PopulationSlotAt, "ui/population_slot");
    // Placed by layout, like everything that follows the screen size.
    dateText = addReadout(dateSlot, {}, "ui/date_slot");
    createActionWidgets();
    menuButton = addButton(FlatButton, "ui/menu_button", [this] { game.ui_showMenu(); });
    rotateRightButton =
        addButton(SquareButton, "ui/rotate_right_button", [this] { game.rotateRight(); });
    rotateLeftButton =
        addButton(SquareButton, "ui/rotate_left_button", [this] { game.rotateLeft(); });
    createSideButtons();
    createOptionPanels();
    layout();
    resetLayerOptions();
}

gui::Text* Hud::addReadout(gui::Image*& slot, sf::Vector2i at, const char* sprite) {
    UI& ui = *game.ui;
    slot = root->add(ui.createImage({at, ReadoutSize}, sprite));
    const sf::Vector2i box(slot->width() - ReadoutTextInset, slot->height());
    gui::Text* const text = slot->add(ui.createText({{}, box}, "", gui::Align::Right));
    text->setFont(NumbersFont);
    return text;
}

gui::Button* Hud::addButton(sf::Vector2i size, const char* sprite, std::function<void()> onClick) {
    gui::Button* const button = root->add(game.ui->createFramedIconButton({{}, size}, sprite));
    button->shadow = true;
    button->onClick = std::move(onClick);
    return button;
}

void Hud::createActionWidgets() {
    UI& ui = *game.ui;
    actionProgressBar = root->add(ui.createImage({{}, BarSize}, "ui/action_progress_bar"));
    actionProgressBar->setVisible(false);
    progressBadge = ui.createImage({{}, BadgeSize}, "ui/build_progress_bg");
    progressPercentText =
        progressBadge->add(ui.createText({BadgeTextAt, BadgeTextSize}, "", gui::Align::Center));
    progressPercentText->setFont(SmallFont);

    actionProgressButton =
        addButton(SquareButton, "ui/action_progress_button", [this] { clickActionProgress(); });
    actionProgressButton->soundName.clear();
    actionProgressButton->setVisible(false);

    actionTitleText = root->add(
        ui.createText({{}, ActionTitleSize}, "Build title goes here", gui::Align::Center));
    actionTitleText->outline = true;
    actionTitleText->setVisible(false);

    dateButton = addButton(FlatButton, "ui/date_button", [this] { clickDate(); });
    dateButton->setIcon(ui.sprite("ui/date_button"), ui.sprite("ui/date_button_disabled"));
    dateButton->soundName.clear();

    cancelActionButton = addButton(FlatButton, "ui/cancel_action_button",
                                   [this] { game.simulation->cancelAction(); });
    cancelActionButton->setVisible(false);
}

void Hud::createSideButtons() {
    const std::array<std::function<void()>, SideCount> actions = {
        [this] { showLayer(BuildLayer, layerTitleBuild); },
        [this] { showLayer(AttractivenessLayer, layerTitleAttractiveness); },
        [this] { showPopulationLayer(); },
        [this] { showLayer(NeedsLayer, layerTitleNeeds); },
        [this] { game.ui_showProduction(); },
        [this] { game.ui_showExpenditure(); },
        [this] { game.ui_showCityInfo(); },
        [this] { game.ui_showHistory(); }};
    for (std::size_t i = 0; i < SideCount; ++i)
        sideButtons[i] = addButton(SquareButton, SideSprites[i], actions[i]);
}

void Hud::createOptionPanels() {
    UI& ui = *game.ui;
    buildOptionsPanel = root->add(ui.createWindow({{}, BuildPanelSize}, "Build options", true));
    hideBuildingsCheckBox =
        addCheckBox(*buildOptionsPanel, FirstCheckBoxY, "Hide buildings", false);
    const auto hide = [this](bool checked) { game.mapRenderer->showBuildings = !checked; };
    hideBuildingsCheckBox->onToggle = hide;
    // A right click toggles the box as well; without this the box and the map disagree.
    hideBuildingsCheckBox->onRightToggle = hide;

    populationOptionsPanel =
        root->add(ui.createWindow({{}, PopulationPanelSize}, "Population options", true));
    for (std::size_t i = 0; i < FilterCount; ++i) {
        gui::CheckBox* const box =
            addCheckBox(*populationOptionsPanel,
                        FirstCheckBoxY + CheckBoxStep * static_cast<int>(i), FilterLabels[i], true);
        box->onToggle = [this, flag = FilterFlags[i]](bool checked) {
            (*game.mapRenderer).*flag = checked;
        };
        box->onRightToggle = [this, which = static_cast<Filter>(i)](bool) { showOnly(which); };
        filterCheckBoxes[i] = box;
    }
}

gui::CheckBox* Hud::addCheckBox(gui::Window& panel, int y, const char* label, bool checked) {
    gui::CheckBox* const box = panel.add(game.ui->createCheckBox({CheckBoxX, y}, label));
    box->checked = checked;
    return box;
}

// --- Layout ------------------------------------------------------------------------

void Hud::layout() {
    const int w = root->width(), h = root->height();
    placeReadouts(w);
    placeActionWidgets(w, h);
    placeSideColumn(w, h);
    placeOptionPanels(w, h);
    for (ScreenWindow* screen : game.screenWindows())
        screen->place();
}

void Hud::placeReadouts(int w) {
    // The budget and population slots keep their places at the left.
    place(*dateSlot, {w - DateSlotRight, TopRowY}, DateSlotSize);
}

void Hud::placeActionWidgets(int w, int h) {
    place(*actionProgressButton, {(w - WideButton.x) / 2, h - ActionButtonRise}, WideButton);
    place(*dateButton, {w - DateButtonLeft, DateButtonY}, FlatButton);
    place(*actionTitleText, {(w - ActionTitleSize.x) / 2, h - ActionTitleRise}, ActionTitleSize);
    const sf::Vector2i bar((w - BarSize.x) / 2, h - ActionBarRise);
    place(*actionProgressBar, bar, BarSize);
    place(*progressBadge, {(w - BadgeSize.x) / 2, bar.y + BadgeDrop}, BadgeSize);
}

void Hud::placeSideColumn(int w, int h) {
    const int top = (h - SideColumnBlock) / 2;
    for (std::size_t i = 0; i < SideCount; ++i)
        place(*sideButtons[i], {SideColumnX, top + SideStep * static_cast<int>(i)}, SquareButton);
    place(*menuButton, {SideColumnX, top + MenuButtonOffset}, FlatButton);
    place(*cancelActionButton, {SideColumnX, top + CancelButtonOffset}, FlatButton);
    place(*rotateLeftButton, {w - RightColumnInset, h / 2 - RotateRise}, SquareButton);
    place(*rotateRightButton, {w - RightColumnInset, h / 2 + RotateDrop}, SquareButton);
}

void Hud::placeOptionPanels(int w, int h) {
    for (gui::Window* panel : {buildOptionsPanel, populationOptionsPanel})
        panel->setPosition(
            {w - PanelRightInset - panel->width(), h - PanelBottomInset - panel->height()}, true);
}

// --- What the widgets do -------------------------------------------------------------

void Hud::setActionTitle(const std::string& title) {
    const bool armed = !title.empty();
    if (armed)
        actionTitleText->setText(title);
    for (gui::Widget* widget : std::initializer_list<gui::Widget*>{
             actionTitleText, actionProgressButton, actionProgressBar, cancelActionButton})
        widget->setVisible(armed);
    dateButton->setVisible(!armed);
}

void Hud::setDateButtonEnabled(bool enabled) {
    if (dateButtonCooldown <= 0.0)
        dateButton->setEnabled(enabled);
}

void Hud::hideActionProgress() {
    actionProgressBar->setVisible(false);
    actionProgressButton->setVisible(false);
}

void Hud::resetLayerOptions() {
    MapRenderer& renderer = *game.mapRenderer;
    renderer.showBuildings = true;
    hideBuildingsCheckBox->checked = false;
    for (std::size_t i = 0; i < FilterCount; ++i) {
        renderer.*FilterFlags[i] = true;
        filterCheckBoxes[i]->checked = true;
    }
    const int layer = game.simulation->map->layer;
    buildOptionsPanel->setVisible(layer == BuildLayer);
    populationOptionsPanel->setVisible(layer == PopulationLayer);
}

// Map::setLayer only stores the layer and posts the panel refresh, and the tick never
// reads the layer, so no lock is needed.
void Hud::showLayer(int layer, const char* title) {
    game.ui->statusText = title;
    game.simulation->map->setLayer(layer);
}

void Hud::showPopulationLayer() {
    showLayer(PopulationLayer, layerTitlePopulation);
    unsigned& hints = game.simulation->hintFlags;
    if (hints & kHintPopulationShown)
        return;
    hints |= kHintPopulationShown;
    game.ui->showMessage(PopulationHintTitle, PopulationHintText, false);
}

void Hud::showOnly(Filter shown) {
    for (std::size_t i = 0; i < FilterCount; ++i) {
        const bool on = static_cast<Filter>(i) == shown;
        (*game.mapRenderer).*FilterFlags[i] = on;
        filterCheckBoxes[i]->checked = on;
    }
}

bool Hud::pressProgress() {
    if (!takesPress(*actionProgressButton))
        return false;
    clickActionProgress();
    return true;
}

bool Hud::pressDate() {
    if (!takesPress(*dateButton))
        return false;
    clickDate();
    return true;
}

void Hud::clickActionProgress() {
    dateButtonCooldown = ActionClickCooldown;
    dateButton->setEnabled(false);
    game.simulation->actionClick();
}

void Hud::clickDate() {
    if (tickTockPending) {
        tickTockPending = false;
        game.soundManager->play("tock");
    } else {
        tickTockPending = true;
        tickTockTimer = TickTockSeconds;
        game.soundManager->play("tick");
    }
    if (game.simulation->advanceDay() & YearEndedBit) {
        dateButtonCooldown = YearEndCooldown;
        dateButton->setEnabled(false);
    }
}

// --- Every frame -------------------------------------------------------------------

void Hud::update(sf::RenderTarget& target) {
    game.ui->draw(target);
    if (actionProgressBar->visible() && root->visible())
        drawProgress(target);
    readNumbers();
    runTimers(game.frameTime);
}

void Hud::drawProgress(sf::RenderTarget& target) {
    const float fraction =
        progressFraction(game.simulation->progress, game.simulation->clicksNeeded);
    const sf::Vector2i at = actionProgressBar->getAbsolutePosition() + FillInset;
    const auto trough = static_cast<float>(actionProgressBar->width() - FillMargin);
    sf::RectangleShape fill({std::floor(trough * fraction), FillHeight});
    fill.setPosition(sf::Vector2f(at));
    fill.setFillColor(game.inkColor);
    target.draw(fill);
    progressPercentText->setText(std::to_string(progressPercent(fraction)) + "%");
    progressBadge->draw(target, game.frameTime);
}

void Hud::readNumbers() {
    const City& city = *game.simulation->city;
    budgetText->setText(formatWhole(city.budgetNow()));
    populationText->setText(std::to_string(city.populationNow()));
    dateText->setText(formatDate(game.simulation->dayCounter));
}

double Hud::secondsToNextChange() const {
    if (actionProgressBar->visible() && root->visible())
        return 0.0;
    if (dateButtonCooldown > 0.0 && !dateButton->isActive())
        return dateButtonCooldown;
    return std::numeric_limits<double>::infinity();
}

void Hud::runTimers(double frameTime) {
    if (tickTockPending && tickTockTimer > 0.0) {
        tickTockTimer -= frameTime;
        if (tickTockTimer <= 0.0) {
            tickTockTimer = 0.0;
            tickTockPending = false;
        }
    }
    if (dateButtonCooldown <= 0.0 || dateButton->isActive())
        return;
    dateButton->setEnabled(false);
    dateButtonCooldown -= frameTime;
    if (dateButtonCooldown > 0.0)
        return;
    dateButtonCooldown = 0.0;
    // A tick still running keeps the button off; its release switches it on.
    dateButton->setEnabled(!game.simulation->tickRunning());
}
