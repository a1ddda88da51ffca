// The playlist and the settings switches, against the generated data folder and the
// null audio device. Under that device a started stream reports Playing until it is
// stopped, so a track "ends" here when the test stops it.
#include "assets/SoundManager.h"

#include "game/Game.h"
#include "platform/Config.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// Points the resource folder somewhere for the lifetime of the guard.
class DataFolder {
public:
    explicit DataFolder(const std::string& path) {
        if (const char* old = std::getenv("TAPBURG_DATA_DIR"))
            saved_ = old;
        setenv("TAPBURG_DATA_DIR", path.c_str(), 1);
    }
    ~DataFolder() {
        saved_ ? setenv("TAPBURG_DATA_DIR", saved_->c_str(), 1) : unsetenv("TAPBURG_DATA_DIR");
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

private:
    std::optional<std::string> saved_;
};

bool playing(const sf::SoundSource* source) {
    return source && source->getStatus() == sf::SoundSource::Playing;
}

bool playing(const sf::Music* track) {
    return track && track->getStatus() == sf::SoundSource::Playing;
}

class SoundSwitches : public ::testing::Test {
protected:
    SoundSwitches() { configure(true, true); }

    void configure(bool sfx, bool musicOn) {
        const std::filesystem::path conf =
            std::filesystem::temp_directory_path() / "tapburg-sound-test.conf";
        std::ofstream(conf) << "sfxEnabled=" << (sfx ? "true" : "false")
                            << "\nmusicEnabled=" << (musicOn ? "true" : "false") << "\n";
        game.config = std::make_unique<Config>();
        game.config->load(conf.string());
        std::filesystem::remove(conf);
    }

    // What a finished (or paused) track looks like to the playlist.
    void endCurrentTrack() { sounds.getMusic(sounds.getCurrentTrack())->stop(); }

    bool anyTrackPlaying() {
        return std::any_of(SoundManager::TrackNames.begin(), SoundManager::TrackNames.end(),
                           [this](const char* name) { return playing(sounds.getMusic(name)); });
    }

    Game game;
    SoundManager sounds{game};
};

class SoundPlaylist : public SoundSwitches {
protected:
    void SetUp() override {
        const DataFolder generated(TAPBURG_TEST_DATA_DIR);
        sounds.loadSounds();
    }
};

TEST_F(SoundPlaylist, StartsUnplayedWithEachTrackOnce) {
    std::vector<std::string> sorted = sounds.getPlaylist();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"music/1", "music/2", "music/3", "music/4",
                                                "music/5", "music/6", "music/7"}));
    EXPECT_EQ(sounds.getCurrentTrack(), "");
    sounds.update(10.f);
    EXPECT_FALSE(anyTrackPlaying());
}

TEST_F(SoundPlaylist, NextTrackFollowsThreeSecondsOfSilence) {
    const std::vector<std::string> order = sounds.getPlaylist();
    sounds.playCurrentTrack();
    ASSERT_EQ(sounds.getCurrentTrack(), order[0]);
    ASSERT_TRUE(playing(sounds.getMusic(order[0])));

    sounds.update(10.f); // a playing track holds the playlist where it is
    EXPECT_EQ(sounds.getPlaylistIndex(), 0);

    endCurrentTrack();
    sounds.update(1.f);
    sounds.update(1.9f);
    EXPECT_EQ(sounds.getPlaylistIndex(), 0);
    EXPECT_FALSE(anyTrackPlaying());

    sounds.update(0.2f);
    EXPECT_EQ(sounds.getPlaylistIndex(), 1);
    EXPECT_EQ(sounds.getCurrentTrack(), order[1]);
    EXPECT_TRUE(playing(sounds.getMusic(order[1])));
}

