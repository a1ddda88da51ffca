#include "assets/SoundManager.h"

#include "game/Game.h"
#include "platform/Config.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

SoundManager::SoundManager(Game& game) : game(&game) {
    for (int track = 1; track <= 7; ++track)
        playlist.push_back("music/" + std::to_string(track));
    shufflePlaylist();
}

SoundManager::~SoundManager() = default;

void SoundManager::loadSounds() {
    std::printf("Load sounds ... ");
    std::fflush(stdout);
    sounds.clear();
    buffers.clear();
    music.clear();
    const std::string folder = resourcePath() + "sounds/";
    for (const char* name : EffectNames) {
        auto buffer = std::make_unique<sf::SoundBuffer>();
        buffer->loadFromFile(folder + name + ".wav");
        sounds[name] = std::make_unique<sf::Sound>(*buffer);
        buffers[name] = std::move(buffer);
    }
    for (const char* name : TrackNames) {
        auto track = std::make_unique<sf::Music>();
        track->openFromFile(folder + name + ".ogg");
        music[name] = std::move(track);
    }
    applyVolumes();
    std::printf("done!\n");
}

int SoundManager::volumeSetting(const char* key) const {
    if (!game->config || game->config->get(key).empty())
        return FullVolume;
    const int level = std::clamp(game->config->getInt(key), 0, FullVolume);
    return level / VolumeStep * VolumeStep;
}

void SoundManager::applyVolumes() {
    const float musicShare = static_cast<float>(volumeSetting("musicVolume")) / FullVolume;
    for (auto& [name, track] : music)
        track->setVolume(MusicVolume * musicShare);
    for (auto& [name, sound] : sounds)
        sound->setVolume(effectVolume(FullVolume));
}

float SoundManager::effectVolume(float base) const {
    return base * static_cast<float>(volumeSetting("sfxVolume")) / FullVolume;
}

void SoundManager::play(const std::string& name) {
    if (!sfxEnabled())
        return;
    if (sf::Sound* sound = getSound(name))
        sound->play();
    else if (sf::Music* track = getMusic(name))
        track->play();
}

bool SoundManager::sfxEnabled() const {
    return setting("sfxEnabled");
}

sf::Sound* SoundManager::getSound(const std::string& name) {
    const auto it = sounds.find(name);
    return it == sounds.end() ? nullptr : it->second.get();
}

sf::Music* SoundManager::getMusic(const std::string& name) {
    const auto it = music.find(name);
    return it == music.end() ? nullptr : it->second.get();
}

void SoundManager::stopMusic() {
    for (auto& [name, track] : music)
        track->stop();
}

void SoundManager::shufflePlaylist() {
    // Fisher-Yates on the game's one random source.
    for (std::size_t i = playlist.size(); i > 1; --i)
        std::swap(playlist[i - 1], playlist[static_cast<std::size_t>(std::rand()) % i]);
}

void SoundManager::playCurrentTrack() {
    if (!setting("musicEnabled"))
        return;
    const std::string previous = std::exchange(currentTrack, playlist[playlistIndex]);
    if (currentTrack == previous && isPlaying(currentTrack))
        return;
    if (sf::Music* track = getMusic(currentTrack))
        track->play();
}

void SoundManager::update(float frameTime) {
    if (currentTrack.empty() || isPlaying(currentTrack))
        return;
    silenceTime += frameTime;
    if (silenceTime < SilenceSeconds)
        return;
    silenceTime = 0.f;
    playlistIndex = (playlistIndex + 1) % static_cast<std::int32_t>(playlist.size());
    playCurrentTrack();
}

bool SoundManager::setting(const char* key) const {
    return game->config && game->config->is(key, "true");
}

bool SoundManager::isPlaying(const std::string& track) const {
    const auto it = music.find(track);
    return it != music.end() && it->second->getStatus() == sf::SoundSource::Playing;
}
