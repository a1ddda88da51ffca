#include "game/Game.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    auto game = std::make_unique<Game>();
    if (!game->init(argc, argv))
        return 1;
    game->run();
    game->shutdown();
    game.reset();
    std::puts("Bye!");
    return 0;
}
