#include "screens/TileActionsWindow.h"

#include "city/Map.h"
#include "city/Simulation.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "screens/Hud.h"
#include "screens/TileInfoText.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <optional>
#include <string>

namespace {

constexpr const char* kTitle = "Yes, my mayor?";
constexpr const char* kHint = "Right-click for information about buildables";
constexpr const char* kHelpTitle = "Info";

constexpr std::size_t kPageSize = 6;
// Rows shorter than this are centred in a window of this many slots.
constexpr std::size_t kNarrowSlots = 5;
constexpr int kSlotWidth = 39;
constexpr int kWindowMargin = 15;
constexpr int kWindowHeight = 92;
constexpr int kRowX = 7;
constexpr int kRowY = 23;
const sf::Vector2i kActionButtonSize(40, 40);
const sf::Vector2i kBadgeOffset(8, -6); // from the button's corner: it overlaps the frame
const sf::Vector2i kBadgeSize(25, 12);
const sf::Vector2i kBadgeTextSize(25, 13);
const sf::Vector2i kPagingButtonSize(24, 39);
constexpr int kPreviousX = -20; // both hang over the window's edges
constexpr int kNextInset = 4;
const sf::Vector2i kHintAt(7, 70);
constexpr int kHintHeight = 8;
constexpr std::uint16_t kSmallFont = 1;
// An explanation opens above the centre, clear of the window it explains.
constexpr int kHelpRise = 40;

constexpr const char* kResidentialHelp =
    "Residential buildings are the heart of the city. They generate steady income and provide "
    "customers to shops and works to factories and office buildings. Houses are more attractive "
    "when they are next to trees or near parks and don't have factories or too many roads right "
    "next to them.";
constexpr const char* kShopHelp =
    "Your residents need places to buy their groceries and other stuff. Stores only generate "
    "income when a certain number of daily visitors is reached. You can see shop visitors and "
    "income by right-clicking on the store tile. Larger shops accomdate more shoppers and attract "
    "people from larger area.";

struct ActionLook {
    const char* sprite;
    const char* upgradeSprite; // when the tile already carries a building
    const char* help;
};

// Indexed by ActionKind.
constexpr std::array<ActionLook, kActionKindCount> kActionLooks{{
    {"", "", ""}, // None
    {"ui/action_road", "ui/action_road",
     "Roads help expand your city. Remember, you can only build new buildings next to roads."},
    {"ui/action_housing", "ui/action_housing", kResidentialHelp},
    {"ui/action_housing_large", "ui/action_housing_large_upgrade", kResidentialHelp},
    {"ui/action_flats", "ui/action_flats_upgrade", kResidentialHelp},
    {"ui/action_shop", "ui/action_shop_upgrade", kShopHelp},
    {"ui/action_market", "ui/action_market", kShopHelp},
    {"ui/action_convenience_store", "ui/action_convenience_store", kShopHelp},
    {"ui/action_park", "ui/action_park",
     "Everbody loves to go to the park! Parks are effective at raising housing attractiveness "
     "if they are within 3 tiles radius."},
    {"ui/action_watertower", "ui/action_watertower",
     "Water towers provide water to your houses but they have limited usage capacity and high "
     "maintenance cost.\n\nMaximum usage: 50\nRange: 10 squares"},
    {"ui/action_factory", "ui/action_factory",
     "Factories provide jobs to your residents within a certain radius and turn quite a profit. "
     "Factories are loud and smelly, so maybe don't build houses right next to them, okay?"},
    {"ui/action_fire_station", "ui/action_fire_station",
     "Keep your city inferno-free with a fire station."},
    {"ui/action_police_station", "ui/action_police_station",
     "Police stations keep the bad guys away and your residents safe and happy."},
    {"ui/action_hospital", "ui/action_hospital",
     "Hospitals keep your residents healty, otherwise one or two might die off and who wants "
     "that..."},
    {"ui/action_commercial", "ui/action_commercial",
     "Large office buildings are the sign of a successful city. These buildings are very "
     "expensive to construct but generate quite an income, given enough employees."},
    {"ui/action_plant_tree", "ui/action_plant_tree",
     "Trees are good for raising housing attractiveness, but they only affect houses right next "
     "to it."},
    {"ui/action_clear", "ui/action_clear", "Clear the land of whatever is on it."},
    {"", "", ""}, // PutOutFires
    {"ui/action_pumping_station", "ui/action_pumping_station",
     "Pumping stations provide water to a great number of users but they have a slightly "
     "smaller range.\n\nMaximum usage: 250\nRange: 8 squares"},
    {"ui/action_landfill", "ui/action_landfill",
     "A place to put your trash. Do not place near houses within 3 squares."},
}};

// Kinds from a damaged save may lie outside the table: they look like no action.
const ActionLook& lookOf(ActionKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kActionLooks.size() ? kActionLooks[index] : kActionLooks[0];
}

int widthFor(std::size_t actions) {
    return static_cast<int>(std::clamp(actions, kNarrowSlots, kPageSize)) * kSlotWidth +
           kWindowMargin;
}

int rowStartFor(std::size_t actions) {
    if (actions >= kNarrowSlots)
        return kRowX;
    return static_cast<int>(kNarrowSlots - actions) * kSlotWidth / 2 + kRowX;
}

} // namespace

