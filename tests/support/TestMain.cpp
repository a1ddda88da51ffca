// The test programs' main: before any test runs, point everything that could reach
// outside the build tree at safe places, so running a test binary by hand behaves like
// running it through ctest.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// Under AddressSanitizer: a test whose process the exit-time leak check cannot survive
// sets TAPBURG_SKIP_LEAK_CHECK. The software GL driver's shader threads are torn down
// while the checker stops every thread, and the checker then crashes now and then.
extern "C" int __lsan_is_turned_off() {
    return std::getenv("TAPBURG_SKIP_LEAK_CHECK") != nullptr;
}

int main(int argc, char** argv) {
    // Tests never write into the real home folder, and each test process has its own,
    // since ctest runs tests side by side and several of them write the same slots.
    const std::string home = TAPBURG_TEST_HOME + std::to_string(getpid());
    setenv("XDG_DATA_HOME", home.c_str(), 1);
#ifdef TAPBURG_TEST_DATA_DIR
    setenv("TAPBURG_DATA_DIR", TAPBURG_TEST_DATA_DIR, 0);
    // No sound card needed; a developer may still choose a driver explicitly.
    setenv("ALSOFT_DRIVERS", "null", 0);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
