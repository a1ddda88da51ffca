#pragma once
// The folders the game reads from and writes to, and the few file-system services it
// needs. Every folder path returned here ends with "/", so callers append names.
#include <string>
#include <vector>

// The data folder (sprites, sounds, fonts, shaders, shipped conf.dat).
// $TAPBURG_DATA_DIR wins when set (tests and tools use it); otherwise the "data"
// folder beside the executable, then the installed share folder; else the empty
// string, so paths resolve against the working directory.
std::string resourcePath();

// The first file the game cannot start without (the picking image, the body font) that
// the data folder lacks, as the path it looked for; empty when all are there.
std::string missingGameData(const std::string& resourceFolder);

// Per-user folder: $XDG_DATA_HOME (default ~/.local/share) + "/Orlenvale/Tapburg/".
std::string supportPath();
// supportPath() + "saves/", where the numbered save slots live.
std::string savesPath();

// Creates the support folder and its "saves" subfolder when the support folder does
// not exist yet. Retries a few times (a mount may be late); returns false with a
// message on standard error when the folder still is not there, so start-up can stop.
bool createSupportFolders();

// Names (no folder part) of the entries in `folder` whose name contains "." +
// `extension` anywhere, in directory order. A missing folder gives an empty list.
std::vector<std::string> listFiles(const std::string& folder, const std::string& extension);

// Asks the desktop to show `path` in its file browser. Runs xdg-open directly (no
// shell, so the path is never interpreted) and does not wait for it.
void openInFileBrowser(const std::string& path);

// Where the settings are read and written and where screenshots go. From a writable
// data folder (the build tree) all three live there; an installed, read-only data
// folder hands writing over to the support folder, and reading too once a copy exists.
struct WritableLocations {
    std::string settingsLoad;
    std::string settingsSave;
    std::string screenshots;
};
WritableLocations chooseWritableLocations(const std::string& resourceFolder,
                                          const std::string& supportFolder, bool resourceWritable,
                                          bool supportHasSettings);
// The locations for this run, from the real folders.
WritableLocations writableLocations();

// The folder screenshots go to. One in the support folder is created on demand; the
// data folder's one ships with the game, and without it no screenshot is written.
std::string screenshotsFolder();
