#include "Player.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "city/Map.h"
#include "city/Request.h"
#include "city/Simulation.h"
#include "city/Tile.h"
#include "game/Game.h"
#include "platform/StringUtil.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Where the game's controls are, in UI pixels (window pixels divided by the scale),
// worked out from the screen size the way the screens place their windows. Every
// function returns the middle of the control, where a player would click.
namespace screen {

using Point = sf::Vector2i;
using Size = sf::Vector2i;

struct Rect {
    Point at, size;
};

// The UI's window placement: centred across, and centred or at 85 % of the free
// height down.
Rect centred(Size ui, Point size) {
    return {(ui - size) / 2, size};
}

Rect nearBottom(Size ui, Point size) {
    return {{(ui.x - size.x) / 2, static_cast<int>((ui.y - size.y) * 0.85)}, size};
}

// The middle of `control`, placed relative to `window`, moved down by `drop`.
Point middle(const Rect& window, const Rect& control, int drop = 0) {
    return window.at + control.at + control.size / 2 + Point(0, drop);
}

const Point WelcomeSize{140, 155};
const Rect FirstMenuEntry{{8, 19}, {124, 23}};
constexpr int MenuEntryStep = 27;
constexpr int MessageWidth = 200;
constexpr int MessageChromeTitled = 51;
constexpr int MessageChromeUntitled = 25;
const Point OkaySize{100, 18};
constexpr int OkayRise = 12; // its top, up from the box's bottom edge
const Point HalfTile{16, 8};
constexpr int ActionButtonStep = 39;
constexpr int ActionsPerPage = 6;
constexpr int ActionRowMinimum = 5;
constexpr int ActionWindowPadding = 15;
constexpr int ActionWindowHeight = 92;
const Rect FirstActionButton{{7, 23}, {40, 40}};
const Point GameMenuSize{140, 205};
const Rect Resume{{15, 193}, {110, 18}};
const Point SaveWindowSize{160, 212};
const Point LoadWindowSize{160, 250}; // a row more, for the autosave
const Rect FirstSlot{{7, 20}, {146, 34}};
constexpr int SlotStep = 38;
const Point OptionsSize{240, 200};
const Rect CyclePalette{{9, 90}, {222, 20}};
const Rect OptionsClose{{80, 188}, {80, 18}};
const Point ProgressButtonSize{46, 23};
constexpr int ProgressButtonRise = 50;     // its top, up from the bottom of the screen
constexpr int SideColumnHeight = 227;      // centred down the left edge
const Rect MenuButton{{7, 216}, {23, 18}}; // in the side column
const Point QuietSpotFromTopRight{140, 100};
constexpr int DateButtonLeft = 137; // from the right edge
const Rect DateButton{{0, 8}, {23, 18}};

Point menuEntry(const Rect& window, int index) {
    return middle(window, FirstMenuEntry, MenuEntryStep * index);
}

// The title screen's "Welcome!" window: 0 "Start new game", 1 "Load game", 2 "Options".
Point titleEntry(Size ui, int index) {
    return menuEntry(nearBottom(ui, WelcomeSize), index);
}

// The "Okay" button of a message box whose wrapped text is `textHeight` pixels high.
Point messageOkay(Size ui, bool titled, int textHeight) {
    const Rect box = centred(
        ui, {MessageWidth, (titled ? MessageChromeTitled : MessageChromeUntitled) + textHeight});
    // The button hangs over the box's bottom edge.
    return middle(box, {{(box.size.x - OkaySize.x) / 2, box.size.y - OkayRise}, OkaySize});
}

// The tile `offset` grid steps from the one the view was centred on at the start.
Point tileFromCentre(Size ui, sf::Vector2i offset) {
    return ui / 2 + Point((offset.x + offset.y) * HalfTile.x, (offset.y - offset.x) * HalfTile.y);
}

// The `index`-th action of the tile-actions window of a tile offering `actionCount`.
Point tileAction(Size ui, int actionCount, int index) {
    const int shown = std::max(ActionRowMinimum, std::min(actionCount, ActionsPerPage));
    const Rect window =
        nearBottom(ui, {shown * ActionButtonStep + ActionWindowPadding, ActionWindowHeight});
    // Fewer actions than a row holds are centred in it.
    const int indent = std::max(0, ActionRowMinimum - actionCount) * ActionButtonStep / 2;
    return middle(window, FirstActionButton) + Point(indent + ActionButtonStep * index, 0);
}

// The HUD's progress button (shown while an action is armed) and menu button.
Point progressButton(Size ui) {
    return middle({{0, 0}, ui}, {{(ui.x - ProgressButtonSize.x) / 2, ui.y - ProgressButtonRise},
                                 ProgressButtonSize});
}

Point dateButton(Size ui) {
    return middle({{ui.x - DateButtonLeft, 0}, {}}, DateButton);
}

Point menuButton(Size ui) {
    return middle({{0, (ui.y - SideColumnHeight) / 2}, {}}, MenuButton);
}

// The game menu: 0 "Save game" ... 4 "Back to menu"; and "Resume".
Point gameMenuEntry(Size ui, int index) {
    return menuEntry(centred(ui, GameMenuSize), index);
}

Point gameMenuResume(Size ui) {
    return middle(centred(ui, GameMenuSize), Resume);
}

// Slot 1 to 4 of the save-slot window: saving in a city, or loading over the title
// screen, where the window sits lower.
Point saveSlot(Size ui, int slot, bool loadingOnTitleScreen) {
    const Rect window =
        loadingOnTitleScreen ? nearBottom(ui, LoadWindowSize) : centred(ui, SaveWindowSize);
    return middle(window, FirstSlot, SlotStep * (slot - 1));
}

Point optionsCyclePalette(Size ui) {
    return middle(centred(ui, OptionsSize), CyclePalette);
}

Point optionsClose(Size ui) {
    return middle(centred(ui, OptionsSize), OptionsClose);
}

// A spot of bare map far from the first road and from every HUD control.
Point quietMapSpot(Size ui) {
    return {ui.x - QuietSpotFromTopRight.x, QuietSpotFromTopRight.y};
}

} // namespace screen

