// Sound reaches the audio device: OpenAL's wave-writer driver records everything the
// game plays, and the stretch in which a road is clicked together is not silent while
// the stretch just before it is.
#include "GameSession.h"
#include "Player.h"
#include "WaveFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int ClicksPerDay = 10;
// Long enough for the clicks and window sounds before it to fade.
constexpr std::chrono::milliseconds Hush{1500};
constexpr std::chrono::milliseconds Tail{800};
constexpr float SilenceLevel = 0.002f;
constexpr float AudibleLevel = 0.02f;

std::size_t fileSize(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<std::size_t>(size);
}

} // namespace

TEST(SoundE2e, BuildingIsHeard) {
    GameSession session("sound");
    const std::filesystem::path wave = session.root() / "sound.wav";
    const std::filesystem::path conf = session.root() / "alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << wave.string() << "\n";
    // The null driver every other scenario uses would win over the configuration.
    session.setEnvironment("ALSOFT_DRIVERS", std::nullopt);
    session.setEnvironment("ALSOFT_CONF", conf.string());
    ASSERT_TRUE(session.start()) << session.output();
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();
    ASSERT_TRUE(player.armRoadBesideFirstRoad()) << session.output();

    std::this_thread::sleep_for(Hush);
    const std::size_t quietEnd = fileSize(wave);
    player.clickProgress(ClicksPerDay);
    std::this_thread::sleep_for(Tail);
    const std::size_t buildEnd = fileSize(wave);
    ASSERT_EQ(session.closeWindow(), 0);
    std::filesystem::copy(wave, session.artifacts() / "sound.wav",
                          std::filesystem::copy_options::overwrite_existing);

    const WaveFile recording(wave);
    ASSERT_TRUE(recording.valid()) << "no float WAVE data in " << wave;
    const std::size_t frameBytes = sizeof(float) * recording.channels();
    const auto frameAt = [&](std::size_t size) {
        return size > recording.dataOffset() ? (size - recording.dataOffset()) / frameBytes : 0;
    };
    const std::size_t hush = static_cast<std::size_t>(recording.sampleRate()) / 2;
    const std::size_t quiet = frameAt(quietEnd);
    ASSERT_GT(quiet, hush);
    EXPECT_LT(recording.peak(quiet - hush, quiet), SilenceLevel);
    EXPECT_GT(recording.peak(quiet, frameAt(buildEnd)), AudibleLevel);
}
