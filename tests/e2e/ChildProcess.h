#pragma once
// A program started by the scenarios (the game, Xvfb, xdotool), with its output in a
// file. The destructor kills it if it is still running, so a failed scenario never
// leaves a game or a display behind.
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Changes to the inherited environment: a value sets the variable, nullopt removes it.
    using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

    // Starts `argv` with both output streams appended to `outputPath` ("" discards
    // them). `keepFd`, when not -1, is handed to the child as descriptor 3.
    ChildProcess(const std::vector<std::string>& argv, const EnvironmentChanges& environment,
                 const std::string& outputPath, int keepFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // The exit code once the program has ended within `timeout`; nullopt if it is still
    // running. A program ended by a signal reports 128 + the signal number.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void kill();

private:
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Runs a short helper program to its end; its exit code, or -1 when it could not start
// or took longer than `timeout`. Its standard output is returned through `output`.
int runProgram(const std::vector<std::string>& argv, std::string* output = nullptr,
               std::chrono::milliseconds timeout = std::chrono::seconds(10),
               const ChildProcess::EnvironmentChanges& environment = {});
