// The playlist and the settings switches, against the generated data folder and the
// null audio device. Under that device a started stream reports Playing until it is
// stopped, so a track "ends" here when the test stops it.
#include "assets/SoundManager.h"

#include "AssetTestSupport.h"
#include "game/Game.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

using assettest::configWith;

bool playing(const sf::SoundSource* source) {
    return source && source->getStatus() == sf::SoundSource::Playing;
}

class SoundPlaylist : public ::testing::Test {
protected:
    SoundPlaylist() {
        game.config = configWith("sfxEnabled=true\nmusicEnabled=true\n");
        const assettest::DataFolder generated;
        sounds.loadSounds();
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

// The playlist holds each track once and starts unplayed; a playing track holds it where
// it is, the next track follows three seconds of silence, and after the seventh the same
// order comes round again. A reshuffle keeps the position.
TEST_F(SoundPlaylist, NextTrackFollowsThreeSecondsOfSilence) {
    const std::vector<std::string> order = sounds.getPlaylist();
    std::vector<std::string> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"music/1", "music/2", "music/3", "music/4",
                                                "music/5", "music/6", "music/7"}));
    sounds.update(10.f);
    EXPECT_FALSE(anyTrackPlaying());

    sounds.playCurrentTrack();
    sounds.update(10.f);
    std::vector<std::string> heard = {sounds.getCurrentTrack()};
    endCurrentTrack();
    sounds.update(1.f);
    sounds.update(1.9f);
    EXPECT_EQ(sounds.getPlaylistIndex(), 0);
    EXPECT_FALSE(anyTrackPlaying());
    sounds.update(0.2f);
    EXPECT_TRUE(playing(sounds.getMusic(sounds.getCurrentTrack())));
    heard.push_back(sounds.getCurrentTrack());
    for (int i = 0; i < 7; ++i) {
        endCurrentTrack();
        sounds.update(SoundManager::SilenceSeconds);
        heard.push_back(sounds.getCurrentTrack());
    }
    std::vector<std::string> expected = order;
    expected.insert(expected.end(), order.begin(), order.begin() + 2);
    EXPECT_EQ(heard, expected);
    sounds.shufflePlaylist();
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

    sf::Music* title = sounds.getMusic("music/menu");
    title->play();
    sounds.stopMusic();
    EXPECT_FALSE(anyTrackPlaying());
    EXPECT_FALSE(playing(title));
}

// The switches are read when something plays, not when the manager was made. The effects
// switch silences tracks played as effects too; unknown names play nothing.
TEST_F(SoundPlaylist, SwitchesSilenceWhatTheyCover) {
    game.config = configWith("sfxEnabled=false\nmusicEnabled=false\n");
    sounds.playCurrentTrack();
    sounds.update(SoundManager::SilenceSeconds);
    sounds.play("year_end");
    sounds.play("music/3");
    EXPECT_EQ(sounds.getCurrentTrack(), "");
    EXPECT_EQ(sounds.getPlaylistIndex(), 0);
    EXPECT_FALSE(anyTrackPlaying());
    EXPECT_FALSE(playing(sounds.getSound("year_end")));

    game.config->set("sfxEnabled", "true");
    sounds.play("year_end");
    sounds.play("music/3");
    EXPECT_TRUE(playing(sounds.getSound("year_end")));
    EXPECT_TRUE(playing(sounds.getMusic("music/3")));

    EXPECT_EQ(sounds.getSound("no_such_sound"), nullptr);
    EXPECT_EQ(sounds.getMusic("music/8"), nullptr);
    sounds.play("no_such_sound");
}

TEST(SoundFiles, MissingFilesLeaveSilentEntries) {
    Game game;
    game.config = configWith("sfxEnabled=true\nmusicEnabled=true\n");
    SoundManager sounds(game);
    {
        const assettest::ScratchFolder empty;
        const assettest::DataFolder nothing(empty.file(""));
        sounds.loadSounds();
    }
    for (const char* name : SoundManager::EffectNames) {
        ASSERT_NE(sounds.getSound(name), nullptr) << name;
        sounds.play(name);
        EXPECT_FALSE(playing(sounds.getSound(name))) << name;
    }
    sounds.playCurrentTrack();
    sounds.update(SoundManager::SilenceSeconds);
    EXPECT_EQ(sounds.getPlaylistIndex(), 1);
    EXPECT_FALSE(playing(sounds.getMusic(sounds.getCurrentTrack())));
}

} // namespace
