#include "GameSession.h"

#include "VirtualDisplay.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::seconds WindowTimeout{60};
constexpr int StartAttempts = 3;
constexpr std::chrono::seconds ScreenshotTimeout{20};
constexpr std::chrono::seconds ExitTimeout{30};
constexpr std::chrono::milliseconds PollStep{50};
constexpr int LogicalHeight = 360;
// The data the game reads but never writes; linked, not copied, into each session.
constexpr const char* SharedData[] = {"sprites", "fonts", "sounds", "shaders"};
// A PNG is complete once its last chunk, IEND with its CRC, is on disk.
constexpr char PngEnd[] = {'I', 'E', 'N', 'D', '\xAE', '\x42', '\x60', '\x82'};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool completePng(const fs::path& path) {
    const std::string bytes = readFile(path);
    const std::string end(PngEnd, sizeof PngEnd);
    return bytes.size() > end.size() &&
           bytes.compare(bytes.size() - end.size(), end.size(), end) == 0;
}

fs::path makeRoot() {
    std::string pattern = (fs::temp_directory_path() / "tapburg-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    // Reachable by a game run as another user.
    fs::permissions(pattern, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    return pattern;
}

std::string asanOptions() {
    // stdbuf preloads a library, which a sanitized game must accept. Leaks are left to
    // the client tests: at exit the software GL driver leaves blocks allocated from its
    // generated code, which no suppression can name.
    const char* current = std::getenv("ASAN_OPTIONS");
    return std::string(current ? current : "") + ":verify_asan_link_order=0:detect_leaks=0";
}

} // namespace

const std::string& sharedDisplay() {
    // Never destroyed: the server dies with this process, after everything that may
    // still talk to it at exit.
    static const VirtualDisplay* display = [] {
        fs::create_directories(TAPBURG_E2E_ARTIFACTS);
        auto* created = new VirtualDisplay(fs::path(TAPBURG_E2E_ARTIFACTS) / "xvfb.log");
        setenv("DISPLAY", created->name().c_str(), 1);
        return created;
    }();
    return display->name();
}

GameSession::GameSession(const std::string& scenario, SessionOptions options)
    : options_(std::move(options)), program_(TAPBURG_E2E_GAME), root_(makeRoot()),
      home_(root_ / "home"), data_(root_ / "data"),
      artifacts_(fs::path(TAPBURG_E2E_ARTIFACTS) / scenario), input_(sharedDisplay()) {
    fs::remove_all(artifacts_);
    fs::create_directories(artifacts_);
    fs::create_directories(home_);
    if (options_.ownDataFolder)
        prepareDataFolder();
}

GameSession::~GameSession() {
    game_.reset();
    keepArtifacts();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void GameSession::prepareDataFolder() const {
    fs::create_directories(data_ / "screenshots");
    for (const char* name : SharedData)
        fs::create_directory_symlink(fs::path(TAPBURG_E2E_DATA) / name, data_ / name);
    writeSettings();
}

void GameSession::writeSettings() const {
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    std::ofstream out(settingsPath());
    out << "isFullscreen=false\npostProcessing=" << flag(options_.postProcessing)
        << "\nwidth=1280\nheight=720\nmusicEnabled=" << flag(options_.music)
        << "\nsfxEnabled=" << flag(options_.sfx) << "\npalette=" << options_.palette << "\n";
}

void GameSession::setEnvironment(const std::string& name, std::optional<std::string> value) {
    environment_[name] = std::move(value);
}

bool GameSession::start() {
    std::vector<std::string> argv = launcher_;
    for (const char* word : {"stdbuf", "-oL", "-eL"})
        argv.emplace_back(word);
    argv.push_back(program_.string());
    ChildProcess::EnvironmentChanges environment{
        {"HOME", home_.string()},
        {"XDG_DATA_HOME", (home_ / ".local" / "share").string()},
        {"DISPLAY", sharedDisplay()},
        {"ALSOFT_DRIVERS", "null"},
        {"ASAN_OPTIONS", asanOptions()},
        {"TAPBURG_DATA_DIR",
         options_.ownDataFolder ? std::optional<std::string>(data_.string()) : std::nullopt},
    };
    for (const auto& [name, value] : environment_)
        environment[name] = value;
    std::optional<WindowGeometry> window;
    for (int attempt = 0; attempt < StartAttempts && !window; ++attempt) {
        game_ = std::make_unique<ChildProcess>(argv, environment, artifacts_ / "stdout.log");
        window = waitForWindow();
    }
    if (!window)
        return false;
    window_ = *window;
    scale_ = std::max(1, window_.height / LogicalHeight);
    // Keys go to the window under the pointer: there is no window manager.
    input_.moveTo(window_.x + window_.width / 2, window_.y + window_.height / 2);
    return screenshot("start").getSize().x > 0;
}

screen::Size GameSession::ui() const {
    return {window_.width / scale_, window_.height / scale_};
}

void GameSession::click(screen::Point point, int button) const {
    input_.click(window_.x + point.x * scale_ + scale_ / 2,
                 window_.y + point.y * scale_ + scale_ / 2, button);
}

void GameSession::key(const std::string& name) const {
    input_.key(name);
}

sf::Image GameSession::screenshot(const std::string& name) {
    input_.key("F12");
    sf::Image image;
    const std::optional<fs::path> shot = waitForScreenshot();
    if (!shot)
        return image;
    std::ostringstream kept;
    screenshotNames_.push_back(shot->filename().string());
    kept << std::setw(2) << std::setfill('0') << screenshotNames_.size() << "-" << name << ".png";
    // Moved away, so the next one is new even when taken within the same second.
    fs::rename(*shot, artifacts_ / kept.str());
    image.loadFromFile((artifacts_ / kept.str()).string());
    return image;
}

std::optional<WindowGeometry> GameSession::waitForWindow() const {
    const auto deadline = std::chrono::steady_clock::now() + WindowTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::optional<WindowGeometry> window = input_.findWindow("Tapburg"))
            return window;
        // Under load a new X client is now and then refused; the game then ends at once.
        if (game_->waitForExit(std::chrono::milliseconds(0)))
            return std::nullopt;
        std::this_thread::sleep_for(PollStep);
    }
    return std::nullopt;
}

