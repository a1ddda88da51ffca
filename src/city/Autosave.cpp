#include "city/Autosave.h"

#include "city/Simulation.h"

#include <functional>
#include <string>

Autosave::Autosave(Simulation& simulation) : simulation_(simulation) {}

void Autosave::markSaved() {
    savedHash_ = std::hash<std::string>{}(SaveGame::snapshotText(simulation_));
    markedDay_ = simulation_.dayCounter;
    active_ = true;
}

std::optional<SaveResult> Autosave::afterFrame(int everyDays) {
    if (!active_ || everyDays <= 0 ||
        simulation_.dayCounter / everyDays <= markedDay_ / everyDays || simulation_.tickRunning())
        return std::nullopt;
    return write(SaveGame::snapshotText(simulation_));
}

std::optional<SaveResult> Autosave::leave() {
    if (!active_)
        return std::nullopt;
    active_ = false;
    const std::string text = SaveGame::snapshotText(simulation_);
    if (std::hash<std::string>{}(text) == savedHash_)
        return std::nullopt;
    return write(text);
}

SaveResult Autosave::write(const std::string& text) {
    // A failed write is not retried every frame: the next one is due a period later.
    markedDay_ = simulation_.dayCounter;
    SaveGame::removeStaleTemporaries();
    SaveResult result = SaveGame::writeText(SaveGame::autosavePath(), text);
    if (result)
        savedHash_ = std::hash<std::string>{}(text);
    return result;
}
