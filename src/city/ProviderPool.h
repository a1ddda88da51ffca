#pragma once
// The day's places at shops, job buildings and water supplies, and the serving of houses
// from them. Serving looks at a house's providers many times; reading them from one
// compact table instead of from tiles and records spread over the map keeps a large
// city's tick from waiting on memory. Tick thread, mapMutex held.
#include "city/TileLists.h"

#include <atomic>
#include <vector>

class Map;
class Tile;

class ProviderPool {
public:
    enum class Family { Shops, Jobs, Water };

    // Every provider of the lists starts the day empty.
    ProviderPool(const Map& map, const TileLists& lists);

    // Serves the houses of one family, nearest to a reachable provider first.
    void serveInDistanceOrder(const std::vector<Tile*>& houses, Family family);
    // Places as much of the house's demand as reachable providers can take, nearest
    // first; clears the need when all of it is placed.
    void serve(Tile& house, Family family);
    // Hands the day's counts (and the efficiency of job buildings that took workers) to
    // the records, where the screens read them.
    void publish() const;

private:
    struct Slot {
        int x;
        int y;
        int range;
        int capacity;
        int taken;
        bool moved;
        std::atomic<int>* counter;
        std::atomic<double>* efficiency; // job buildings only
    };

    void add(Tile& tile);
    Slot* slotOf(const Tile* tile);
    // The nearest provider of the house's list that has room and reaches the house.
    Slot* firstReachable(const Tile& house, Family family);

    const Tile* firstTile;
    std::vector<int> slotIndex; // by tile index, -1 for tiles that provide nothing
    std::vector<Slot> slots;
};
