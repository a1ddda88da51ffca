// Frame time of the map pass in a 1280 x 720 window: a new game's start view, then a
// fully built 75 x 75 city in the normal view (about 640 x 360 map units on screen), on
// each information layer, and with the whole map on screen and nothing culled. Each is
// drawn into the window (post-processing off) and into the frame texture that
// post-processing reads (on, as the game starts). "Steady" frames advance the timers as
// the game does and keep the map picture while nothing in it changes; "panned" frames
// move the view as a held arrow key does at 60 frames a second, half a screen right and
// back again, so most are copies out of the kept picture and some move it, as its
// margin runs out; "redrawn" frames jump the view round three places further apart than
// the margin, so every frame moves the picture further than a pan does (the whole map,
// off the picture's texel grid, draws it whole, as a change of zoom does); "changed"
// frames move a fire round three tiles at the map's centre, so every frame shows a map
// changed in one place, as a building completed or a fire frame does. A plain timed
// harness: GL work is measured with the frame presented, since a software renderer does
// its drawing when the frame is flushed. Run under Xvfb with the generated data, from
// the build folder:
//   TAPBURG_DATA_DIR=data xvfb-run -a -s "-screen 0 1920x1080x24" bench/bench_client_map_draw
// Kinds of frames named after it (steady, panned, redrawn, changed) are measured alone.
#include "CityFixture.h"
#include "assets/FontManager.h"
#include "assets/SpriteManager.h"
#include "city/Tile.h"
#include "game/Game.h"
#include "game/MapDrawRules.h"
#include "game/MapRenderer.h"
#include "platform/Config.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
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
    double emptyMedianMs;
    double allocationsPerFrame; // beyond those of an empty frame
};

struct Timed {
    std::vector<double> times;
    long allocations = 0;

    template <class Frame> void add(Frame& frame) {
        const long before = ::allocations.load();
        const Clock::time_point start = Clock::now();
        frame();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        allocations += ::allocations.load() - before;
    }
    double percentile(std::size_t p) {
        std::sort(times.begin(), times.end());
        return times[times.size() * p / 100];
    }
};

// Frames with the map alternate with empty ones, so that both see the same load of a
// machine shared with other work.
template <class Frame, class Empty> Figures measure(Frame&& frame, Empty&& empty) {
    for (int i = 0; i < kWarmUpFrames; ++i) {
        frame();
        empty();
    }
    Timed mapFrames, emptyFrames;
    for (int i = 0; i < kFrames; ++i) {
        emptyFrames.add(empty);
        mapFrames.add(frame);
    }
    return Figures{mapFrames.percentile(50), mapFrames.percentile(90), emptyFrames.percentile(50),
                   static_cast<double>(mapFrames.allocations - emptyFrames.allocations) / kFrames};
}

int drawnTiles(const Map& map) {
    int count = 0;
    for (const Tile& tile : map.tiles)
        count += tile.isVisible() && !tile.hasFlag(kFlagOffScreen) ? 1 : 0;
    return count;
}

// The map pass of one scene: frames with the map minus empty frames.
class Scene {
public:
    // Measures only the kinds of frames named in `only`, every kind when it is empty.
    Scene(Game& owner, std::vector<std::string> only) : game(owner), kinds(std::move(only)) {}

    void measureBoth(const char* name) {
        const Map& map = *game.simulation->map;
        std::printf("%s: %d tiles drawn\n", name, drawnTiles(map));
        for (const bool postProcessing : {false, true}) {
            game.postProcessing = postProcessing && game.renderTexture;
            std::printf("  into the %s\n", postProcessing ? "frame texture" : "window");
            const sf::Vector2f centre = game.mapView->getCenter();
            measureKind("steady", [&] { frame(); });
            measureKind("panned", [&] { pannedFrame(); });
            game.heldKeys = {};
            game.mapView->setCenter(centre);
            measureKind("redrawn", [&] { jumpedFrame(); });
            game.mapView->setCenter(centre);
            game.cullMapToView();
            measureKind("changed", [&] { changedFrame(); });
            burning()->flags &= static_cast<std::uint8_t>(~kFlagBurning);
        }
    }

private:
    static constexpr int kPanFramesEachWay = 60;
    static constexpr int kJumpPlaces = 3;

