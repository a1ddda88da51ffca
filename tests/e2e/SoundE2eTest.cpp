// Sound reaches the audio device: OpenAL's wave-writer driver records everything the
// game plays, and once the game has fallen silent, clicking a road together is heard.
#include "GameSession.h"
#include "Player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr int ClicksPerDay = 10;
constexpr double HushSeconds = 0.5;
constexpr float SilenceLevel = 0.002f;
constexpr float AudibleLevel = 0.02f;

// A little-endian field of the header, on a little-endian machine.
template <typename Field> std::size_t field(const std::string& bytes, std::size_t at) {
    Field value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// The recording as it grows: 32-bit float frames from `dataOffset` to the end of the
// file, since the writer fills in the data size only when it closes the file.
struct Recording {
    std::filesystem::path path;
    std::size_t dataOffset = 0;
    std::size_t frameBytes = 0;
    std::size_t rate = 0;

    // Reads the format once the writer has put the header down.
    bool open() {
        const std::string bytes = readFile(path);
        const std::size_t format = bytes.find("fmt "), data = bytes.find("data");
        if (format == std::string::npos || data == std::string::npos || data < format + 24 ||
            field<std::uint16_t>(bytes, format + 22) != 8 * sizeof(float))
            return false;
        frameBytes = sizeof(float) * field<std::uint16_t>(bytes, format + 10);
        rate = field<std::uint32_t>(bytes, format + 12);
        dataOffset = data + 8;
        return frameBytes > 0 && rate > 0;
    }
    std::size_t frames() const {
        std::error_code ec;
        const std::size_t size = std::filesystem::file_size(path, ec);
        return !ec && size > dataOffset ? (size - dataOffset) / frameBytes : 0;
    }
    // The largest absolute sample of frames [first, last), any channel.
    float peak(std::size_t first, std::size_t last) const {
        std::ifstream in(path, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(dataOffset + first * frameBytes));
        std::vector<float> samples((last - first) * frameBytes / sizeof(float));
        in.read(reinterpret_cast<char*>(samples.data()),
                static_cast<std::streamsize>(samples.size() * sizeof(float)));
        float result = 0.f;
        for (const float sample : samples)
            result = std::max(result, std::fabs(sample));
        return result;
    }
};

} // namespace

TEST(SoundE2e, BuildingIsHeard) {
    GameSession session("sound");
    Recording recording{session.artifacts() / "sound.wav"};
    const std::filesystem::path conf = session.root() / "alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << recording.path.string()
                        << "\n";
    // The null driver every other scenario uses would win over the configuration.
    session.options.environment = {{"ALSOFT_DRIVERS", std::nullopt},
                                   {"ALSOFT_CONF", conf.string()}};
    ASSERT_TRUE(session.start()) << session.output();
    Player player(session);
    ASSERT_TRUE(player.startNewGame()) << session.output();
    ASSERT_TRUE(player.armRoadBesideFirstRoad()) << session.output();
    ASSERT_TRUE(waitUntil([&] { return recording.open(); })) << "no float WAVE header";

    // The clicks and window sounds so far fade; then half a second is silent.
    const std::size_t hush = static_cast<std::size_t>(recording.rate * HushSeconds);
    std::size_t quiet = 0;
    EXPECT_TRUE(waitUntil([&] {
        quiet = recording.frames();
        return quiet > hush && recording.peak(quiet - hush, quiet) < SilenceLevel;
    })) << "the game never fell silent";
    player.clickProgress(ClicksPerDay);
    EXPECT_TRUE(waitUntil([&] { return recording.peak(quiet, recording.frames()) > AudibleLevel; }))
        << "building was not heard";
    EXPECT_EQ(session.closeWindow(), 0);
}