std::optional<fs::path> GameSession::waitForScreenshot() const {
    const auto deadline = std::chrono::steady_clock::now() + ScreenshotTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        for (fs::directory_iterator it(screenshotsFolder(), ec), end; !ec && it != end;
             it.increment(ec))
            if (it->path().extension() == ".png" && completePng(it->path()))
                return it->path();
        std::this_thread::sleep_for(PollStep);
    }
    return std::nullopt;
}

std::optional<int> GameSession::closeWindow() {
    if (!game_)
        return std::nullopt;
    input_.requestClose(window_.id);
    return game_->waitForExit(ExitTimeout);
}

std::string GameSession::output() const {
    return readFile(artifacts_ / "stdout.log");
}

int GameSession::countInOutput(const std::string& text) const {
    const std::string all = output();
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        ++count;
    return count;
}

bool GameSession::waitForOutput(const std::string& text, int occurrences,
                                std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (countInOutput(text) < occurrences) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(PollStep);
    }
    return true;
}

fs::path GameSession::supportFolder() const {
    return home_ / ".local" / "share" / "Orlenvale" / "Tapburg";
}

fs::path GameSession::savePath(int slot) const {
    return supportFolder() / "saves" / (std::to_string(slot) + ".sav");
}

fs::path GameSession::settingsPath() const {
    return (options_.ownDataFolder ? data_ : supportFolder()) / "conf.dat";
}

fs::path GameSession::screenshotsFolder() const {
    return (options_.ownDataFolder ? data_ : supportFolder()) / "screenshots";
}

void GameSession::keepArtifacts() const {
    std::error_code ignored;
    fs::copy(settingsPath(), artifacts_ / "conf.dat", fs::copy_options::overwrite_existing,
             ignored);
    fs::copy(supportFolder() / "saves", artifacts_ / "saves",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ignored);
}
