#include "GameSession.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int LogicalHeight = 360;
// The data the game reads but never writes; linked, not copied, into each session.
constexpr const char* SharedData[] = {"sprites", "fonts", "sounds", "shaders"};
// A PNG is complete once its last chunk, IEND with its CRC, is on disk.
constexpr char PngEnd[] = {'I', 'E', 'N', 'D', '\xAE', '\x42', '\x60', '\x82'};

// The private display of this process, started on first use: nothing else draws on it
// or moves its pointer, so the input events a scenario sends reach only the game.
// -noreset: by default the server resets when its last client leaves and refuses
// whoever connects meanwhile, which between two xdotool runs may be the game.
const std::string& display() {
    static const std::string name = [] {
        const fs::path number =
            fs::temp_directory_path() / ("tapburg-e2e-display-" + std::to_string(getpid()));
        // Never destroyed: the server dies with this process, after everything that
        // may still talk to it at exit. Held in a static so the leak check sees it kept.
        fs::create_directories(TAPBURG_E2E_ARTIFACTS);
        static auto* const server = new ChildProcess(
            {"sh", "-c",
             "exec Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1920x1080x24 3>\"$0\"",
             number.string()},
            (fs::path(TAPBURG_E2E_ARTIFACTS) / "xvfb.log").string());
        // The server writes its display number once it accepts clients.
        std::string written;
        waitUntil([&] {
            written = readFile(number);
            return written.find('\n') != std::string::npos || !server->running();
        });
        fs::remove(number);
        const std::string started =
            written.empty() ? "" : ":" + written.substr(0, written.find('\n'));
        setenv("DISPLAY", started.c_str(), 1);
        return started;
    }();
    return name;
}

bool xdotool(std::vector<std::string> arguments, std::string* output = nullptr) {
    arguments.insert(arguments.begin(), "xdotool");
    return runProgram(arguments, output) == 0;
}

int shellValue(const std::string& text, const std::string& name) {
    const std::size_t at = text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + name.size() + 1);
}

bool completePng(const fs::path& path) {
    const std::string bytes = readFile(path), end(PngEnd, sizeof PngEnd);
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

GameSession::GameSession(const std::string& scenario, bool installed)
    : installed_(installed), root_(makeRoot()), home_(root_ / "home"), data_(root_ / "data"),
      artifacts_(fs::path(TAPBURG_E2E_ARTIFACTS) / scenario) {
    display();
    fs::remove_all(artifacts_);
    fs::create_directories(artifacts_);
    fs::create_directories(home_);
    if (installed_)
        return;
    fs::create_directories(data_ / "screenshots");
    for (const char* name : SharedData)
        fs::create_directory_symlink(fs::path(TAPBURG_E2E_DATA) / name, data_ / name);
    // No CRT shader: Xvfb's software GL may lack shaders, and screenshots should show
    // the plain picture. No music either, so that sound comes only from the city.
    std::ofstream(settingsPath()) << "isFullscreen=false\npostProcessing=false\nwidth=1280\n"
                                     "height=720\nmusicEnabled=false\nsfxEnabled=true\npalette=0\n";
}

GameSession::~GameSession() {
    game_.reset();
    std::error_code ignored;
    fs::copy(supportFolder() / "saves", artifacts_ / "saves",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ignored);
    fs::remove_all(root_, ignored);
}

bool GameSession::start() {
    std::map<std::string, std::optional<std::string>> environment{
        {"HOME", home_.string()},
        {"XDG_DATA_HOME", (home_ / ".local" / "share").string()},
        {"ALSOFT_DRIVERS", "null"},
        {"ASAN_OPTIONS", asanOptions()},
        {"TAPBURG_DATA_DIR",
         installed_ ? std::nullopt : std::optional<std::string>(data_.string())},
    };
    for (const auto& [name, value] : options.environment)
        environment[name] = value;
    std::vector<std::string> argv = options.launcher;
    argv.emplace_back("env"); // removals first: env takes no options after a setting
    for (const auto& [name, value] : environment)
        if (!value)
            argv.insert(argv.end(), {"-u", name});
    for (const auto& [name, value] : environment)
        if (value)
            argv.push_back(name + "=" + *value);
    argv.insert(argv.end(), {"stdbuf", "-oL", "-eL", options.program.string()});
    game_ = std::make_unique<ChildProcess>(argv, (artifacts_ / "stdout.log").string());
    if (display().empty() || !findWindow())
        return false;
    scale_ = std::max(1, size_.y / LogicalHeight);
    // Keys go to the window under the pointer: there is no window manager.
    xdotool({"mousemove", std::to_string(size_.x / 2), std::to_string(size_.y / 2)});
    return screenshot("start").getSize().x > 0;
}

bool GameSession::findWindow() {
    std::string found;
    waitUntil([&] {
        return !game_->running() ||
               (xdotool({"search", "--onlyvisible", "--name", "^Tapburg$"}, &found) &&
                !found.empty());
    });
    if (found.empty() || !game_->running())
        return false;
    window_ = std::stoul(found);
    // Without a window manager the window stays where the game asked, which may be
    // partly off the screen, where no pointer reaches.
    const std::string id = std::to_string(window_);
    xdotool({"windowmove", id, "0", "0"});
    std::string geometry;
    const bool placed = waitUntil([&] {
        return xdotool({"getwindowgeometry", "--shell", id}, &geometry) &&
               shellValue(geometry, "X") == 0 && shellValue(geometry, "Y") == 0;
    });
    size_ = {shellValue(geometry, "WIDTH"), shellValue(geometry, "HEIGHT")};
    return placed;
}

void GameSession::click(sf::Vector2i point, int times) {
    if (inputInFlight_)
        screenshot("input");
    const sf::Vector2i at = point * scale_ + sf::Vector2i(scale_ / 2, scale_ / 2);
    xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y), "click", "--repeat",
             std::to_string(times), "1"});
    inputInFlight_ = true;
}

