#pragma once
// Keeps a played city from being lost: writes it to the autosave file every so many
// days of play and when the player leaves it changed since it was last saved, loaded
// or begun. Never asks the player anything; the caller reports the result. Interface
// thread only.
#include "city/SaveGame.h"

#include <cstddef>
#include <optional>

class Simulation;

class Autosave {
public:
    explicit Autosave(Simulation& simulation);

    // The city as it is now counts as saved (a new game, a load, a save); the next
    // periodic autosave is counted from its day.
    void markSaved();

    // Once a frame, after the day's tick was released: with `everyDays` above 0 and no
    // tick running, writes the autosave when the day has reached the next multiple of
    // everyDays since the last mark. Nothing (nullopt) when none was due.
    std::optional<SaveResult> afterFrame(int everyDays);
    // The player leaves the city: writes the autosave when the city changed since it
    // was last saved, then forgets the city. Nothing when there was nothing to keep.
    std::optional<SaveResult> leave();

private:
    SaveResult write(const std::string& text);

    Simulation& simulation;
    bool active = false; // a city is shown
    std::size_t savedHash = 0;
    int markedDay = 0;
};
