#include "Player.h"

#include <array>

namespace {

constexpr std::chrono::seconds AnswerTimeout{20};
constexpr int StartNewGameEntry = 0;
constexpr int LoadGameEntry = 1;
constexpr int SaveGameEntry = 0;
constexpr int BackToMenuEntry = 4;
// Beside the first road: one of these two is always empty (the first map puts its
// house on the other side), the other is empty or a tree.
const std::array<sf::Vector2i, 2> RoadsideCandidates{{{0, 1}, {-1, 0}}};
const MessageText SavedMessage{"Yaaas!", "Game saved!"};
constexpr const char* BuildLayerKey = "1";
constexpr const char* NeedsLayerKey = "4";

} // namespace

Player::Player(GameSession& session) : session_(session), facts_(newGameFacts()) {}

bool Player::startNewGame() {
    const int started = session_.countInOutput("startNewGame");
    session_.click(screen::titleEntry(session_.ui(), StartNewGameEntry));
    if (!session_.waitForOutput("startNewGame", started + 1, AnswerTimeout))
        return false;
    shown("welcome");
    closeMessage(facts_.welcome);
    shown("info");
    closeMessage(facts_.info);
    return shown("new-game");
}

void Player::closeMessage(const MessageText& message) {
    session_.click(screen::messageOkay(session_.ui(), !message.title.empty(),
                                       metrics_.textHeight(message.text)));
}

std::optional<sf::Vector2i> Player::armRoadBesideFirstRoad() {
    const screen::Size ui = session_.ui();
    for (const sf::Vector2i offset : RoadsideCandidates) {
        session_.click(screen::tileFromCentre(ui, offset));
        shown("tile-actions");
        session_.click(screen::tileAction(ui, facts_.emptyTileActions, facts_.buildRoadIndex));
        if (actionArmed())
            return offset;
    }
    return std::nullopt;
}

bool Player::shown(const std::string& name) {
    return session_.screenshot(name).getSize().x > 0;
}

bool Player::actionArmed() {
    // While an action is armed a click on the map picks no tile, and picking prints.
    const int picks = session_.countInOutput("clickedTile:");
    session_.click(screen::quietMapSpot(session_.ui()));
    shown("armed-check");
    return session_.countInOutput("clickedTile:") == picks;
}

void Player::clickProgress(int times) {
    for (int i = 0; i < times; ++i)
        session_.click(screen::progressButton(session_.ui()));
}

bool Player::saveToSlot(int slot) {
    const screen::Size ui = session_.ui();
    const std::string saved = "game saved to slot " + std::to_string(slot) + "!";
    const int before = session_.countInOutput(saved);
    session_.click(screen::menuButton(ui));
    shown("game-menu");
    session_.click(screen::gameMenuEntry(ui, SaveGameEntry));
    shown("save-slots");
    session_.click(screen::saveSlot(ui, slot, false));
    if (!session_.waitForOutput(saved, before + 1, AnswerTimeout))
        return false;
    shown("saved");
    // The confirmation box does not cover "Resume". Should the game leave the box out,
    // the click meant for it lands on the map, and an information layer keeps that
    // click from opening anything.
    session_.click(screen::gameMenuResume(ui));
    session_.key(NeedsLayerKey);
    closeMessage(SavedMessage);
    session_.key(BuildLayerKey);
    return true;
}

bool Player::backToTitleScreen() {
    session_.click(screen::menuButton(session_.ui()));
    shown("game-menu");
    session_.click(screen::gameMenuEntry(session_.ui(), BackToMenuEntry));
    return shown("title-again");
}

bool Player::loadFromTitleScreen(int slot) {
    const std::string loaded = "game loaded from slot " + std::to_string(slot) + "!";
    const int before = session_.countInOutput(loaded);
    session_.click(screen::titleEntry(session_.ui(), LoadGameEntry));
    shown("load-slots");
    session_.click(screen::saveSlot(session_.ui(), slot, true));
    return session_.waitForOutput(loaded, before + 1, AnswerTimeout);
}
