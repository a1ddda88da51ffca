#pragma once
// The headless core of a game: owns the map and the city and keeps the calendar, the
// goods table, the housing demand, the unlock state and the armed action. The game
// shell owns one and forwards to it; the whole simulation runs without a window.
// Non-copyable.
//
// Threads: the interface thread runs everything but the daily tick, which runs on
// buildingUpdateThread holding mapMutex for its whole run. Whatever the player does that
// touches tiles, the armed action, rents, prices or the loan takes mapMutex (so it waits
// for a running tick) or is refused while a tick runs; readers of tiles' actions, flags
// and service values take mapMutex too or read the atomic fields. The member functions
// below that take mapMutex say so; never call them while holding it.
//
// Lock order: mapMutex, then buildingUpdateMutex, then the City budget, population and
// history mutexes, then the report windows' mutexes. The request queue's lock is
// innermost.
#include "city/CityTypes.h"
#include "city/Random.h"
#include "city/RequestQueue.h"
#include "city/SimulationListener.h"
#include "city/TickTuning.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class City;
class House;
class Map;
class Tile;

using HousingDemand = std::array<double, 4>; // by house level - 1; entry 3 stays 0
using HouseCounts = std::array<int, 4>;      // by house level - 1

class Simulation {
public:
    Simulation();
    // Waits for a running tick before the map and city go.
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // A fresh 75 x 75 city with a budget of 25000; draws random numbers. Takes mapMutex.
    void startNewGame();

    // --- Build actions (interface thread; each takes mapMutex) ---------------------
    // The price of an action on a tile: the upgrade price when the tile already
    // carries the building being upgraded.
    static int actionPriceFor(const Tile& tile, ActionKind kind);
    // What the tile-action window does: refuses with the no-budget message when the
    // budget cannot cover the price, else pays it and arms the action. False when
    // nothing was armed (and nothing paid).
    bool buyAction(int tileNumber, std::size_t slot);
    // Arms actions[slot] of the visible tile with that number; the price, already
    // paid, is what a cancel refunds. Refused (false) while an action is armed, for an
    // unknown tile or a slot the tile does not offer.
    bool startAction(int tileNumber, std::size_t slot, int price);
    // One press of the progress button; every tenth counted press advances the day.
    // Returns false when the press was lost: nothing armed or a tick running.
    bool actionClick();
    // Refunds the armed action's price and disarms it.
    void cancelAction();
    // Caller holds mapMutex.
    void completeAction();
    // The build-rate upgrade on offer, none at the top of the ladder.
    std::optional<BuildRateStep> nextBuildRate() const;
    // Pays for the next build rate and applies it; refused like buyAction.
    bool buyBuildRate();

    // --- The daily tick ------------------------------------------------------------
    // Starts the tick of a new day on buildingUpdateThread. Returns bits: 1 a day
    // began, 2 a month ended, 4 a year ended; 0 when refused because a tick runs.
    unsigned advanceDay();
    // Interface thread, once per frame: when the tick has finished, joins its thread,
    // re-enables the date button and hands every queued request to handler. Returns true
    // when a finished tick was released.
    bool releaseFinishedTick(const RequestHandler& handler = {});
    // For headless loops: blocks until a running tick has finished, then releases it
    // like releaseFinishedTick. Returns false when no tick was started.
    bool waitForTick(const RequestHandler& handler = {});
    // True from advanceDay until the tick has done all its work.
    bool tickRunning() const;
    // Tests only: called on the tick thread right after it took mapMutex, so that a
    // test can hold a tick open. Set it while no tick runs.
    void setTickHookForTests(std::function<void()> hook);
    // The tick body. Tick thread; takes mapMutex for its whole run.
    void buildingTick();

    // --- Fire and death (tick thread, mapMutex held) -------------------------------
    // Sets the burning bit; the armed action becomes PutOutFires once the houses are
    // updated (applyPendingFires).
    void startFire(Tile& tile);
    void houseCatchesFire(House& house);
    static void residentDies(House& house);
    // mapMutex held, within the tick that started the fires, so that no click reaches
    // the cancelled action: cancels and refunds the armed action for the first fire,
    // then lets every fire add its clicks (at most kFireMaxClicks in all). What the
    // interface must show goes out as requests.
    void applyPendingFires();
    // Every burning tile becomes rubble; every other house's fire risk starts anew.
    // mapMutex held.
    void putOutFires();

