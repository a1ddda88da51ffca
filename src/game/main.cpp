#include "game/Game.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr const char* HelpText =
    "usage: tapburg [--help | --version]\n"
    "Tapburg, a city builder in which construction and time advance by clicking.\n"
    "Without options it opens the game window, which needs an X11 display.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Settings, saves and screenshots live in $XDG_DATA_HOME/Orlenvale/Tapburg/\n"
    "(by default ~/.local/share/Orlenvale/Tapburg/); TAPBURG_DATA_DIR names another\n"
    "game data folder.\n";

// Answers the informational options without a window, so that they work on a machine
// with no display; any other argument is left to the game, which ignores it.
bool answeredInformationalOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(HelpText, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tapburg " TAPBURG_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredInformationalOption(argc, argv))
        return 0;
    auto game = std::make_unique<Game>();
    if (!game->init(argc, argv))
        return 1;
    game->run();
    game->shutdown();
    game.reset();
    std::puts("Bye!");
    return 0;
}