    template <class Frame> void measureKind(const char* kind, Frame&& frame) {
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), kind) != kinds.end())
            report(kind, measure(frame, [&] { emptyFrame(); }));
    }

    void frame() {
        sf::RenderTarget& target = game.frameTarget();
        target.clear(game.paperColor);
        target.setView(*game.mapView);
        game.mapRenderer->draw(target);
        game.present();
    }

    void pannedFrame() {
        const bool right = (panFrames++ / kPanFramesEachWay) % 2 == 0;
        game.heldKeys = {};
        game.heldKeys[right ? sf::Keyboard::Right : sf::Keyboard::Left] = true;
        game.panMap();
        frame();
    }

    // Two kept pictures do not cover three places visited in turn.
    void jumpedFrame() {
        const float step = std::ceil(game.mapView->getSize().x * kPictureMarginShare) + 1.f;
        const bool back = ++jumps % kJumpPlaces == 0;
        game.mapView->move(back ? -step * (kJumpPlaces - 1) : step, 0.f);
        game.cullMapToView();
        frame();
    }

    // Three looks in turn, which two kept pictures do not cover.
    void changedFrame() {
        burning()->flags &= static_cast<std::uint8_t>(~kFlagBurning);
        fireAt = (fireAt + 1) % kJumpPlaces;
        burning()->flags |= kFlagBurning;
        frame();
    }

    Tile* burning() {
        Map& map = *game.simulation->map;
        return map.tileAt(map.width / 2 + fireAt, map.height / 2);
    }

    void emptyFrame() {
        game.frameTarget().clear(game.paperColor);
        game.present();
    }

    static void report(const char* kind, const Figures& f) {
        std::printf(
            "    %-8s map pass = %6.3f ms median (frame %6.3f, p90 %6.3f, empty frame %6.3f)"
            "  allocations/frame %.2f\n",
            kind, f.medianMs - f.emptyMedianMs, f.medianMs, f.p90Ms, f.emptyMedianMs,
            f.allocationsPerFrame);
    }

    Game& game;
    const std::vector<std::string> kinds;
    int panFrames = 0;
    int jumps = 0;
    int fireAt = 0;
};

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

int main(int argc, char** argv) {
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
    game.frameTime = 1.f / 60.f;
    sf::RenderWindow& window = *game.window;
    // Measure the drawing, not the wait for the next frame.
    window.setFramerateLimit(0);
    window.setVerticalSyncEnabled(false);
    countAllocations = true;
    Scene scene(game, std::vector<std::string>(argv + 1, argv + argc));

    std::srand(1);
    game.simulation->startNewGame();
    const Map& map = *game.simulation->map;
    game.centreViewOnTile(map.width / 2, map.height / 2);
    scene.measureBoth("start view of a new game");

    const CityFixtureStats stats = buildFullCity(*game.simulation, 75);
    std::printf("city: %d houses, %d shops, %d job buildings\n", stats.houses, stats.shops,
                stats.jobBuildings);
    game.centreViewOnTile(37, 37);
    scene.measureBoth("normal view");
    for (const char* layer :
         {"normal view, layer 1 (number labels)", "normal view, layer 2", "normal view, layer 3"}) {
        game.simulation->map->setLayer(game.simulation->map->layer + 1);
        scene.measureBoth(layer);
    }
    game.simulation->map->setLayer(0);

    // The whole map into the same window, nothing culled.
    const sf::Vector2f whole(75 * 32.f, 75 * 16.f + 64.f);
    game.mapView->setSize(whole);
    game.centreViewOnPoint(75 * 16.f, 0.f);
    scene.measureBoth("whole map");
    return 0;
}
