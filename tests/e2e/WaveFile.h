#pragma once
// What OpenAL's wave-writer driver records: a RIFF file of 32-bit float samples
// (WAVE_FORMAT_EXTENSIBLE), read chunk by chunk. The data size in the header is only
// right once the writer has closed the file, so a short or zero size means "to the
// end of the file".
#include <cstddef>
#include <filesystem>
#include <vector>

class WaveFile {
public:
    explicit WaveFile(const std::filesystem::path& path);

    bool valid() const { return channels_ > 0 && rate_ > 0; }
    int channels() const { return channels_; }
    int sampleRate() const { return rate_; }
    // Where the samples start in the file, to map a file size seen while the game ran
    // to a frame.
    std::size_t dataOffset() const { return dataOffset_; }
    std::size_t frames() const { return channels_ ? samples_.size() / channels_ : 0; }
    // The largest absolute sample of frames [first, last), any channel.
    float peak(std::size_t first, std::size_t last) const;

private:
    int channels_ = 0;
    int rate_ = 0;
    std::size_t dataOffset_ = 0;
    std::vector<float> samples_;
};
