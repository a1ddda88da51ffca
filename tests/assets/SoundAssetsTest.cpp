// Guards the generated effects and tracks against silence, clicks, placeholders and
// uneven loudness: the data folder is made by the build, so a broken generator shows here.
#include "assets/SoundManager.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string SoundFolder = std::string(TAPBURG_TEST_DATA_DIR) + "sounds/";

double rmsDecibels(const sf::Int16* samples, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return 20.0 * std::log10(std::max(std::sqrt(sum / double(count)), 1.0) / 32768.0);
}

TEST(SoundAssets, EveryEffectIsShortAudibleAndStartsAndEndsQuietly) {
    for (const char* name : SoundManager::EffectNames) {
        SCOPED_TRACE(name);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(SoundFolder + name + ".wav"));
        EXPECT_EQ(buffer.getChannelCount(), 1u);
        EXPECT_EQ(buffer.getSampleRate(), 44100u);
        EXPECT_GT(buffer.getDuration().asSeconds(), 0.03f);
        EXPECT_LT(buffer.getDuration().asSeconds(), 3.f);
        const std::vector<sf::Int16> samples(buffer.getSamples(),
                                             buffer.getSamples() + buffer.getSampleCount());
        ASSERT_FALSE(samples.empty());
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        const int peak = std::max(-int(*low), int(*high));
        EXPECT_GT(peak, 32767 / 3);
        EXPECT_LT(peak, 32767);
        // A jump at either end is heard as a click.
        EXPECT_LT(std::abs(samples.front()), 300);
        EXPECT_LT(std::abs(samples.back()), 300);
    }
}

TEST(SoundAssets, TracksLastOneToTwoMinutesAtEvenLoudnessAndFadeOut) {
    std::vector<double> loudness;
    std::set<std::vector<sf::Int16>> openings;
    for (const char* name : SoundManager::TrackNames) {
        SCOPED_TRACE(name);
        sf::InputSoundFile file;
        ASSERT_TRUE(file.openFromFile(SoundFolder + name + ".ogg"));
        EXPECT_GE(file.getDuration().asSeconds(), 60.f);
        EXPECT_LE(file.getDuration().asSeconds(), 120.f);
        std::vector<sf::Int16> samples(std::size_t(file.getSampleCount()));
        samples.resize(std::size_t(file.read(samples.data(), samples.size())));
        ASSERT_GT(samples.size(), 44100u);
        loudness.push_back(rmsDecibels(samples.data(), samples.size()));
        const std::size_t tail = file.getSampleRate() * file.getChannelCount() / 10;
        EXPECT_LT(rmsDecibels(samples.data() + samples.size() - tail, tail), loudness.back() - 20);
        // Identical stretches would mean one tune copied under two names.
        const auto quarter = samples.begin() + std::ptrdiff_t(samples.size() / 4);
        openings.insert(std::vector<sf::Int16>(quarter, quarter + 4096));
    }
    const auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
    EXPECT_LE(*loudest - *quietest, 3.0);
    EXPECT_EQ(openings.size(), SoundManager::TrackNames.size());
}

} // namespace
