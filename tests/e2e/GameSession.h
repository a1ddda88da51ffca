#pragma once
// One run of the real game for a scenario: a fresh home folder, its own data folder
// (the build's art behind links, its own conf.dat and screenshots), the game's output
// captured line by line, and the X window found on the private display. Whatever the
// scenario leaves (output, screenshots, settings, saves) is kept as its artifacts in
// the build folder; the temporary folders go.
#include "ChildProcess.h"
#include "ScreenLayout.h"
#include "XDriver.h"

#include <SFML/Graphics/Image.hpp>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct SessionOptions {
    // The settings the game starts with. No CRT shader by default: Xvfb's software
    // GL may lack shaders, and screenshots should show the plain picture.
    bool postProcessing = false;
    bool music = false;
    bool sfx = true;
    int palette = 0;
    // Off for an installed game: it then finds its share folder by itself and keeps
    // settings and screenshots in the support folder.
    bool ownDataFolder = true;
};

class GameSession {
public:
    GameSession(const std::string& scenario, SessionOptions options = {});
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // For the next start: the game to run (the build's by default), a command put
    // before it (for example to run it as another user), and changes to its
    // environment (a value sets the variable, nullopt removes it).
    void setProgram(std::filesystem::path program) { program_ = std::move(program); }
    void setLauncher(std::vector<std::string> launcher) { launcher_ = std::move(launcher); }
    void setEnvironment(const std::string& name, std::optional<std::string> value);
    // Starts the game and waits until its window shows a first frame.
    bool start();
    screen::Size ui() const;
    void click(screen::Point point, int button = 1) const;
    void key(const std::string& name) const;
    // F12, then waits for the picture and keeps it as an artifact named `name`. Since
    // the game handles input in order, every event sent before has been acted on once
    // it arrives. An empty image when none came.
    sf::Image screenshot(const std::string& name);
    // Closes the window as a window manager would; the exit code once the game ended.
    std::optional<int> closeWindow();

    std::string output() const;
    int countInOutput(const std::string& text) const;
    bool waitForOutput(const std::string& text, int occurrences,
                       std::chrono::milliseconds timeout) const;

    std::filesystem::path supportFolder() const;
    std::filesystem::path savePath(int slot) const;
    std::filesystem::path settingsPath() const;
    std::filesystem::path screenshotsFolder() const;
    // The names the game gave its screenshots, in the order they were taken.
    const std::vector<std::string>& screenshotNames() const { return screenshotNames_; }
    std::filesystem::path artifacts() const { return artifacts_; }
    std::filesystem::path root() const { return root_; }

private:
    void prepareDataFolder() const;
    void writeSettings() const;
    // The game's window once it shows; nullopt when the game ended first or took too long.
    std::optional<WindowGeometry> waitForWindow() const;
    std::optional<std::filesystem::path> waitForScreenshot() const;
    void keepArtifacts() const;

    SessionOptions options_;
    std::filesystem::path program_;
    std::vector<std::string> launcher_;
    ChildProcess::EnvironmentChanges environment_;
    std::filesystem::path root_;
    std::filesystem::path home_;
    std::filesystem::path data_;
    std::filesystem::path artifacts_;
    std::unique_ptr<ChildProcess> game_;
    XDriver input_;
    WindowGeometry window_;
    int scale_ = 1;
    std::vector<std::string> screenshotNames_;
};

// The private display every session of this process runs on; started on first use.
const std::string& sharedDisplay();
