// Runs ticks back to back while another thread plays and a third reads what drawing
// reads. Its worth is under ThreadSanitizer (the "stress" label), where any access
// that races the tick fails the run.
#include "CityTestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int kSide = 24;
constexpr int kDays = 120;

// Roads on every third row, a mix of every building between them, all unlocked and
// every service lacking, so that deaths and fires happen too.
void buildBusyCity(Simulation& sim) {
    makeBlankMap(sim, kSide, kSide);
    sim.unlocked = 511;
    sim.city->setBudget(1e9);
    using K = TileKind;
    constexpr K kMix[] = {K::House,      K::House,      K::Shop,  K::House,    K::Factory,
                          K::House,      K::WaterTower, K::House, K::Park,     K::House,
                          K::Commercial, K::Landfill,   K::House, K::Hospital, K::Empty};
    int k = 0;
    for (Tile& tile : sim.map->tiles) {
        if (tile.y % 3 == 1) {
            tile.setKind(TileKind::Road);
            continue;
        }
        const TileKind kind = kMix[k++ % std::size(kMix)];
        tile.setKind(kind, 1 + k % 3);
        if (House* house = tile.house()) {
            house->residents = house->capacity;
            house->fireRisk = -74.0; // fires from the first days on
        }
    }
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    sim.rebuildActionLists();
}

// What the player does: every command that could touch what the tick uses.
void play(Simulation& sim, const std::atomic<bool>& done, std::atomic<bool>& newGameWanted) {
    for (unsigned step = 0; !done; ++step) {
        const std::vector<Tile*> visible = sim.map->visibleTiles();
        Tile* tile = visible[step * 7919 % visible.size()];
        sim.buyAction(tile->number, step % 3);
        for (int i = 0; i < 4; ++i)
            sim.actionClick();
        if (newGameWanted.exchange(false)) {
            // A new grid under the tick's feet; the tile above is gone with the old one.
            sim.startNewGame();
            continue;
        }
        using Command = void (*)(Simulation&, Tile&, unsigned);
        static constexpr Command kCommands[] = {
            [](Simulation& s, Tile&, unsigned) { s.cancelAction(); },
            [](Simulation& s, Tile&, unsigned) { s.rotateLeft(); },
            [](Simulation& s, Tile&, unsigned) { s.rotateRight(); },
            [](Simulation& s, Tile& t, unsigned n) { s.adjustRent(t, n % 2 == 0 ? 1 : -1); },
            [](Simulation& s, Tile&, unsigned n) { s.raiseGoodsPrice(static_cast<int>(n % 3)); },
            [](Simulation& s, Tile&, unsigned n) { s.lowerGoodsPrice(static_cast<int>(n % 3)); },
            [](Simulation& s, Tile& t, unsigned) { s.cycleFactoryGoods(t, true); },
            [](Simulation& s, Tile&, unsigned) { s.borrow(5000); },
            [](Simulation& s, Tile&, unsigned) { s.payBack(5000); },
        };
        kCommands[step % std::size(kCommands)](sim, *tile, step);
    }
}

// What drawing and the information windows read, under the same rule.
long long draw(Simulation& sim, const std::atomic<bool>& done, int& fires) {
    const RequestHandler handle = [&fires](const Request& request) {
        fires += request.title == "AAAAAAAAHH!" ? 1 : 0;
    };
    long long seen = 0;
    while (!done) {
        {
            const std::scoped_lock lock(sim.mapMutex);
            for (const Tile& tile : sim.map->tiles) {
                seen += static_cast<long long>(tile.actions().size()) + tile.flags +
                        static_cast<long long>(tile.services().crime + tile.services().fireSafety +
                                               tile.services().healthCare);
                if (const House* house = tile.house())
                    seen += house->residents + house->shownNeeds;
            }
            seen += static_cast<long long>(sim.progress) + static_cast<int>(sim.actionKind.load());
        }
        seen += static_cast<long long>(sim.city->budgetNow()) + sim.city->populationNow();
        seen += static_cast<long long>(sim.map->visibleTiles().size());
        sim.drainRequests(handle);
        std::this_thread::yield();
    }
    return seen;
}

} // namespace

TEST(TickStressTest, PlayerAndDrawingNeverRaceTheTick) {
    Simulation sim;
    sim.randomNumbers.seed(5);
    buildBusyCity(sim);
    std::atomic<bool> done{false};
    long long drawn = 0;
    int fires = 0;
    std::atomic<bool> newGameWanted{false};
    std::thread player([&] { play(sim, done, newGameWanted); });
    std::thread drawer([&] { drawn = draw(sim, done, fires); });
    int started = 0;
    for (int day = 0; day < kDays; ++day) {
        started += sim.advanceDay() != 0 ? 1 : 0;
        sim.waitForTick();
        if (day == kDays / 2)
            newGameWanted = true;
    }
    done = true;
    player.join();
    drawer.join();
    sim.waitForTick();
    EXPECT_GT(started, kDays / 2);
    EXPECT_FALSE(sim.tickRunning());
    EXPECT_NE(drawn, 0);
    for (const Request& request : sim.takeRequests())
        fires += request.title == "AAAAAAAAHH!" ? 1 : 0;
    EXPECT_GT(fires, 0); // the fire path ran too
}