constexpr int StartNewGameEntry = 0;
constexpr int LoadGameEntry = 1;
constexpr int OptionsEntry = 2;
constexpr int SaveGameEntry = 0;
constexpr int BackToMenuEntry = 4;
// Beside the first road: one of these two is always empty (the first map puts its
// house on the other side), the other is empty or a tree.
const std::array<sf::Vector2i, 2> RoadsideCandidates{{{0, 1}, {-1, 0}}};
constexpr const char* BuildLayerKey = "1";
constexpr const char* NeedsLayerKey = "4";
// The box is 200 wide; its text is wrapped 24 pixels narrower (body inset and margin).
constexpr int MessageWrapWidth = 200 - 24;
constexpr std::size_t BodyFont = 0;

// What every new city has in common, whatever its random trees: the greeting boxes
// and what an empty tile beside the first road offers. Taken from the simulation
// itself, so the scenarios follow the game when its texts or menus change.
struct NewGameFacts {
    Request greeting; // its follow-up opens when it closes
    int emptyTileActions = 0;
    int buildRoadIndex = -1;
};

NewGameFacts newGameFacts() {
    Simulation simulation;
    simulation.startNewGame();
    NewGameFacts facts;
    simulation.drainRequests([&facts](const Request& request) {
        if (request.kind == RequestKind::ShowMessage)
            facts.greeting = request;
    });
    for (const Tile& tile : simulation.map->tiles) {
        const auto road =
            std::find(tile.actions().begin(), tile.actions().end(), ActionKind::BuildRoad);
        if (tile.kind == TileKind::Empty && road != tile.actions().end()) {
            facts.emptyTileActions = static_cast<int>(tile.actions().size());
            facts.buildRoadIndex = static_cast<int>(road - tile.actions().begin());
            break;
        }
    }
    return facts;
}

} // namespace

Player::Player(GameSession& session)
    : session_(session), game_(std::make_unique<Game>()),
      fonts_(std::make_unique<FontManager>(*game_)) {
    setenv("TAPBURG_DATA_DIR", TAPBURG_E2E_DATA, 0);
    fonts_->loadFonts();
}

