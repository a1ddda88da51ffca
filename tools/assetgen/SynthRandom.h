#pragma once
// A small deterministic generator (xorshift32), so that the same sources always give
// the same data files on every platform and library version.
#include <cstdint>

class SynthRandom {
public:
    explicit SynthRandom(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}

    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1].
    float bipolar() { return static_cast<float>(next() >> 8) / 8388607.5f - 1.f; }
    // Uniform in [0, count); count must be positive.
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint32_t>(count)); }
    bool chance(float probability) {
        return static_cast<float>(next() >> 8) / 16777216.f < probability;
    }

private:
    std::uint32_t state_;
};
