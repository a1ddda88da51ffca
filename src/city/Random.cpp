#include "city/Random.h"

void Random::seed(unsigned value) {
    // The state is filled by the minimal standard generator (16807 modulo 2^31 - 1,
    // Schrage's method), and the first 310 numbers are thrown away to mix it.
    constexpr std::int64_t kModulus = 2147483647;
    constexpr std::int64_t kQuotient = 127773;
    constexpr std::int64_t kRemainder = 2836;
    constexpr int kWarmUp = 10 * static_cast<int>(kDegree);
    std::int64_t word = value == 0 ? 1 : static_cast<std::int32_t>(value);
    state[0] = static_cast<std::uint32_t>(word);
    for (std::size_t i = 1; i < kDegree; ++i) {
        word = 16807 * (word % kQuotient) - kRemainder * (word / kQuotient);
        if (word < 0)
            word += kModulus;
        state[i] = static_cast<std::uint32_t>(word);
    }
    front = kSeparation;
    rear = 0;
    for (int i = 0; i < kWarmUp; ++i)
        next();
}
