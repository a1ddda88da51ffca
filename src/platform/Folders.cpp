#include "platform/Folders.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* SupportSubfolder = "Orlenvale/Tapburg";
constexpr const char* SettingsFile = "conf.dat";
constexpr int CreateAttempts = 5;
constexpr std::chrono::milliseconds CreateRetryDelay{200};

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

// XDG says a relative $XDG_DATA_HOME is invalid and must be ignored.
std::string userDataFolder() {
    if (const char* dir = std::getenv("XDG_DATA_HOME"); dir && dir[0] == '/')
        return dir;
    return homeFolder() + "/.local/share";
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool createFolder(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec || !isDirectory(path)) {
        std::printf("Error: Create folder failed %s\n", path.c_str());
        return false;
    }
    return true;
}

// The installed share folder belongs to the package whoever runs the game: root, for
// whom access() always says yes, must not write settings into it either.
bool isInstalledShareFolder(const std::string& folder) {
    const std::string installed = "/share/tapburg/";
    return folder.size() >= installed.size() &&
           folder.compare(folder.size() - installed.size(), installed.size(), installed) == 0;
}

bool isWritableFolder(const std::string& folder) {
    if (isInstalledShareFolder(folder))
        return false;
    return access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

} // namespace

std::string resourcePath() {
    if (const char* dir = std::getenv("TAPBURG_DATA_DIR"); dir && *dir)
        return withSlash(dir);
    std::error_code ec;
    const fs::path exeDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        return {};
    for (const fs::path& candidate : {exeDir / "data", exeDir / ".." / "share" / "tapburg"})
        if (fs::is_directory(candidate, ec))
            return withSlash(candidate.lexically_normal().string());
    return {};
}

std::string missingGameData(const std::string& resourceFolder) {
    for (const char* name : {"sprites/isomap.png", "fonts/normal.dat", "fonts/normal.png"}) {
        const std::string path = resourceFolder + name;
        std::error_code ec;
        if (!fs::is_regular_file(path, ec))
            return path;
    }
    return {};
}

std::string supportPath() {
    return userDataFolder() + "/" + SupportSubfolder + "/";
}

std::string savesPath() {
    return supportPath() + "saves/";
}

bool createSupportFolders() {
    std::string folder = supportPath();
    folder.pop_back();
    std::printf("Support folder: %s\n", folder.c_str());
    // A folder that already exists is taken as it is: only a fresh one gets "saves".
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        if (isDirectory(folder))
            return true;
        if (!fileExists(folder) && createFolder(folder)) {
            createFolder(folder + "/saves");
            return true;
        }
        std::this_thread::sleep_for(CreateRetryDelay);
    }
    std::fprintf(stderr, "Tapburg cannot start: the folder %s could not be created.\n",
                 folder.c_str());
    return false;
}

std::vector<std::string> listFiles(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    const std::string marker = "." + extension;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name != ".DS_Store" && name.find(marker) != std::string::npos)
            names.push_back(std::move(name));
    }
    return names;
}

void openInFileBrowser(const std::string& path) {
    // xdg-open would take a leading "-" as an option.
    const std::string target = !path.empty() && path[0] == '-' ? "./" + path : path;
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0)
        return;
    // Reaped off the main thread so a slow desktop never stalls a frame.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

WritableLocations chooseWritableLocations(const std::string& resourceFolder,
                                          const std::string& supportFolder, bool resourceWritable,
                                          bool supportHasSettings) {
    if (resourceWritable)
        return {resourceFolder + SettingsFile, resourceFolder + SettingsFile,
                resourceFolder + "screenshots/"};
    const std::string& loadFolder = supportHasSettings ? supportFolder : resourceFolder;
    return {loadFolder + SettingsFile, supportFolder + SettingsFile,
            supportFolder + "screenshots/"};
}

WritableLocations writableLocations() {
    const std::string resource = resourcePath();
    const std::string support = supportPath();
    return chooseWritableLocations(resource, support, isWritableFolder(resource),
                                   fileExists(support + SettingsFile));
}

std::string screenshotsFolder() {
    const std::string folder = writableLocations().screenshots;
    if (folder.rfind(supportPath(), 0) == 0) {
        std::error_code ec;
        fs::create_directories(folder, ec);
    }
    return folder;
}