Player::~Player() = default;

bool Player::startNewGame() {
    const int started = session_.countInOutput("startNewGame");
    session_.click(screen::titleEntry(session_.ui(), StartNewGameEntry));
    if (!session_.waitForOutput("startNewGame", started + 1))
        return false;
    const Request greeting = newGameFacts().greeting;
    closeMessage(greeting.title, greeting.text);
    closeMessage(greeting.followUpTitle, greeting.followUpText);
    return session_.screenshot("new-game").getSize().x > 0;
}

void Player::closeMessage(const std::string& title, const std::string& text) {
    const BitmapFont* font = fonts_->getFont(BodyFont);
    const std::string wrapped = font ? font->wrapString(text, MessageWrapWidth) : "";
    const int lines = wrapped.empty() ? 1 : static_cast<int>(split(wrapped, '\n').size());
    const int height = font ? font->getRowHeight() * lines : 0;
    session_.click(screen::messageOkay(session_.ui(), !title.empty(), height));
}

std::optional<sf::Vector2i> Player::armRoadBesideFirstRoad() {
    const screen::Size ui = session_.ui();
    const NewGameFacts facts = newGameFacts();
    for (const sf::Vector2i offset : RoadsideCandidates) {
        session_.click(screen::tileFromCentre(ui, offset));
        session_.click(screen::tileAction(ui, facts.emptyTileActions, facts.buildRoadIndex));
        // While an action is armed a click on the map picks no tile, and picking prints.
        session_.screenshot("tile-action");
        const int picks = session_.countInOutput("clickedTile:");
        session_.click(screen::quietMapSpot(ui));
        session_.screenshot("armed-check");
        if (session_.countInOutput("clickedTile:") == picks)
            return offset;
    }
    return std::nullopt;
}

void Player::clickFirstRoad() {
    session_.click(screen::tileFromCentre(session_.ui(), {0, 0}));
}

void Player::cyclePalette() {
    const screen::Size ui = session_.ui();
    session_.click(screen::titleEntry(ui, OptionsEntry));
    session_.click(screen::optionsCyclePalette(ui));
    session_.click(screen::optionsClose(ui));
}

bool Player::passDays(int days) {
    // The game prints this as it releases each day's tick, and only then takes the
    // next press.
    const std::string released = "Freeing building update thread!";
    const int before = session_.countInOutput(released);
    for (int day = 1; day <= days; ++day) {
        session_.click(screen::dateButton(session_.ui()));
        if (!session_.waitForOutput(released, before + day))
            return false;
    }
    return true;
}

void Player::clickProgress(int times) {
    session_.click(screen::progressButton(session_.ui()), times);
}

bool Player::saveToSlot(int slot) {
    const screen::Size ui = session_.ui();
    const std::string saved = "game saved to slot " + std::to_string(slot) + "!";
    const int before = session_.countInOutput(saved);
    session_.click(screen::menuButton(ui));
    session_.click(screen::gameMenuEntry(ui, SaveGameEntry));
    session_.click(screen::saveSlot(ui, slot, false));
    if (!session_.waitForOutput(saved, before + 1))
        return false;
    // The confirmation box does not cover "Resume". Should the game leave the box out,
    // the click meant for it lands on the map, and an information layer keeps that
    // click from opening anything.
    session_.click(screen::gameMenuResume(ui));
    session_.key(NeedsLayerKey);
    closeMessage("Yaaas!", "Game saved!");
    session_.key(BuildLayerKey);
    return true;
}

bool Player::backToTitleScreen() {
    session_.click(screen::menuButton(session_.ui()));
    session_.click(screen::gameMenuEntry(session_.ui(), BackToMenuEntry));
    return session_.screenshot("title-again").getSize().x > 0;
}

bool Player::loadFromTitleScreen(int slot) {
    const std::string loaded = "game loaded from slot " + std::to_string(slot) + "!";
    const int before = session_.countInOutput(loaded);
    session_.click(screen::titleEntry(session_.ui(), LoadGameEntry));
    session_.click(screen::saveSlot(session_.ui(), slot, true));
    return session_.waitForOutput(loaded, before + 1);
}
