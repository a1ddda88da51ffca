// The daily tick of a fully built city: median and longest tick over many days, and the
// memory the process holds, on 75 x 75, 110 x 110, 150 x 150 and 300 x 300 maps, of 75 x 75
// cities whose days start out of cache, and of the city the built-in player grows in 20 years. The
// tick body runs on the benchmark's thread, so thread start-up is not part of the figure.
#include "CityFixture.h"
#include "city/SaveGame.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kMiB = 1024.0; // /proc reports kB
constexpr int kMinimumTicks = 100;

// Peak and current resident memory of the process, in kB.
std::pair<double, double> memoryKb() {
    std::ifstream status("/proc/self/status");
    double peak = 0.0;
    double now = 0.0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stod(line.substr(6));
        else if (line.rfind("VmRSS:", 0) == 0)
            now = std::stod(line.substr(6));
    }
    return {peak, now};
}

// The tick prints its diagnostics; they would drown the report.
class QuietStdout {
public:
    QuietStdout() : saved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        if (std::FILE* null = std::fopen("/dev/null", "w")) {
            dup2(fileno(null), STDOUT_FILENO);
            std::fclose(null);
        }
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved;
};

// Runs one tick per iteration on the benchmark's thread, of each city in turn, and reports
// the figures; buildings and houses are those of one city.
void measureTicks(benchmark::State& state, const std::vector<Simulation*>& cities, int buildings) {
    std::vector<double> millis;
    {
        const QuietStdout quiet;
        std::size_t next = 0;
        for (auto _ : state) {
            Simulation& sim = *cities[next++ % cities.size()];
            const auto start = std::chrono::steady_clock::now();
            sim.buildingTick();
            millis.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    std::sort(millis.begin(), millis.end());
    const auto [peak, now] = memoryKb();
    state.counters["buildings"] = buildings;
    state.counters["houses"] = static_cast<double>(cities.front()->map->lists.houses.size());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["max_ms"] = millis.back();
    state.counters["p95_ms"] = millis[millis.size() * 95 / 100];
    state.counters["rss_MiB"] = now / kMiB;
    state.counters["peak_MiB"] = peak / kMiB;
}

void BM_DailyTick(benchmark::State& state) {
    Simulation sim;
    int buildings = 0;
    {
        const QuietStdout quiet;
        buildFullCity(sim, static_cast<int>(state.range(0)));
        buildings = furnishFullCity(sim);
    }
    measureTicks(state, {&sim}, buildings);
}

// Ticks run back to back find the day before's data still in the processor's caches
// when it fits them, as a 75 x 75 city's does. In the game, frames are drawn between two
// days; here sixteen 75 x 75 cities (as many houses as one 300 x 300 city) take their
// days in turn, so each day starts with its city's data out of the second-level cache.
void BM_DailyTickCold(benchmark::State& state) {
    constexpr int kCities = 16;
    std::vector<std::unique_ptr<Simulation>> cities;
    int buildings = 0;
    {
        const QuietStdout quiet;
        for (int i = 0; i < kCities; ++i) {
            cities.push_back(std::make_unique<Simulation>());
            buildFullCity(*cities.back(), static_cast<int>(state.range(0)));
            buildings = furnishFullCity(*cities.back());
        }
    }
    std::vector<Simulation*> turns;
    for (const auto& city : cities)
        turns.push_back(city.get());
    measureTicks(state, turns, buildings);
}

// The city the built-in player grows from seed 1 in 20 years, as a player's city looks.
void BM_DailyTickGrownCity(benchmark::State& state) {
    Simulation sim;
    bool loaded = false;
    {
        const QuietStdout quiet;
        loaded = static_cast<bool>(SaveGame::loadFromFile(sim, TAPBURG_GROWN_CITY));
    }
    if (!loaded) {
        state.SkipWithError("the grown city " TAPBURG_GROWN_CITY " could not be loaded");
        return;
    }
    int buildings = 0;
    for (const Tile& tile : sim.map->tiles)
        buildings += tile.building != nullptr ? 1 : 0;
    measureTicks(state, {&sim}, buildings);
}

// The same day as the game runs it: advanceDay starts the tick on its thread and the
// release joins it.
void BM_DayOnItsThread(benchmark::State& state) {
    Simulation sim;
    const QuietStdout quiet;
    buildFullCity(sim, static_cast<int>(state.range(0)));
    furnishFullCity(sim);
    for (auto _ : state) {
        sim.advanceDay();
        sim.waitForTick();
        sim.takeRequests();
    }
}

} // namespace

BENCHMARK(BM_DayOnItsThread)->Arg(75)->Iterations(kMinimumTicks * 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DailyTick)
    ->Arg(75)
    ->Arg(110)
    ->Arg(150)
    ->Arg(300)
    ->Iterations(kMinimumTicks * 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DailyTickCold)->Arg(75)->Iterations(kMinimumTicks * 16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DailyTickGrownCity)->Iterations(kMinimumTicks * 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
