#include "SoundFile.h"

#include "Synth.h"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

bool writeSoundFile(const std::string& path, const Synth& synth) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (ec) {
        std::printf("assetgen: cannot create the folder of %s: %s\n", path.c_str(),
                    ec.message().c_str());
        return false;
    }
    std::vector<sf::Int16> pcm;
    pcm.reserve(synth.samples().size());
    for (const float x : synth.samples())
        pcm.push_back(static_cast<sf::Int16>(std::lround(std::clamp(x, -1.f, 1.f) * 32767.f)));
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, synth.sampleRate(), 1)) {
        std::printf("assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    file.write(pcm.data(), pcm.size());
    return true;
}