void GameSession::key(const std::string& name) {
    xdotool({"key", name});
}

void GameSession::point(sf::Vector2i point) {
    const sf::Vector2i at = point * scale_;
    xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y)});
}

void GameSession::scroll(sf::Vector2i point, int notches) {
    const sf::Vector2i at = point * scale_;
    const char* button = notches > 0 ? "4" : "5";
    xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y), "click", "--repeat",
             std::to_string(std::abs(notches)), button});
    inputInFlight_ = true;
}

void GameSession::resize(sf::Vector2i size) {
    xdotool(
        {"windowsize", std::to_string(window_), std::to_string(size.x), std::to_string(size.y)});
    size_ = size;
    scale_ = std::max(1, size_.y / LogicalHeight);
}

sf::Image GameSession::screenshot(const std::string& name) {
    xdotool({"key", "F12"});
    const fs::path folder = (installed_ ? supportFolder() : data_) / "screenshots";
    std::optional<fs::path> shot;
    waitUntil([&] {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".png" && completePng(it->path()))
                shot = it->path();
        return shot || !game_->running();
    });
    sf::Image image;
    if (!shot)
        return image;
    inputInFlight_ = false;
    std::ostringstream kept;
    kept << std::setw(2) << std::setfill('0') << ++screenshots_ << "-" << name << ".png";
    // Moved away, so the next one is new even when taken within the same second.
    fs::rename(*shot, artifacts_ / kept.str());
    image.loadFromFile((artifacts_ / kept.str()).string());
    return image;
}

std::optional<int> GameSession::closeWindow() {
    Display* connection = game_ ? XOpenDisplay(display().c_str()) : nullptr;
    if (connection == nullptr)
        return std::nullopt;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(connection, window_, False, NoEventMask, &event);
    XCloseDisplay(connection);
    return game_->waitForExit();
}

int GameSession::countInOutput(const std::string& text) const {
    const std::string all = output();
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        ++count;
    return count;
}

bool GameSession::waitForOutput(const std::string& text, int occurrences) const {
    return waitUntil([&] { return countInOutput(text) >= occurrences || !game_->running(); }) &&
           countInOutput(text) >= occurrences;
}
