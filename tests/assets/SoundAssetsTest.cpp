// Guards the generated effects and tracks against silence, placeholders and uneven
// loudness: the data folder is made by the build, so a broken generator shows here.
#include "assets/SoundManager.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string SoundFolder = std::string(TAPBURG_TEST_DATA_DIR) + "sounds/";

double rmsDecibels(const sf::Int16* samples, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    const double rms = std::sqrt(sum / static_cast<double>(std::max<std::size_t>(count, 1)));
    return 20.0 * std::log10(std::max(rms, 1.0) / 32768.0);
}

TEST(SoundAssets, EveryEffectIsShortAudibleAndStartsAndEndsQuietly) {
    for (const char* name : SoundManager::EffectNames) {
        SCOPED_TRACE(name);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(SoundFolder + name + ".wav"));
        EXPECT_EQ(buffer.getChannelCount(), 1u);
        EXPECT_EQ(buffer.getSampleRate(), 44100u);
        const float seconds = buffer.getDuration().asSeconds();
        EXPECT_GT(seconds, 0.03f);
        EXPECT_LT(seconds, 3.f);

        const sf::Int16* samples = buffer.getSamples();
        const std::size_t count = buffer.getSampleCount();
        ASSERT_GT(count, 0u);
        const int peak = std::abs(*std::max_element(
            samples, samples + count, [](auto a, auto b) { return std::abs(a) < std::abs(b); }));
        EXPECT_GT(peak, 32767 / 3);
        EXPECT_LT(peak, 32767);
        // A jump at either end is heard as a click.
        EXPECT_LT(std::abs(samples[0]), 300);
        EXPECT_LT(std::abs(samples[count - 1]), 300);
    }
}

TEST(SoundAssets, TracksLastOneToTwoMinutesAtEvenLoudnessAndFadeOut) {
    std::vector<double> loudness;
    std::set<std::vector<sf::Int16>> openings;
    for (const char* name : SoundManager::TrackNames) {
        SCOPED_TRACE(name);
        sf::InputSoundFile file;
        ASSERT_TRUE(file.openFromFile(SoundFolder + name + ".ogg"));
        const float seconds = file.getDuration().asSeconds();
        EXPECT_GE(seconds, 60.f);
        EXPECT_LE(seconds, 120.f);

        std::vector<sf::Int16> samples(static_cast<std::size_t>(file.getSampleCount()));
        samples.resize(file.read(samples.data(), samples.size()));
        ASSERT_GT(samples.size(), 44100u);
        const double whole = rmsDecibels(samples.data(), samples.size());
        loudness.push_back(whole);

        const std::size_t tail = file.getSampleRate() * file.getChannelCount() / 10;
        EXPECT_LT(rmsDecibels(samples.data() + samples.size() - tail, tail), whole - 20.0);
        // Identical openings would mean one tune copied under two names.
        openings.insert(std::vector<sf::Int16>(samples.begin() + samples.size() / 4,
                                               samples.begin() + samples.size() / 4 + 4096));
    }
    const auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
    EXPECT_LE(*loudest - *quietest, 3.0);
    EXPECT_EQ(openings.size(), SoundManager::TrackNames.size());
}

} // namespace