TileActionsWindow::TileActionsWindow(Game& game)
    : ScreenWindow(game, {widthFor(0), kWindowHeight}, gui::Align::Bottom) {}

void TileActionsWindow::open(Tile& tile) {
    if (isOpen())
        ScreenWindow::close();
    else
        game.ui->playSound("open_window");
    actionButtons.clear();
    actionPriceBadges.clear();
    actionPageStart = 0;
    tileNumber = tile.number;
    game.simulation->map->setSelectedTile(&tile);

    tileActionsWidth = widthFor(tile.actions().size());
    size.x = tileActionsWidth;
    gui::Window& opened = openWindow(kTitle, *game.ui->gameRoot);
    UI& ui = *game.ui;
    // Set after the font: created with the text, it would wrap at the normal font's
    // wider measure.
    gui::Text* hint = opened.add(ui.createText(
        {kHintAt, {tileActionsWidth - 2 * kHintAt.x, kHintHeight}}, "", gui::Align::Center));
    hint->setFont(kSmallFont);
    hint->setText(kHint);
    // The player's "Close" ends in closed().
    addCloseButton(opened);
    addPagingButtons(opened);
    createActionButtons(tile);
}

void TileActionsWindow::addPagingButtons(gui::Window& opened) {
    UI& ui = *game.ui;
    actionNextButton = opened.add(ui.createIconButton(
        {{tileActionsWidth - kNextInset, kRowY}, kPagingButtonSize}, "ui/action_next"));
    actionNextButton->setIcon(ui.sprite("ui/action_next"), ui.sprite("ui/action_next_disabled"));
    actionNextButton->onClick = [this] { turnPage(1); };
    actionPreviousButton = opened.add(
        ui.createIconButton({{kPreviousX, kRowY}, kPagingButtonSize}, "ui/action_previous"));
    actionPreviousButton->setIcon(ui.sprite("ui/action_previous"),
                                  ui.sprite("ui/action_previous_disabled"));
    actionPreviousButton->onClick = [this] { turnPage(-1); };
}

void TileActionsWindow::createActionButtons(Tile& tile) {
    for (gui::Button* button : actionButtons)
        button->close();
    for (gui::Image* badge : actionPriceBadges)
        badge->close();
    actionButtons.clear();
    actionPriceBadges.clear();
    if (window == nullptr)
        return;
    const std::size_t count = tile.actions().size();
    const std::size_t shown = std::min(count, kPageSize);
    // The list may have shrunk since the page was chosen (a day can change what a tile
    // offers): the page never reaches past its end.
    actionPageStart = std::min(actionPageStart, count - shown);
    const int rowStart = rowStartFor(count);
    for (std::size_t i = 0; i < shown; ++i)
        addActionButton(*window, tile, actionPageStart + i,
                        rowStart + kSlotWidth * static_cast<int>(i));
    actionPreviousButton->setEnabled(actionPageStart >= 1);
    actionNextButton->setEnabled(actionPageStart + kPageSize < count);
}

