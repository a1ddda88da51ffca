// Frame time of the map pass for a fully built 75 x 75 city in a 1280 x 720 window:
// the normal view (about 640 x 360 map units on screen) and the whole map on screen
// with nothing culled. A plain timed harness: GL work is measured with the frame
// presented, since a software renderer does its drawing when the frame is flushed.
// Run under Xvfb with the generated data, from the build folder:
//   TAPBURG_DATA_DIR=data xvfb-run -a -s "-screen 0 1920x1080x24" bench/bench_client_map_draw
#include "CityFixture.h"
#include "assets/FontManager.h"
#include "assets/SpriteManager.h"
#include "city/Tile.h"
#include "game/Game.h"
#include "game/MapRenderer.h"
#include "platform/Config.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

// Allocations made by the measuring thread only: the GL driver's own threads do not
// count against the map pass.
std::atomic<long> allocations{0};
thread_local bool countAllocations = false;

constexpr int kFrames = 400;
constexpr int kWarmUpFrames = 20;

using Clock = std::chrono::steady_clock;

struct Figures {
    double medianMs;
    double p90Ms;
    double allocationsPerFrame;
};

template <class Frame> Figures measure(Frame&& frame) {
    for (int i = 0; i < kWarmUpFrames; ++i)
        frame();
    std::vector<double> times;
    times.reserve(kFrames);
    const long before = allocations.load();
    for (int i = 0; i < kFrames; ++i) {
        const Clock::time_point start = Clock::now();
        frame();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const long allocated = allocations.load() - before;
    std::sort(times.begin(), times.end());
    return Figures{times[times.size() / 2], times[times.size() * 9 / 10],
                   static_cast<double>(allocated) / kFrames};
}

int drawnTiles(const Map& map) {
    int count = 0;
    for (const Tile& tile : map.tiles)
        count += tile.isVisible() && !tile.hasFlag(kFlagOffScreen) ? 1 : 0;
    return count;
}

void report(const char* name, const Figures& f) {
    std::printf("%-44s median %7.3f ms  p90 %7.3f ms  allocations/frame %.2f\n", name, f.medianMs,
                f.p90Ms, f.allocationsPerFrame);
}

} // namespace

__attribute__((noinline)) void* operator new(std::size_t size) {
    if (countAllocations)
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

__attribute__((noinline)) void operator delete(void* p) noexcept {
    std::free(p);
}

__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main() {
    Game game;
    game.config = std::make_unique<Config>();
    game.config->set("width", "1280");
    game.config->set("height", "720");
    game.createWindow();
    game.simulation = std::make_unique<Simulation>();
    game.spriteManager = std::make_unique<SpriteManager>(game);
    game.fontManager = std::make_unique<FontManager>(game);
    game.spriteManager->loadSprites();
    game.fontManager->loadFonts();
    game.mapRenderer = std::make_unique<MapRenderer>(game);
    const CityFixtureStats stats = buildFullCity(*game.simulation, 75);
    std::printf("city: %d houses, %d shops, %d job buildings\n", stats.houses, stats.shops,
                stats.jobBuildings);
    game.frameTime = 1.f / 60.f;
    sf::RenderWindow& window = *game.window;
    // Measure the drawing, not the wait for the next frame.
    window.setFramerateLimit(0);
    window.setVerticalSyncEnabled(false);
    countAllocations = true;
    const auto present = [&] { window.display(); };
    const auto emptyFrame = [&] {
        window.clear(game.paperColor);
        present();
    };
    const auto mapFrame = [&] {
        window.clear(game.paperColor);
        window.setView(*game.mapView);
        game.mapRenderer->draw(window);
        present();
    };
    const auto drawOnly = [&] {
        window.setView(*game.mapView);
        game.mapRenderer->draw(window);
    };

    const Map& map = *game.simulation->map;
    game.centreViewOnTile(37, 37);
    std::printf("normal view: %d tiles drawn\n", drawnTiles(map));
    const Figures empty = measure(emptyFrame);
    report("empty frame (clear + present)", empty);
    report("normal view: map pass submitted", measure(drawOnly));
    const Figures normal = measure(mapFrame);
    report("normal view: clear + map pass + present", normal);
    std::printf("normal view: map pass = %.3f ms median\n", normal.medianMs - empty.medianMs);

    for (const int layer : {1, 2, 3}) {
        game.simulation->map->setLayer(layer);
        const Figures f = measure(mapFrame);
        std::printf("normal view, layer %d: map pass = %.3f ms median (%.2f allocations/frame)\n",
                    layer, f.medianMs - empty.medianMs, f.allocationsPerFrame);
    }
    game.simulation->map->setLayer(0);

    // The whole map into the same window, nothing culled.
    const sf::Vector2f whole(75 * 32.f, 75 * 16.f + 64.f);
    game.mapView->setSize(whole);
    game.centreViewOnPoint(75 * 16.f, 0.f);
    const int all = drawnTiles(map);
    std::printf("whole map: %d tiles drawn\n", all);
    const Figures full = measure(mapFrame);
    report("whole map: clear + map pass + present", full);
    std::printf("whole map: map pass = %.3f ms median, %.2f us per drawn tile\n",
                full.medianMs - empty.medianMs, (full.medianMs - empty.medianMs) * 1000.0 / all);
    return 0;
}
