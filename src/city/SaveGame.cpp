#include "city/SaveGame.h"

#include "city/SaveReader.h"
#include "city/SaveWriter.h"
#include "city/Simulation.h"
#include "platform/Folders.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

SaveResult systemFailure(const std::string& path, const char* step) {
    return failure(path, std::string(step) + ": " + std::strerror(errno));
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error,
// since the file is complete either way.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

SaveResult writeAtomically(const std::string& path, const std::string& text) {
    std::string temporary = path + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return systemFailure(path, "cannot create a temporary file");
    temporary = name.data();
    const char* step = nullptr;
    if (!writeAll(fd, text))
        step = "cannot write";
    else if (::fsync(fd) != 0)
        step = "cannot flush";
    // mkstemp makes the file private; a save is an ordinary user file.
    ::fchmod(fd, 0644);
    if (::close(fd) != 0 && step == nullptr)
        step = "cannot close";
    if (step == nullptr && ::rename(temporary.c_str(), path.c_str()) != 0)
        step = "cannot replace the file";
    if (step != nullptr) {
        const SaveResult result = systemFailure(path, step);
        ::unlink(temporary.c_str());
        return result;
    }
    syncFolder(folderOf(path));
    return SaveResult{true, "saved to " + path};
}

} // namespace

std::string SaveGame::slotPath(int slot) {
    return savesPath() + std::to_string(slot) + ".sav";
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
    SaveFile snapshot;
    {
        const TickPause pause(simulation);
        snapshot = SaveFile::capture(simulation);
    }
    return writeAtomically(path, SaveWriter::format(snapshot));
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
    if (result)
        std::printf("game loaded from slot %d!\n", slot);
    else
        std::printf("%s\n", result.message.c_str());
    return result;
}
