#pragma once
// Small builders shared by the city tests.
#include "city/City.h"
#include "city/Map.h"
#include "city/Simulation.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

constexpr std::size_t slot(LedgerCategory category) {
    return static_cast<std::size_t>(category);
}

// An all-empty, all-visible grid with fresh lists.
inline void makeBlankMap(Simulation& sim, int width, int height) {
    sim.randomNumbers.seed(7);
    sim.map->create(width, height, true);
    for (Tile& tile : sim.map->tiles) {
        tile.setKind(TileKind::Empty);
        tile.flags |= kFlagVisible;
    }
    sim.map->recalculateVisibleTiles();
}

inline Tile& build(Simulation& sim, int x, int y, TileKind kind, int level = 1) {
    Tile& tile = *sim.map->tileAt(x, y);
    tile.setKind(kind, level);
    return tile;
}

// The tile's house record; a test that expected one where there is none fails here
// rather than writing through a null record.
inline House& houseOf(const Tile& tile) {
    House* house = tile.house();
    if (house == nullptr)
        throw std::logic_error("no house on the tile");
    return *house;
}

// A house whose residents stay as they are today (full health), the usual neighbour
// in tick tests.
inline House& settledHouse(Simulation& sim, int x, int y, int level, int residents) {
    House& house = houseOf(build(sim, x, y, TileKind::House, level));
    house.residents = residents;
    house.health = 1.0;
    return house;
}

// The requests the simulation made, gathered from its queue as the test goes on.
class RequestLog {
public:
    explicit RequestLog(Simulation& simulation) : sim(simulation) {}

    const std::vector<Request>& all() {
        for (Request& request : sim.takeRequests())
            seen.push_back(std::move(request));
        return seen;
    }
    int count(RequestKind kind) {
        int n = 0;
        for (const Request& request : all())
            n += request.kind == kind ? 1 : 0;
        return n;
    }
    // The last request of that kind; a default request when there was none.
    Request last(RequestKind kind) {
        Request found;
        for (const Request& request : all())
            if (request.kind == kind)
                found = request;
        return found;
    }
    std::vector<std::string> messageTexts() {
        std::vector<std::string> texts;
        for (const Request& request : all())
            if (request.kind == RequestKind::ShowMessage)
                texts.push_back(request.text);
        return texts;
    }
    void clear() {
        all();
        seen.clear();
    }

private:
    Simulation& sim;
    std::vector<Request> seen;
};

// One day with the tick on its thread, released as the game's next frame would.
inline void runDay(Simulation& sim) {
    sim.advanceDay();
    sim.waitForTick();
}

// The slot of an action in a tile's list; the list's size when it is not offered.
inline std::size_t slotOf(const Tile& tile, ActionKind kind) {
    std::size_t index = 0;
    while (index < tile.actions().size() && tile.actions()[index] != kind)
        ++index;
    return index;
}
