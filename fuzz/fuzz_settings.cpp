// Feeds arbitrary bytes to the settings reader as a settings file, then uses what it
// read the way the game does. It must never crash, hang or overrun an entry.
#include "platform/Config.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string scratchPath(const char* name) {
    return "/tmp/tapburg-fuzz-settings-" + std::to_string(::getpid()) + name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = scratchPath(".in");
    static const std::string output = scratchPath(".out");
    if (std::FILE* file = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    Config config;
    config.load(input);
    for (const char* key : {"isFullscreen", "postProcessing", "musicEnabled", "palette"}) {
        config.is(key, "true");
        config.getInt(key);
        config.toggle(key);
    }
    config.setInt("palette", (config.getInt("palette") + 1) % 8);
    for (const Config::Entry& entry : config.entries())
        config.get(std::string(entry.key.data()));
    config.save(output);
    Config reread;
    reread.load(output);
    return 0;
}
