#pragma once
// A program started by the scenarios (the game, Xvfb, xdotool), with its output in a
// file. The destructor kills it if it is still running, so a failed scenario never
// leaves a game or a display behind.
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// The bound on every wait of the scenarios. Each wait ends as soon as what it waits
// for has happened, so the bound only has to outlast a machine busy with other builds.
constexpr std::chrono::seconds Patience{120};

// Polls `done` until it holds or `limit` has passed; whether it held.
template <typename Condition>
bool waitUntil(Condition done, std::chrono::milliseconds limit = Patience) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    return true;
}

class ChildProcess {
public:
    // Starts `argv` with both output streams appended to `outputPath`.
    ChildProcess(std::vector<std::string> argv, const std::string& outputPath);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit code once the program has ended within `timeout`; nullopt if it is still
    // running. A program ended by a signal reports 128 + the signal number.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = Patience);
    bool running() { return !waitForExit(std::chrono::milliseconds(0)); }

private:
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Runs a helper program to its end; its exit code, or -1 when it could not start or
// outlasted the patience. Its output is returned through `output`.
int runProgram(const std::vector<std::string>& argv, std::string* output = nullptr);

std::string readFile(const std::string& path);
