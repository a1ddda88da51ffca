#pragma once
// The simulation's random numbers. The same sequence, seed for seed, as the rand() of the
// GNU C library, so a seeded game plays as it always has; but kept per simulation and
// without that rand()'s lock, which a day of the tick took once for every house.
// Additive feedback: each number is the sum of the ones 3 and 31 places back.
// Drawn only under the simulation's mapMutex (or before any tick thread runs).
#include <array>
#include <cstdint>

class Random {
public:
    Random() { seed(1); }

    // Starts the sequence srand(value) starts.
    void seed(unsigned value);
    // The next number, 0 to 2^31 - 1, as rand() would give it.
    int next() {
        const std::uint32_t sum = state[front] + state[rear];
        state[front] = sum;
        front = front + 1 == kDegree ? 0 : front + 1;
        rear = rear + 1 == kDegree ? 0 : rear + 1;
        return static_cast<int>(sum >> 1);
    }

private:
    static constexpr std::size_t kDegree = 31;
    static constexpr std::size_t kSeparation = 3;

    std::array<std::uint32_t, kDegree> state{};
    std::size_t front = kSeparation;
    std::size_t rear = 0;
};
