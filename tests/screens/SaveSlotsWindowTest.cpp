// The save-slot window: which slots it shows as taken and what it reads of them, where
// it opens, and what a click on a slot saves, loads or asks.
#include "screens/SaveSlotsWindow.h"

#include "GameMenuTestSupport.h"
#include "city/SaveGame.h"
#include "city/Simulation.h"
#include "platform/Folders.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class SaveSlots : public ScreenTest {
protected:
    std::string writeSlot(const std::string& name, const std::string& contents) {
        const std::string path = savesPath() + name;
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    gui::Window& slots() const { return *game.saveFilesWindow->window; }
    gui::Button& slot(int n) const { return *buttons(slots()).at(static_cast<std::size_t>(n - 1)); }
    std::string caption(int n) const { return slot(n).label()->text(); }
    // Saves a running city into a slot through the window, as the player does.
    void saveCityInto(int n) {
        game.ui_showSaveFilesWindow(true);
        click(slot(n));
        ASSERT_FALSE(game.saveFilesWindow->isOpen());
    }
};

TEST_F(SaveSlots, TakenSlotsShowASummaryAndTheOthersAreEmpty) {
    writeSlot("1.sav", "2,\n45,5,\n25000,12,\n");
    writeSlot("3.sav", "2,\n360,\n1.23457e+06,0,\n");
    writeSlot("5.sav", "2,\n1,\n1,1,\n");
    writeSlot("2.sav.old", "2,\n1,\n1,1,\n"); // a leftover beside the slot is not the slot
    game.ui_showSaveFilesWindow(false);

    ASSERT_EQ(buttons(slots()).size(), 6u); // four slots, the folder and Close
    EXPECT_EQ(caption(1), "Population: 12\nBudget: 25000\nDate: 16/02 Year 1");
    EXPECT_EQ(caption(3), "Population: 0\nBudget: 1234570\nDate: 01/01 Year 2");
    for (int n : {1, 3}) {
        EXPECT_EQ(slot(n).label()->fontIndex(), 1);
        EXPECT_EQ(slot(n).label()->position().y, 2);
    }
    for (int n : {2, 4}) {
        EXPECT_EQ(caption(n), "Empty slot");
        EXPECT_EQ(slot(n).label()->fontIndex(), 2);
        EXPECT_EQ(slot(n).label()->position().y, 0);
    }
    EXPECT_EQ(slot(4).position(), sf::Vector2i(7, 134));
    EXPECT_EQ(buttons(slots())[4]->label()->text(), "Open containing folder");
}

TEST_F(SaveSlots, AnUnreadableOrCutShortFileShowsZeros) {
    std::filesystem::create_directory(savesPath() + "1.sav");
    writeSlot("2.sav", "2,\n");
    writeSlot("3.sav", "");
    game.ui_showSaveFilesWindow(false);
    for (int n : {1, 2, 3})
        EXPECT_EQ(caption(n), "Population: 0\nBudget: 0\nDate: 01/01 Year 1") << "slot " << n;
}

TEST_F(SaveSlots, OverTheTitleScreenItSitsLowInAGameCentred) {
    game.ui_showSaveFilesWindow(false);
    EXPECT_EQ(slots().parent(), game.ui->menuRoot.get());
    EXPECT_EQ(slots().position(), sf::Vector2i(240, 125)); // 85 % of 148 free rows
    game.uiView->setSize(960.f, 540.f);
    game.ui->onResize();
    game.saveFilesWindow->place();
    EXPECT_EQ(slots().position(), sf::Vector2i(400, 278));
    game.saveFilesWindow->close();

    startCity();
    game.ui_showSaveFilesWindow(true);
    EXPECT_EQ(slots().parent(), game.ui->gameRoot.get());
    EXPECT_EQ(slots().position(), sf::Vector2i(400, 164));
}

TEST_F(SaveSlots, SavingIntoAnEmptySlotWritesItAndCloses) {
    startCity();
    saveCityInto(2);
    EXPECT_TRUE(std::filesystem::exists(SaveGame::slotPath(2)));
    EXPECT_TRUE(messageBoxes(*game.ui->gameRoot).empty());
}

