// The save-slot window: which slots it shows as taken and what it reads of them, where
// it opens, and what a click on a slot saves, loads or asks.
#include "screens/SaveSlotsWindow.h"

#include "ScreenTestSupport.h"
#include "city/Simulation.h"
#include "platform/Folders.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class SaveSlots : public ScreenTest {
protected:
    static std::string writeSlot(const std::string& name, const std::string& contents) {
        std::ofstream(savesPath() + name, std::ios::binary) << contents;
        return savesPath() + name;
    }
    gui::Window& slots() const { return *game.saveFilesWindow->window; }
    gui::Button& slot(int n) const { return *all<gui::Button>(slots()).at(std::size_t(n - 1)); }
    std::string caption(int n) const { return slot(n).label()->text(); }
    gui::Window& onlyBox(const gui::Widget& root) const {
        const std::vector<gui::Window*> boxes = messageBoxes(root);
        if (boxes.size() != 1)
            throw std::runtime_error(std::to_string(boxes.size()) + " message boxes");
        return *boxes[0];
    }
};

TEST_F(SaveSlots, OnlyTheFourSlotFilesShowAndWhatTheyHoldIsSummed) {
    writeSlot("1.sav", "2,\n45,5,\n25000,12,\n");
    writeSlot("2.sav.old", "2,\n1,\n1,1,\n"); // a leftover beside a slot is not the slot
    writeSlot("3.sav", "2,\n360,\n1.23457e+06,7,\n");
    std::filesystem::create_directory(savesPath() + "4.sav"); // listed, but unreadable
    writeSlot("5.sav", "2,\n1,\n1,1,\n");
    game.ui_showSaveFilesWindow(true);
    ASSERT_EQ(all<gui::Button>(slots()).size(), 6u); // four slots, the folder and Close
    EXPECT_EQ(caption(1), "Population: 12\nBudget: 25000\nDate: 16/02 Year 1");
    EXPECT_EQ(caption(2), "Empty slot");
    EXPECT_EQ(caption(3), "Population: 7\nBudget: 1234570\nDate: 01/01 Year 2");
    EXPECT_EQ(caption(4), "Population: 0\nBudget: 0\nDate: 01/01 Year 1");
    EXPECT_EQ(slot(1).label()->fontIndex(), 1); // three lines need the small font

    // Loading offers the autosave too, in a fifth row of a window grown for it.
    click(button(slots(), "Close"));
    game.ui_showSaveFilesWindow(false);
    ASSERT_EQ(all<gui::Button>(slots()).size(), 7u);
    EXPECT_EQ(caption(5), "No autosave");
    click(button(slots(), "Close"));
    writeSlot("autosave.sav", "2,\n30,\n24000.5,3,\n");
    game.ui_showSaveFilesWindow(false);
    EXPECT_EQ(caption(5), "Autosave - Population: 3\nBudget: 24000\nDate: 01/02 Year 1");
    EXPECT_EQ(slots().size(), sf::Vector2i(160, 250));
    EXPECT_EQ(button(slots(), "Open containing folder").position().y, 210);
    EXPECT_LE(slot(5).label()->getTextSize().x, slot(5).size().x); // the longer line fits
}

TEST_F(SaveSlots, OverTheTitleScreenItSitsLowInAGameCentred) {
    game.ui_showSaveFilesWindow(false);
    EXPECT_EQ(slots().parent(), game.ui->menuRoot.get());
    EXPECT_EQ(slots().position(), sf::Vector2i(240, 93)); // 85 % of 110 free rows

    // One left open there does not keep the city's request from showing.
    startCity();
    game.ui_showSaveFilesWindow(true);
    EXPECT_EQ(slots().parent(), game.ui->gameRoot.get());
    EXPECT_EQ(title(slots()), "SAVE YOUR PROGRESS");
    EXPECT_EQ(slots().position(), sf::Vector2i(240, 74));
}

TEST_F(SaveSlots, SavingOverATakenSlotAsksAndOnlyYesWritesAndCloses) {
    const std::string before = "2,\n45,5,\n25000,12,\n";
    const std::string path = writeSlot("2.sav", before);
    startCity();
    game.ui_showSaveFilesWindow(true);
    click(slot(2));
    EXPECT_EQ(title(onlyBox(*game.ui->gameRoot)), "PSST.");
    click(button(onlyBox(*game.ui->gameRoot), "No"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(game.saveFilesWindow->isOpen());

    click(slot(2));
    click(button(onlyBox(*game.ui->gameRoot), "Yes"));
    EXPECT_NE(readFile(path), before);
    EXPECT_FALSE(game.saveFilesWindow->isOpen());
    EXPECT_EQ(title(onlyBox(*game.ui->gameRoot)), "YAAAS!"); // the confirmation
}

TEST_F(SaveSlots, ALateYesSavesButLeavesAWindowOpenedSince) {
    const std::string path = writeSlot("1.sav", "old");
    startCity();
    game.ui_showSaveFilesWindow(true);
    click(slot(1));
    click(button(slots(), "Close"));
    game.ui_showSaveFilesWindow(false);
    gui::Window* const reopened = game.saveFilesWindow->window;
    onlyBox(*game.ui->gameRoot).fireResult(gui::Window::Yes);
    EXPECT_NE(readFile(path), "old");
    EXPECT_EQ(game.saveFilesWindow->window, reopened);
}

TEST_F(SaveSlots, AFailedSaveKeepsTheWindowAndSaysSo) {
    startCity();
    std::filesystem::remove_all(savesPath());
    std::ofstream(savesPath().substr(0, savesPath().size() - 1)) << "not a folder";
    game.ui_showSaveFilesWindow(true);
    click(slot(1)); // an empty slot: no question first
    EXPECT_TRUE(game.saveFilesWindow->isOpen());
    EXPECT_EQ(title(onlyBox(*game.ui->gameRoot)), "NOT SAVED");
}

TEST_F(SaveSlots, LoadingEntersTheSavedCityAndAFailedLoadKeepsTheWindow) {
    writeSlot("2.sav", "2,\nthis is no city\n");
    startCity();
    game.simulation->dayCounter = 45;
    game.saveGame(3);
    game.showMainMenu();

    game.ui_showSaveFilesWindow(false);
    click(slot(1)); // empty: only the console says so
    EXPECT_TRUE(messageBoxes(*game.ui->menuRoot).empty());
    click(slot(2));
    EXPECT_EQ(title(onlyBox(*game.ui->menuRoot)), "NOT LOADED");
    EXPECT_TRUE(game.saveFilesWindow->isOpen());
    EXPECT_TRUE(game.mainMenu->showing);

    click(button(onlyBox(*game.ui->menuRoot), "Okay"));
    click(slot(3));
    EXPECT_FALSE(game.saveFilesWindow->isOpen());
    EXPECT_FALSE(game.mainMenu->showing);
    EXPECT_EQ(game.simulation->dayCounter, 45);

    // Left after a day of play, the city is autosaved, and loads from the fifth row.
    passDay();
    game.showMainMenu();
    game.ui_showSaveFilesWindow(false);
    click(slot(5));
    EXPECT_FALSE(game.mainMenu->showing);
    EXPECT_EQ(game.simulation->dayCounter, 46);
}

} // namespace
