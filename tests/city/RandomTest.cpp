#include "city/Random.h"

#include <cstdlib>
#include <gtest/gtest.h>

// A seeded game must play as it did when the city drew from rand(): same seed, same
// numbers, including the seeds rand() treats specially (0 and those above 2^31).
TEST(RandomTest, GivesTheSequenceOfTheLibraryRandForTheSameSeed) {
    for (const unsigned seed : {0u, 1u, 3u, 12345u, 0x80000000u, 0xffffffffu}) {
        std::srand(seed);
        Random numbers;
        numbers.seed(seed);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(numbers.next(), std::rand()) << "seed " << seed << ", draw " << i;
    }
    std::srand(1);
    Random unseeded;
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(unseeded.next(), std::rand()) << "draw " << i;
}
