#include "screens/SaveSlotsWindow.h"

#include "city/SaveGame.h"
#include "city/SlotSummary.h"
#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "platform/Folders.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int SlotX = 7;
constexpr int SlotTop = 20;
constexpr int SlotStep = 38;
const sf::Vector2i SlotSize(146, 34);

constexpr std::uint16_t NormalFont = 0;
constexpr std::uint16_t SmallFont = 1;
constexpr std::uint16_t BoldFont = 2;
// The three summary lines sit a little lower than the centred one-line caption.
constexpr int SummaryLabelY = 2;

const sf::IntRect FolderButtonRect(7, 172, 146, 21);
constexpr int SaveWindowHeight = 212;
// Loading also offers the autosave, a row below the four slots.
constexpr int AutosaveRow = SaveSlotsWindow::SlotCount + 1;

bool listed(const std::vector<std::string>& names, const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

SaveSlotsWindow::SaveSlotsWindow(Game& game)
    : ScreenWindow(game, {160, SaveWindowHeight}, gui::Align::Middle) {}

void SaveSlotsWindow::open(bool save) {
    gui::Widget& root = game.ui->activeRoot();
    closeUnlessIn(root);
    if (isOpen())
        return;
    const std::vector<std::string> names = listFiles(savesPath(), "sav");
    // Over the title screen the window sits low, clear of the title art.
    vertical = game.ui->menuShowing() ? gui::Align::Bottom : gui::Align::Middle;
    ++openings_;
    const int extraRows = save ? 0 : 1;
    size.y = SaveWindowHeight + SlotStep * extraRows;
    gui::Window& slots = openWindow(save ? "Save your progress" : "Restore game", root);
    for (int slot = 1; slot <= SlotCount; ++slot)
        addSlotButton(slots, slot, slot, save, listed(names, SaveGame::slotPath(slot)));
    if (!save)
        addSlotButton(slots, AutosaveRow, SaveGame::AutosaveSlot, save,
                      listed(names, SaveGame::autosavePath()));
    sf::IntRect folderRect = FolderButtonRect;
    folderRect.top += SlotStep * extraRows;
    gui::Button* const folder =
        slots.add(game.ui->createButton(folderRect, "Open containing folder", 0, NormalFont));
    folder->onClick = [] { openInFileBrowser(savesPath()); };
    addCloseButton(slots);
}

void SaveSlotsWindow::addSlotButton(gui::Window& to, int row, int slot, bool save, bool occupied) {
    const sf::Vector2i at(SlotX, SlotTop + SlotStep * (row - 1));
    gui::Button* const button =
        to.add(game.ui->createButton({at, SlotSize}, "", 0, occupied ? SmallFont : BoldFont));
    const bool autosave = slot == SaveGame::AutosaveSlot;
    if (occupied) {
        button->label()->setY(SummaryLabelY);
        const std::string summary = SlotSummary::read(SaveGame::slotPath(slot)).label();
        button->setText(autosave ? AutosaveCaption + summary : summary);
    } else {
        button->label()->setY(0);
        button->setText(autosave ? "No autosave" : "Empty slot");
    }
    button->onClick = [this, slot, save, occupied] { chooseSlot(slot, save, occupied); };
}

void SaveSlotsWindow::chooseSlot(int slot, bool save, bool occupied) {
    if (!save)
        closeIf(game.loadGame(slot));
    else if (!occupied)
        closeIf(game.saveGame(slot));
    else
        askOverwrite(slot);
}

void SaveSlotsWindow::askOverwrite(int slot) {
    gui::Window* const question = game.ui->showMessage(
        "Psst.", "This slot already contains a save file. Overwrite it?", true);
    const std::uint32_t askedFrom = openings_;
    question->onChoice = [this, slot, askedFrom](bool yes) {
        if (yes && game.saveGame(slot) && askedFrom == openings_)
            close();
    };
}

void SaveSlotsWindow::closeIf(bool done) {
    if (done)
        close();
}