TEST_F(SaveSlots, OverwritingAsksAndNoLeavesTheFileAndTheWindow) {
    const std::string before = "2,\n45,5,\n25000,12,\n";
    const std::string path = writeSlot("2.sav", before);
    startCity();
    game.ui_showSaveFilesWindow(true);
    click(slot(2));
    std::vector<gui::Window*> boxes = messageBoxes(*game.ui->gameRoot);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(title(*boxes[0]), "PSST.");
    click(*button(*boxes[0], "No"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(game.saveFilesWindow->isOpen());

    click(slot(2));
    boxes = messageBoxes(*game.ui->gameRoot);
    ASSERT_EQ(boxes.size(), 1u);
    click(*button(*boxes[0], "Yes"));
    EXPECT_NE(readFile(path), before);
    EXPECT_FALSE(game.saveFilesWindow->isOpen());
}

TEST_F(SaveSlots, ALateYesSavesButLeavesAWindowOpenedSinceAlone) {
    writeSlot("1.sav", "2,\n0,\n1,1,\n");
    startCity();
    game.ui_showSaveFilesWindow(true);
    click(slot(1));
    gui::Window* const question = messageBoxes(*game.ui->gameRoot).at(0);
    click(*button(slots(), "Close"));
    game.ui_showSaveFilesWindow(false);
    gui::Window* const reopened = game.saveFilesWindow->window;
    question->fireResult(gui::Window::Yes);
    EXPECT_NE(readFile(SaveGame::slotPath(1)), "2,\n0,\n1,1,\n");
    EXPECT_EQ(game.saveFilesWindow->window, reopened);
}

TEST_F(SaveSlots, AFailedSaveKeepsTheWindowAndSaysSo) {
    startCity();
    std::filesystem::remove_all(savesPath());
    std::ofstream(savesPath().substr(0, savesPath().size() - 1)) << "not a folder";
    game.ui_showSaveFilesWindow(true);
    click(slot(1));
    EXPECT_TRUE(game.saveFilesWindow->isOpen());
    const std::vector<gui::Window*> boxes = messageBoxes(*game.ui->gameRoot);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(title(*boxes[0]), "NOT SAVED");
}

TEST_F(SaveSlots, LoadingFromTheTitleScreenEntersTheSavedCity) {
    startCity();
    game.simulation->dayCounter = 45;
    saveCityInto(3);
    game.showMainMenu();
    game.simulation->dayCounter = 0;

    game.ui_showSaveFilesWindow(false);
    EXPECT_EQ(caption(3).substr(caption(3).rfind("Date")), "Date: 16/02 Year 1");
    click(slot(3));
    EXPECT_FALSE(game.saveFilesWindow->isOpen());
    EXPECT_FALSE(game.mainMenu->showing);
    EXPECT_EQ(game.simulation->dayCounter, 45);
}

TEST_F(SaveSlots, AFailedLoadKeepsTheWindowAndOnlyAnUnreadableFileIsReported) {
    writeSlot("2.sav", "2,\nthis is no city\n");
    game.ui_showSaveFilesWindow(false);
    click(slot(1));
    EXPECT_TRUE(game.saveFilesWindow->isOpen());
    EXPECT_TRUE(messageBoxes(*game.ui->menuRoot).empty());

    click(slot(2));
    EXPECT_TRUE(game.saveFilesWindow->isOpen());
    EXPECT_TRUE(game.mainMenu->showing);
    const std::vector<gui::Window*> boxes = messageBoxes(*game.ui->menuRoot);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(title(*boxes[0]), "NOT LOADED");
}

TEST_F(SaveSlots, OneLeftOpenInTheCityDoesNotBlockTheTitleScreensLoad) {
    startCity();
    game.ui_showSaveFilesWindow(true);
    game.showMainMenu();
    game.mainMenu->onLoadGame();
    ASSERT_TRUE(game.saveFilesWindow->isOpen());
    EXPECT_EQ(slots().parent(), game.ui->menuRoot.get());
    EXPECT_EQ(title(slots()), "RESTORE GAME");
}

} // namespace
