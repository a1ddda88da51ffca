#include "city/SaveGame.h"

#include "city/SaveReader.h"
#include "city/SaveWriter.h"
#include "city/Simulation.h"
#include "platform/AtomicWriter.h"
#include "platform/Folders.h"

#include <cstdio>
#include <fstream>
#include <mutex>
#include <unistd.h>

namespace {

// The largest map with every tile carrying its longest record stays well below this.
constexpr std::streamoff kMaxSaveBytes = 256 * 1024 * 1024;

// Waits for a running tick and keeps the next one from starting, taking the locks in
// the documented order.
class TickPause {
public:
    explicit TickPause(Simulation& simulation)
        : map(simulation.mapMutex), update(simulation.buildingUpdateMutex) {}

private:
    std::scoped_lock<std::mutex> map;
    std::scoped_lock<std::mutex> update;
};

SaveResult failure(const std::string& path, const std::string& why) {
    return SaveResult{false, path + ": " + why};
}

} // namespace

std::string SaveGame::slotPath(int slot) {
    return slot == AutosaveSlot ? autosavePath() : savesPath() + std::to_string(slot) + ".sav";
}

std::string SaveGame::autosavePath() {
    return savesPath() + "autosave.sav";
}

int SaveGame::removeStaleTemporaries() {
    return AtomicWriter::removeStaleTemporaries(savesPath(), ".sav");
}

std::string SaveGame::snapshotText(Simulation& simulation) {
    SaveFile snapshot;
    {
        const TickPause pause(simulation);
        snapshot = SaveFile::capture(simulation);
    }
    return SaveWriter::format(snapshot);
}

SaveResult SaveGame::writeText(const std::string& path, const std::string& text) {
    const std::string why = AtomicWriter::write(path, text);
    if (!why.empty())
        return failure(path, why);
    return SaveResult{true, "saved to " + path};
}

SaveResult SaveGame::readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return failure(path, "cannot be opened");
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxSaveBytes)
        return failure(path, "is not a save file (size)");
    text.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(text.data(), size))
        return failure(path, "cannot be read");
    return SaveResult{true, ""};
}

SaveResult SaveGame::saveToFile(Simulation& simulation, const std::string& path) {
    return writeText(path, snapshotText(simulation));
}

SaveResult SaveGame::loadFromFile(Simulation& simulation, const std::string& path) {
    std::string text;
    if (SaveResult read = readText(path, text); !read)
        return read;
    const SaveReader::Result parsed = SaveReader::parse(text);
    if (!parsed.save)
        return failure(path, parsed.error);
    const SaveFile& save = *parsed.save;
    std::printf("save version: %d\n", save.version);
    std::printf("mapSize = %d x %d\n", save.width, save.height);
    // A finished tick hands over its fires before the game they belong to goes.
    simulation.waitForTick();
    {
        const TickPause pause(simulation);
        save.apply(simulation);
    }
    return SaveResult{true, "loaded " + path};
}

SaveResult SaveGame::saveSlot(Simulation& simulation, int slot) {
    removeStaleTemporaries();
    SaveResult result = saveToFile(simulation, slotPath(slot));
    if (result)
        std::printf("game saved to slot %d!\n", slot);
    else
        std::printf("%s\n", result.message.c_str());
    return result;
}

SaveResult SaveGame::loadSlot(Simulation& simulation, int slot) {
    const std::string path = slotPath(slot);
    if (::access(path.c_str(), R_OK) != 0) {
        std::printf("No such save file: %s\n", path.c_str());
        return failure(path, "no such save file");
    }
    SaveResult result = loadFromFile(simulation, path);
    if (result && slot == AutosaveSlot)
        std::puts("game loaded from the autosave!");
    else if (result)
        std::printf("game loaded from slot %d!\n", slot);
    else
        std::printf("%s\n", result.message.c_str());
    return result;
}
