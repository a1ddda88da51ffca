#pragma once
// Sound effects by name and the in-game music playlist: the seven tracks in a shuffled
// order, each followed by three seconds of silence, starting over after the last. The
// title track is not part of the playlist; its callers loop and play it themselves.
// Whether anything sounds is read from the settings ("sfxEnabled", "musicEnabled") at
// the moment of playing, so the options screen takes effect at once; how loud
// ("musicVolume", "sfxVolume") is applied when loading and when the options change it.
// Non-copyable; main thread only (the building tick hands its sounds over to it).
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Game;

class SoundManager {
public:
    // Files below the resource folder: "sounds/" + name + ".wav" and ".ogg".
    static constexpr std::array<const char*, 14> EffectNames = {"click",
                                                                "progress_build",
                                                                "plop_road",
                                                                "plop_building",
                                                                "demolish",
                                                                "tick",
                                                                "open_window",
                                                                "tock",
                                                                "year_end",
                                                                "month_end",
                                                                "fire",
                                                                "putoutfire",
                                                                "unlocked_feature",
                                                                "upgrade"};
    static constexpr std::array<const char*, 8> TrackNames = {
        "music/menu", "music/1", "music/2", "music/3", "music/4", "music/5", "music/6", "music/7"};
    static constexpr float MusicVolume = 45.f;
    static constexpr float SilenceSeconds = 3.f; // between two playlist tracks
    static constexpr int FullVolume = 100;
    static constexpr int VolumeStep = 10;

    // Shuffles the playlist once (with rand(), seeded at start-up); loads nothing yet.
    explicit SoundManager(Game& game);
    virtual ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Loads every effect, then every track. A missing or unreadable file leaves an
    // empty entry under its name, which plays silently.
    void loadSounds();
    // With sound effects on: (re)starts the effect of that name, or else plays the track
    // of that name. With them off nothing plays, not even a track. Unknown names are
    // ignored.
    void play(const std::string& name);
    bool sfxEnabled() const;
    // The stored volume setting as 0 to 100 in steps of VolumeStep; an absent or empty
    // value is full volume, as the game sounded before there was a setting.
    int volumeSetting(const char* key) const;
    // Sets every track and effect to the stored volumes.
    void applyVolumes();
    // The volume an effect meant to play at `base` (0 to 100) is given.
    float effectVolume(float base) const;
    // Null for a name that is not loaded.
    sf::Sound* getSound(const std::string& name);
    sf::Music* getMusic(const std::string& name);

    // Stops every track, the title track included.
    void stopMusic();
    // A new order; the position in the list stays where it was.
    void shufflePlaylist();
    // Starts the playlist track at the current position, unless music is off or that
    // track is the one already playing.
    void playCurrentTrack();
    // Once the current playlist track has been stopped for three seconds, starts the
    // next one. Called every frame while a city is shown.
    void update(float frameTime);

    const std::vector<std::string>& getPlaylist() const { return playlist; }
    // Empty until the first playlist track was started.
    const std::string& getCurrentTrack() const { return currentTrack; }
    std::int32_t getPlaylistIndex() const { return playlistIndex; }

private:
    bool setting(const char* key) const;
    bool isPlaying(const std::string& track) const;

    Game* game;
    // Declared before `sounds`, so every sound is gone before the buffer it plays.
    std::map<std::string, std::unique_ptr<sf::SoundBuffer>> buffers;
    std::map<std::string, std::unique_ptr<sf::Sound>> sounds;
    std::map<std::string, std::unique_ptr<sf::Music>> music;
    std::vector<std::string> playlist;
    std::string currentTrack;
    std::int32_t playlistIndex = 0;
    float silenceTime = 0.f;
};
