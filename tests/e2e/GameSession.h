#pragma once
// One run of the real game for a scenario, on a private Xvfb driven by X input events
// (xdotool): a fresh home folder, its own data folder (the build's art behind links,
// its own conf.dat and screenshots), and the game's output captured line by line.
// Whatever the scenario leaves (output, screenshots, saves) is kept as its
// artifacts in the build folder; the temporary folders go.
#include "ChildProcess.h"

#include <SFML/Graphics/Image.hpp>
#include <filesystem>
#include <map>
#include <memory>

// What start() runs: the game, a command put before it (for example to run it as another
// user), and changes to its environment (a value sets a variable, nullopt removes it).
struct SessionOptions {
    std::filesystem::path program = TAPBURG_E2E_GAME;
    std::vector<std::string> launcher;
    std::map<std::string, std::optional<std::string>> environment;
};

class GameSession {
public:
    // An installed game has no data folder of its own: it finds its share folder by
    // itself and keeps settings and screenshots in the support folder.
    explicit GameSession(const std::string& scenario, bool installed = false);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Starts the game once and waits until its window is viewable and shows a frame.
    bool start();
    sf::Vector2i ui() const { return size_ / scale_; }
    // Clicks `times` at `point`. The game hit-tests the pointer where it is when it
    // handles a click, and a window a click opens takes clicks only once it is drawn,
    // so before the pointer moves on, a screenshot proves the earlier clicks handled.
    void click(sf::Vector2i point, int times = 1);
    void key(const std::string& name);
    // Moves the pointer to `point` (UI pixels) without a click.
    void point(sf::Vector2i point);
    // Wheel notches at `point` (UI pixels): up for positive, down for negative.
    void scroll(sf::Vector2i point, int notches);
    // Resizes the window as a window manager would (window pixels); the session's UI size
    // and scale follow.
    void resize(sf::Vector2i size);
    // F12, then waits for the picture and keeps it as an artifact named `name`. Since
    // the game handles input in order, every event sent before has been acted on once
    // it arrives. An empty image when none came.
    sf::Image screenshot(const std::string& name);
    // Closes the window as a window manager would; the exit code once the game ended.
    std::optional<int> closeWindow();

    std::string output() const { return readFile(artifacts_ / "stdout.log"); }
    int countInOutput(const std::string& text) const;
    bool waitForOutput(const std::string& text, int occurrences) const;

    std::filesystem::path supportFolder() const { return home_ / ".local/share/Orlenvale/Tapburg"; }
    std::filesystem::path savePath(int slot) const {
        return supportFolder() / "saves" / (std::to_string(slot) + ".sav");
    }
    std::filesystem::path settingsPath() const {
        return (installed_ ? supportFolder() : data_) / "conf.dat";
    }
    std::filesystem::path artifacts() const { return artifacts_; }
    std::filesystem::path root() const { return root_; }

    SessionOptions options;

private:
    bool findWindow();

    bool installed_;
    std::filesystem::path root_, home_, data_, artifacts_;
    std::unique_ptr<ChildProcess> game_;
    unsigned long window_ = 0;
    sf::Vector2i size_;
    int scale_ = 1;
    bool inputInFlight_ = false;
    int screenshots_ = 0;
};