void TileActionsWindow::addActionButton(gui::Window& opened, const Tile& tile, std::size_t slot,
                                        int x) {
    UI& ui = *game.ui;
    const ActionKind kind = tile.actions()[slot];
    const ActionLook& look = lookOf(kind);
    const bool upgrade = tile.building != nullptr;
    gui::Button* button = opened.add(ui.createIconButton(
        {{x, kRowY}, kActionButtonSize}, upgrade ? look.upgradeSprite : look.sprite));
    button->onClick = [this, kind] { choose(kind); };
    button->onRightClick = [this, kind] { explain(kind); };
    actionButtons.push_back(button);

    const int price = Simulation::actionPriceFor(tile, kind);
    gui::Image* badge = opened.add(
        ui.createImage({sf::Vector2i(x, kRowY) + kBadgeOffset, kBadgeSize}, "ui/action_price_bg"));
    gui::Text* label = badge->add(ui.createText({{0, 0}, kBadgeTextSize}, "", gui::Align::Center));
    label->setFont(kSmallFont);
    label->setText(std::to_string(price));
    actionPriceBadges.push_back(badge);
}

void TileActionsWindow::turnPage(int step) {
    const std::scoped_lock lock(game.simulation->mapMutex);
    Tile* tile = visibleTileNumbered(*game.simulation, tileNumber);
    if (tile == nullptr) {
        close();
        return;
    }
    const std::size_t count = tile->actions().size();
    if (step > 0 && actionPageStart + kPageSize < count)
        ++actionPageStart;
    else if (step < 0 && actionPageStart >= 1)
        --actionPageStart;
    else
        return;
    createActionButtons(*tile);
}

void TileActionsWindow::choose(ActionKind kind) {
    Simulation& simulation = *game.simulation;
    std::optional<std::size_t> offeredAt;
    {
        // A day may have changed the tile's list since the button was made: buy the
        // action the player pressed, wherever it is now, or nothing. A tile offers each
        // kind at most once.
        const std::scoped_lock lock(simulation.mapMutex);
        if (const Tile* tile = visibleTileNumbered(simulation, tileNumber)) {
            const std::vector<ActionKind>& actions = tile->actions();
            if (const auto found = std::find(actions.begin(), actions.end(), kind);
                found != actions.end())
                offeredAt = static_cast<std::size_t>(found - actions.begin());
        }
    }
    // buyAction takes the map itself and refuses (with the message box) what the
    // budget cannot cover; the window then stays. Once an action is armed, by this
    // click or by a fire since the window opened, there is nothing left to choose.
    if (offeredAt)
        simulation.buyAction(tileNumber, *offeredAt);
    if (!offeredAt || simulation.actionKind != ActionKind::None)
        close();
}

void TileActionsWindow::explain(ActionKind kind) const {
    const std::string help = lookOf(kind).help;
    if (help.empty())
        return;
    gui::Window* box = game.ui->showMessage(kHelpTitle, help, false);
    box->setY(box->position().y - kHelpRise, true);
}

void TileActionsWindow::closeTileActions() {
    game.simulation->map->setSelectedTile(nullptr);
    window = nullptr;
    actionButtons.clear();
    actionPriceBadges.clear();
    actionNextButton = nullptr;
    actionPreviousButton = nullptr;
    tileNumber = -1;
    gui::Button* dateButton = game.hud ? game.hud->dateButton : nullptr;
    if (dateButton != nullptr && game.simulation->actionKind == ActionKind::None)
        dateButton->setVisible(true);
}

void TileActionsWindow::close() {
    if (!isOpen())
        return;
    ScreenWindow::close();
    closeTileActions();
}

void TileActionsWindow::closed() {
    closeTileActions();
}
