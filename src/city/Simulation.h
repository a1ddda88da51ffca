#pragma once
// The headless core of a game: owns the map and the city and keeps the calendar, the
// goods table, the housing demand, the unlock state and the armed action. The game
// shell owns one and forwards to it; the whole simulation runs without a window.
// Non-copyable.
//
// Lock order: mapMutex, then buildingUpdateMutex, then the City budget and population
// mutexes, then the report windows' mutexes.
#include "city/CityTypes.h"
#include "city/SimulationListener.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

class City;
class Map;
class Tile;

using HousingDemand = std::array<double, 4>; // by house level - 1; entry 3 stays 0
using HouseCounts = std::array<int, 4>;      // by house level - 1

class Simulation {
public:
    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // A fresh 75 x 75 city with a budget of 25000; uses rand().
    void startNewGame();

    // Recomputes the actions offered on every visible tile and gives buildings that
    // face no road yet an orientation (uses rand()).
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

    // Attaches the interface; null detaches it.
    void setListener(SimulationListener* newListener);
    SimulationListener& listener();

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

    ActionKind actionKind = ActionKind::None;
    Tile* actionTile = nullptr;
    int actionTileNumber = -1;
    unsigned clicksNeeded = 0;
    double progress = 0.0;
    double buildRate = 1.0;
    int clickCounter = 0; // 0..9, clicks since the last day began
    int actionPrice = 0;

    // Held by the tick for its whole run and by the tile-click handlers.
    std::mutex mapMutex;
    // Guards buildingsUpdating (and the tick's thread).
    std::mutex buildingUpdateMutex;
    bool buildingsUpdating = false;

private:
    SimulationListener* attachedListener = nullptr;
};

constexpr unsigned kWarningStreetTrash = 1;
constexpr unsigned kHintPopulationShown = 1;
