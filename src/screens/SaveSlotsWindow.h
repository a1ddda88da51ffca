#pragma once
// The four save slots with a summary of each saved city, for saving ("Save your
// progress") or loading ("Restore game", which also offers the autosave in a fifth
// row); also opened from the title screen. Which
// slots hold a save is fixed when the window opens. It closes itself after a save or
// load that worked and stays open after one that failed (the game has told the player
// why). Main thread only.
#include "screens/ScreenWindow.h"

#include <cstdint>

class SaveSlotsWindow : public ScreenWindow {
public:
    static constexpr int SlotCount = 4;
    // Leads the autosave's summary, which otherwise reads like a slot's.
    static constexpr const char* AutosaveCaption = "Autosave - ";

    explicit SaveSlotsWindow(Game& game);

    // Does nothing while the window is open on the shown root.
    void open(bool save);

private:
    // The button in `row` (from 1) for `slot`, which may be the autosave.
    void addSlotButton(gui::Window& to, int row, int slot, bool save, bool occupied);
    void chooseSlot(int slot, bool save, bool occupied);
    void askOverwrite(int slot);
    void closeIf(bool done);

    // Counts openings, so that a late answer to the overwrite question never closes a
    // window opened after the one it was asked from.
    std::uint32_t openings_ = 0;
};
