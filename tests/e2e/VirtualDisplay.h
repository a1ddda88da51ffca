#pragma once
// A private X server for one scenario process: nothing else draws on it or moves its
// pointer, so the real input events the scenario sends reach only the game.
#include "ChildProcess.h"

#include <memory>
#include <string>

class VirtualDisplay {
public:
    static constexpr int Width = 1920;
    static constexpr int Height = 1080;

    // Starts Xvfb and waits until it names its display; `name()` is empty on failure.
    explicit VirtualDisplay(const std::string& logPath);
    const std::string& name() const { return name_; }

private:
    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};
