// Cost of rebuilding the per-kind lists and the houses' provider lists after one shop is
// built in a fully built city, and the memory the provider lists hold.
#include "CityFixture.h"

#include <benchmark/benchmark.h>
#include <iostream>

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

void BM_RecalculateAfterShop(benchmark::State& state) {
    Simulation sim;
    const CityFixtureStats stats = buildFullCity(sim, static_cast<int>(state.range(0)));
    Map& map = *sim.map;
    Tile* site = firstEmptyTile(map);
    if (site == nullptr) {
        state.SkipWithError("the fixture city has no empty tile");
        return;
    }
    for (auto _ : state) {
        site->setKind(TileKind::Shop, 2);
        map.recalculateVisibleTiles();
        state.PauseTiming();
        site->setKind(TileKind::Empty);
        map.recalculateVisibleTiles();
        state.ResumeTiming();
    }
    site->setKind(TileKind::Shop, 2);
    map.recalculateVisibleTiles();
    const double providers = stats.shops + 1 + stats.jobBuildings + stats.waterBuildings;
    state.counters["houses"] = stats.houses;
    state.counters["shops"] = stats.shops + 1;
    state.counters["providerMiB"] = static_cast<double>(map.providerListBytes()) / kMiB;
    // What lists of every provider of each family would take.
    state.counters["allProvidersMiB"] = stats.houses * providers * sizeof(Tile*) / kMiB;
}

// After a rotation or a load, or when a family's largest range changes, every list of
// every house is rebuilt.
void BM_RecalculateEverything(benchmark::State& state) {
    Simulation sim;
    buildFullCity(sim, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sim.map->markEverythingChanged();
        sim.map->recalculateVisibleTiles();
    }
}

void citySizes(benchmark::internal::Benchmark* b) {
    b->Arg(75)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond);
    b->Repetitions(7)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_RecalculateAfterShop)->Apply(citySizes);
BENCHMARK(BM_RecalculateEverything)->Apply(citySizes);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The map logs every rebuild on standard output; the report goes to standard error
    // so that `2>&1 >/dev/null` leaves only the figures.
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
