#pragma once
// Saving and loading a whole game to and from a file or a numbered slot in the saves
// folder. Both wait for a running building tick and keep the next one from starting:
// they take Simulation::mapMutex, then buildingUpdateMutex (the documented order), only
// for the moment they read or replace the game, never while they touch the disk. Called
// on the interface thread; what the screens do on success is the caller's business.
#include <string>

class Simulation;

struct SaveResult {
    bool ok = false;
    std::string message; // one line; on success what was done, else why it failed

    explicit operator bool() const { return ok; }
};

class SaveGame {
public:
    // The slot number the autosave is loaded by.
    static constexpr int AutosaveSlot = 0;

    // savesPath() + slot + ".sav"; the autosave's path for AutosaveSlot.
    static std::string slotPath(int slot);
    // savesPath() + "autosave.sav".
    static std::string autosavePath();
    // Removes the temporary files that saves killed half-way left in the saves folder,
    // so a crash loop cannot fill the disk; done at start-up and before every save into
    // that folder (a slot or the autosave), never in folders that are not the game's.
    static int removeStaleTemporaries();

    // The game as the save file holds it; waits for a running tick.
    static std::string snapshotText(Simulation& simulation);
    // Writes the game through AtomicWriter, so a failure anywhere leaves the previous
    // file as it was; a symlinked slot is written through its link.
    static SaveResult saveToFile(Simulation& simulation, const std::string& path);
    static SaveResult writeText(const std::string& path, const std::string& text);
    // Reads and checks the whole file first; the game changes only when all of it is
    // valid, and then completely.
    static SaveResult loadFromFile(Simulation& simulation, const std::string& path);

    // Print "game saved to slot %d!" / "game loaded from slot %d!" ("from the
    // autosave") on success and "No such save file: <path>" for a slot that cannot be
    // opened.
    static SaveResult saveSlot(Simulation& simulation, int slot);
    static SaveResult loadSlot(Simulation& simulation, int slot);

    // Reads the whole file into text; fails for a file that cannot be read and, unread,
    // for one larger than any game could write.
    static SaveResult readText(const std::string& path, std::string& text);
};
