// The names the in-game screens are known by, forwarded to the screen objects, and the
// save and load commands behind the save-slot window.
#include "city/Autosave.h"
#include "city/SaveGame.h"
#include "game/Game.h"
#include "gui/UI.h"
#include "screens/AboutWindow.h"
#include "screens/CityInfoWindow.h"
#include "screens/ExpenditureWindow.h"
#include "screens/GameMenu.h"
#include "screens/HistoryWindow.h"
#include "screens/Hud.h"
#include "screens/OptionsWindow.h"
#include "screens/ProductionWindow.h"
#include "screens/SaveSlotsWindow.h"
#include "screens/TileActionsWindow.h"
#include "screens/TileInfoWindow.h"

#include <cstdio>
#include <filesystem>

void Game::createScreens() {
    hud = std::make_unique<Hud>(*this);
    tileActionsWindow = std::make_unique<TileActionsWindow>(*this);
    tileInfoWindow = std::make_unique<TileInfoWindow>(*this);
    menuWindow = std::make_unique<GameMenu>(*this);
    saveFilesWindow = std::make_unique<SaveSlotsWindow>(*this);
    optionsWindow = std::make_unique<OptionsWindow>(*this);
    aboutWindow = std::make_unique<AboutWindow>(*this);
    productionWindow = std::make_unique<ProductionWindow>(*this);
    cityInfoWindow = std::make_unique<CityInfoWindow>(*this);
    expenditureWindow = std::make_unique<ExpenditureWindow>(*this);
    historyWindow = std::make_unique<HistoryWindow>(*this);
    ui_create();
}

std::vector<ScreenWindow*> Game::screenWindows() const {
    return {menuWindow.get(),       tileActionsWindow.get(), tileInfoWindow.get(),
            saveFilesWindow.get(),  expenditureWindow.get(), cityInfoWindow.get(),
            productionWindow.get(), aboutWindow.get(),       optionsWindow.get(),
            historyWindow.get()};
}

void Game::ui_create() {
    hud->create();
}

void Game::ui_layout() {
    hud->layout();
}

void Game::ui_update() {
    hud->update(frameTarget());
}

void Game::ui_setActionTitle(const std::string& title) {
    hud->setActionTitle(title);
}

void Game::ui_setDateButtonEnabled(bool enabled) {
    hud->setDateButtonEnabled(enabled);
}

void Game::ui_closeTileActions() {
    tileActionsWindow->closeTileActions();
}

void Game::ui_closeWindows() {
    hud->hideActionProgress();
    // The save slots and the options stay: they may be open over the title screen.
    for (ScreenWindow* screen : screenWindows())
        if (screen != saveFilesWindow.get() && screen != optionsWindow.get())
            screen->close();
}

void Game::ui_resetLayerOptions() {
    hud->resetLayerOptions();
}

void Game::ui_showTileActions(Tile& tile) {
    tileActionsWindow->open(tile);
}

void Game::ui_createActionButtons(Tile& tile) {
    tileActionsWindow->createActionButtons(tile);
}

void Game::ui_showTileInformation(Tile& tile) {
    tileInfoWindow->open(tile);
}

void Game::ui_showMenu() {
    menuWindow->open();
}

void Game::ui_showSaveFilesWindow(bool save) {
    saveFilesWindow->open(save);
}

void Game::ui_showOptions() {
    optionsWindow->open();
}

void Game::ui_showAboutScreen() {
    aboutWindow->open();
}

void Game::ui_showProduction() {
    productionWindow->open();
}

void Game::ui_showCityInfo() {
    cityInfoWindow->open();
}

void Game::ui_showExpenditure() {
    expenditureWindow->open();
}

void Game::ui_refreshProduction() {
    productionWindow->refreshProduction();
}

void Game::ui_populateCityInfo() {
    cityInfoWindow->populateCityInfo();
}

void Game::ui_refreshExpenditure() {
    expenditureWindow->refreshExpenditure();
}

void Game::ui_showHistory() {
    historyWindow->open();
}

void Game::ui_refreshHistory() {
    historyWindow->refresh();
}

bool Game::saveGame(int slot) {
    const SaveResult result = SaveGame::saveSlot(*simulation, slot);
    if (result) {
        autosave->markSaved();
        ui->showMessage("Yaaas!", "Game saved!", false);
    } else
        ui->showMessage("Not saved", "The game was not saved.\n\n" + result.message, false);
    return result.ok;
}

bool Game::loadGame(int slot) {
    // An empty slot is no surprise to the player: the console line is enough.
    const bool exists = std::filesystem::exists(SaveGame::slotPath(slot));
    const SaveResult result = SaveGame::loadSlot(*simulation, slot);
    if (!result && exists)
        ui->showMessage("Not loaded", "This save could not be loaded.\n\n" + result.message, false);
    if (result) {
        carryOutRequests();
        autosave->markSaved();
    }
    return result.ok;
}
