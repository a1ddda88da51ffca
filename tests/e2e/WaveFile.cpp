#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr std::uint16_t FormatFloat = 3;
constexpr std::uint16_t FormatExtensible = 0xFFFE;
constexpr std::size_t RiffHeader = 12;
constexpr std::size_t ChunkHeader = 8;
constexpr std::size_t FmtMinimum = 16;
constexpr std::size_t ExtensibleSubFormat = 24; // offset of the sub-format GUID in fmt
constexpr std::uint16_t FloatBits = 32;

std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint16_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

} // namespace

WaveFile::WaveFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < RiffHeader || bytes.compare(0, 4, "RIFF") != 0 ||
        bytes.compare(8, 4, "WAVE") != 0)
        return;
    bool floats = false;
    int channels = 0, rate = 0;
    for (std::size_t at = RiffHeader; at + ChunkHeader <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = le32(bytes, at + 4);
        const std::size_t body = at + ChunkHeader;
        if (id == "fmt " && size >= FmtMinimum && body + size <= bytes.size()) {
            const std::uint16_t format = le16(bytes, body);
            const std::uint16_t subFormat =
                format == FormatExtensible && size >= ExtensibleSubFormat + 2
                    ? le16(bytes, body + ExtensibleSubFormat)
                    : format;
            floats = subFormat == FormatFloat && le16(bytes, body + 14) == FloatBits;
            channels = le16(bytes, body + 2);
            rate = static_cast<int>(le32(bytes, body + 4));
        } else if (id == "data") {
            if (!floats || channels <= 0)
                return;
            const std::size_t available = bytes.size() - body;
            const std::size_t length = size == 0 || size > available ? available : size;
            samples_.resize(length / sizeof(float));
            std::memcpy(samples_.data(), bytes.data() + body, samples_.size() * sizeof(float));
            dataOffset_ = body;
            channels_ = channels;
            rate_ = rate;
            return;
        }
        at = body + size + (size & 1);
    }
}

float WaveFile::peak(std::size_t first, std::size_t last) const {
    float result = 0.f;
    const std::size_t end = std::min(last, frames()) * channels_;
    for (std::size_t i = first * channels_; i < end; ++i)
        result = std::max(result, std::fabs(samples_[i]));
    return result;
}