    // --- Player commands that wait for a running tick (each takes mapMutex) --------
    void rotateLeft();
    void rotateRight();
    bool adjustRent(Tile& houseTile, int delta);
    // A goods price goes up by 0.05, down by 0.05 while at least 0.1, or back to its
    // new-game value.
    void raiseGoodsPrice(int goodsType);
    void lowerGoodsPrice(int goodsType);
    void resetGoodsPrice(int goodsType);
    // Steps a factory's goods 0 -> 1 -> 2 -> 0 (or back).
    void cycleFactoryGoods(Tile& factoryTile, bool forward);
    void borrow(int amount);
    bool payBack(int amount);

    // --- Requests to the interface --------------------------------------------------
    // Hands every queued request to handler in order (interface thread). Without a
    // drain they stay queued for tests to inspect, up to RequestQueue::kMaxPending.
    void drainRequests(const RequestHandler& handler);
    std::vector<Request> takeRequests();

    // Recomputes the actions offered on every visible tile and gives buildings that
    // face no road yet an orientation (draws random numbers).
    void rebuildActionLists();
    // The actions a tile offers under the given unlock mask, in menu order.
    static std::vector<ActionKind> actionsFor(const Tile& tile, unsigned unlockMask);

    void countHousesPerLevel();
    void updateHousingDemand();
    // Number of house levels the player may build: 1 to 3.
    int offeredHouseLevels() const;
    // Demand for each offered level from the house counts; levels from offered on keep
    // their previous values. Always finite.
    static HousingDemand housingDemandFor(int offered, const HouseCounts& counts,
                                          const HousingDemand& previous);

    // Drops the armed action without refunding it.
    void resetAction();
    // Finds the armed action's tile again by its number after the grid changed.
    void relocateActionTile();

    // Every request goes through here; safe from any thread.
    SimulationListener& listener();

    // Built before the map, which draws from it when it lays out a new city.
    Random randomNumbers;
    std::unique_ptr<Map> map;
    std::unique_ptr<City> city;

    int dayCounter = 0;
    std::array<double, kGoodsSlots> goods{};
    HousingDemand housingDemand{};
    HouseCounts housesPerLevel{};
    unsigned unlocked = 0;
    unsigned warnings = 0; // bit 0: the street-trash warning is showing
    // Saved with the others; only bit 0 of hintFlags (population hint shown) is read.
    unsigned spareWord1 = 0;
    unsigned spareWord2 = 0;
    unsigned hintFlags = 0;
    // Day on which lacking the service starts to count; 0 while it is locked.
    int fireGraceEnd = 0;
    int policeGraceEnd = 0;
    int hospitalGraceEnd = 0;

    // Changed under mapMutex, by the player's commands and by a fire in the tick; atomic
    // because the HUD and the click handlers read them every frame without the lock.
    std::atomic<ActionKind> actionKind = ActionKind::None;
    Tile* actionTile = nullptr;
    int actionTileNumber = -1;
    std::atomic<unsigned> clicksNeeded = 0;
    std::atomic<double> progress = 0.0;
    double buildRate = 1.0;
    int clickCounter = 0; // 0..9, clicks since the last day began
    int actionPrice = 0;

    // Held by the tick for its whole run, by the tile-click handlers and by every
    // player command above.
    std::mutex mapMutex;
    // Guards buildingsUpdating, buildingUpdateThread and every change of dayCounter.
    // Save and load, which hold it for their whole run, must take mapMutex first.
    mutable std::mutex buildingUpdateMutex;
    bool buildingsUpdating = false;

private:
    template <class Change> decltype(auto) withMap(Change&& change);
    Tile* findVisibleTile(int number) const;
    bool canArm(const Tile* tile, std::size_t slot) const;
    void arm(Tile& tile, std::size_t slot, int price);
    void disarm();
    void addFloatingMark(const Tile& tile);
    void playClickSound();
    bool canAfford(double price);

    RequestQueue requests;
    std::thread buildingUpdateThread;
    std::condition_variable tickFinished;
    std::function<void()> tickHook;
    // Extra clicks of each fire the running tick started; mapMutex guards it.
    std::vector<unsigned> pendingFireClicks;
};

constexpr unsigned kWarningStreetTrash = 1;
constexpr unsigned kHintPopulationShown = 1;
