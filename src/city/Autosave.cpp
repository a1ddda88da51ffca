#include "city/Autosave.h"

#include "city/Simulation.h"

#include <functional>
#include <string>

Autosave::Autosave(Simulation& owner) : simulation(owner) {}

void Autosave::markSaved() {
    savedHash = std::hash<std::string>{}(SaveGame::snapshotText(simulation));
    markedDay = simulation.dayCounter;
    active = true;
}

std::optional<SaveResult> Autosave::afterFrame(int everyDays) {
    if (!active || everyDays <= 0 || simulation.dayCounter / everyDays <= markedDay / everyDays ||
        simulation.tickRunning())
        return std::nullopt;
    return write(SaveGame::snapshotText(simulation));
}

std::optional<SaveResult> Autosave::leave() {
    if (!active)
        return std::nullopt;
    active = false;
    const std::string text = SaveGame::snapshotText(simulation);
    if (std::hash<std::string>{}(text) == savedHash)
        return std::nullopt;
    return write(text);
}

SaveResult Autosave::write(const std::string& text) {
    // A failed write is not retried every frame: the next one is due a period later.
    markedDay = simulation.dayCounter;
    SaveGame::removeStaleTemporaries();
    SaveResult result = SaveGame::writeText(SaveGame::autosavePath(), text);
    if (result)
        savedHash = std::hash<std::string>{}(text);
    return result;
}
