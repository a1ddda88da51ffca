// Saving and loading a fully built city: the whole round through the file, as the
// save-slot window does it. File size is reported as a counter.
// Run: bench_save_load --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "CityFixture.h"
#include "city/SaveGame.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string benchPath(int side) {
    return "/tmp/tapburg-bench-" + std::to_string(::getpid()) + "-" + std::to_string(side) + ".sav";
}

double fileBytes(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<double>(info.st_size) : 0.0;
}

void BM_SaveFullCity(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    Simulation sim;
    buildFullCity(sim, side);
    const std::string path = benchPath(side);
    for (auto _ : state)
        if (!SaveGame::saveToFile(sim, path))
            state.SkipWithError("save failed");
    state.counters["bytes"] = fileBytes(path);
    std::remove(path.c_str());
}

void BM_LoadFullCity(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::string path = benchPath(side);
    {
        Simulation built;
        buildFullCity(built, side);
        if (!SaveGame::saveToFile(built, path))
            state.SkipWithError("save failed");
    }
    Simulation sim;
    for (auto _ : state)
        if (!SaveGame::loadFromFile(sim, path))
            state.SkipWithError("load failed");
    state.counters["bytes"] = fileBytes(path);
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_SaveFullCity)->Arg(75)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFullCity)->Arg(75)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