TEST_F(SoundPlaylist, WrapsToTheSameOrderAfterTheSeventh) {
    const std::vector<std::string> order = sounds.getPlaylist();
    sounds.playCurrentTrack();
    std::vector<std::string> heard = {sounds.getCurrentTrack()};
    for (int i = 0; i < 8; ++i) {
        endCurrentTrack();
        sounds.update(SoundManager::SilenceSeconds);
        heard.push_back(sounds.getCurrentTrack());
    }
    std::vector<std::string> expected = order;
    expected.insert(expected.end(), order.begin(), order.begin() + 2);
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(sounds.getPlaylistIndex(), 1);
}

TEST_F(SoundPlaylist, RunningTrackIsNotRestartedButAStoppedOneIs) {
    sounds.playCurrentTrack();
    sf::Music* track = sounds.getMusic(sounds.getCurrentTrack());
    track->setPlayingOffset(sf::seconds(30.f));
    sounds.playCurrentTrack();
    EXPECT_GE(track->getPlayingOffset().asSeconds(), 29.f);

    track->stop();
    sounds.playCurrentTrack();
    EXPECT_TRUE(playing(track));
    EXPECT_LT(track->getPlayingOffset().asSeconds(), 5.f);
}

TEST_F(SoundPlaylist, ReshuffleKeepsThePosition) {
    sounds.playCurrentTrack();
    endCurrentTrack();
    sounds.update(SoundManager::SilenceSeconds);
    sounds.shufflePlaylist();
    EXPECT_EQ(sounds.getPlaylistIndex(), 1);
}

TEST_F(SoundPlaylist, StopMusicSilencesTheTitleTrackToo) {
    sf::Music* title = sounds.getMusic("music/menu");
    title->setLoop(true);
    title->play();
    sounds.playCurrentTrack();
    sounds.stopMusic();
    EXPECT_FALSE(anyTrackPlaying());
}

TEST_F(SoundPlaylist, MusicOffNeverStartsAPlaylistTrack) {
    configure(true, false);
    sounds.playCurrentTrack();
    EXPECT_EQ(sounds.getCurrentTrack(), "");
    for (int frame = 0; frame < 10; ++frame)
        sounds.update(1.f);
    EXPECT_FALSE(anyTrackPlaying());
    EXPECT_EQ(sounds.getPlaylistIndex(), 0);
}

// The switches are read when something plays, not when the manager was made.
TEST_F(SoundPlaylist, EffectsOffSilencesEffectsAndTracksAlike) {
    configure(false, true);
    EXPECT_FALSE(sounds.sfxEnabled());
    sounds.play("year_end");
    sounds.play("music/3");
    EXPECT_FALSE(playing(sounds.getSound("year_end")));
    EXPECT_FALSE(playing(sounds.getMusic("music/3")));

    game.config->set("sfxEnabled", "true");
    EXPECT_TRUE(sounds.sfxEnabled());
    sounds.play("year_end");
    sounds.play("music/3");
    EXPECT_TRUE(playing(sounds.getSound("year_end")));
    EXPECT_TRUE(playing(sounds.getMusic("music/3")));
}

TEST_F(SoundPlaylist, UnknownNamesAreIgnored) {
    EXPECT_EQ(sounds.getSound("no_such_sound"), nullptr);
    EXPECT_EQ(sounds.getMusic("music/8"), nullptr);
    sounds.play("no_such_sound");
    EXPECT_FALSE(anyTrackPlaying());
}

TEST_F(SoundSwitches, MissingFilesLeaveSilentEntries) {
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() / "tapburg-sound-test-empty";
    std::filesystem::create_directories(empty);
    {
        const DataFolder nothing(empty.string());
        sounds.loadSounds();
    }
    std::filesystem::remove(empty);

    for (const char* name : SoundManager::EffectNames) {
        ASSERT_NE(sounds.getSound(name), nullptr) << name;
        sounds.play(name);
    }
    sounds.playCurrentTrack();
    sounds.update(SoundManager::SilenceSeconds);
    EXPECT_FALSE(anyTrackPlaying());
    EXPECT_EQ(sounds.getPlaylistIndex(), 1);
}

} // namespace
