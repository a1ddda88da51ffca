#include "VirtualDisplay.h"

#include <poll.h>
#include <string>
#include <unistd.h>

namespace {
constexpr int StartTimeoutMs = 15000;
}

VirtualDisplay::VirtualDisplay(const std::string& logPath) {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const std::string screen = std::to_string(Width) + "x" + std::to_string(Height) + "x24";
    // -displayfd lets the server pick a free display number and write it to us.
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{"Xvfb", "-displayfd", "3",
                                                                      "-screen", "0", screen,
                                                                      "-nolisten", "tcp"},
                                             ChildProcess::EnvironmentChanges{}, logPath, fds[1]);
    close(fds[1]);
    std::string number;
    pollfd reader{fds[0], POLLIN, 0};
    char c = 0;
    while (server_->started() && poll(&reader, 1, StartTimeoutMs) > 0 && read(fds[0], &c, 1) == 1 &&
           c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty())
        name_ = ":" + number;
}
