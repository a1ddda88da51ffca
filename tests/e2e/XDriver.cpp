#include "XDriver.h"

#include "ChildProcess.h"

#include <X11/Xlib.h>
#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// Long enough for a frame at 60 Hz on a loaded machine to pass.
constexpr std::chrono::milliseconds SettleTime{60};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

int shellValue(const std::string& text, const std::string& name) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + "=", 0) == 0)
            return std::stoi(line.substr(name.size() + 1));
    return 0;
}

} // namespace

bool XDriver::xdotool(const std::string& arguments, std::string* output) const {
    std::vector<std::string> argv{"xdotool"};
    for (std::string& word : words(arguments))
        argv.push_back(std::move(word));
    return runProgram(argv, output, std::chrono::seconds(10), {{"DISPLAY", display_}}) == 0;
}

std::optional<WindowGeometry> XDriver::findWindow(const std::string& title) const {
    std::string ids;
    if (!xdotool("search --onlyvisible --name ^" + title + "$", &ids) || words(ids).empty())
        return std::nullopt;
    WindowGeometry geometry;
    geometry.id = std::stoul(words(ids).front());
    const std::string id = std::to_string(geometry.id);
    std::string shell;
    xdotool("windowmove --sync " + id + " 0 0");
    if (!xdotool("getwindowgeometry --shell " + id, &shell))
        return std::nullopt;
    geometry.x = shellValue(shell, "X");
    geometry.y = shellValue(shell, "Y");
    geometry.width = shellValue(shell, "WIDTH");
    geometry.height = shellValue(shell, "HEIGHT");
    return geometry;
}

void XDriver::moveTo(int x, int y) const {
    // No --sync: it waits for the pointer to move, forever when it is there already.
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    std::this_thread::sleep_for(SettleTime);
}

void XDriver::click(int x, int y, int button) const {
    moveTo(x, y);
    xdotool("mousedown " + std::to_string(button));
    std::this_thread::sleep_for(SettleTime);
    xdotool("mouseup " + std::to_string(button));
    std::this_thread::sleep_for(SettleTime);
}

void XDriver::key(const std::string& name) const {
    xdotool("key " + name);
    std::this_thread::sleep_for(SettleTime);
}

bool XDriver::requestClose(unsigned long window) const {
    Display* display = XOpenDisplay(display_.c_str());
    if (display == nullptr)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XFlush(display);
    XCloseDisplay(display);
    return sent;
}
