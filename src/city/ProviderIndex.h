#pragma once
// The houses' nearest-first provider lists in the form the tick walks them: for each
// family, the houses in the order they are served (nearest to their first provider
// first; a house keeps its list place among houses as near, and houses that reach
// none come last), and beside them each house's provider numbers (places in the day's
// provider table), in one flat array, so that serving reads two streams front to back. Only
// providers that reach the house and can take anyone at all are kept, so every day
// starts with each house's first provider open, and the order holds until the map
// changes or the providers differ from those it was built for.
// Tick thread, mapMutex held.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class Map;
class Tile;

class ProviderIndex {
public:
    static constexpr std::size_t kFamilies = 3; // shops, jobs, water

    // What a provider table entry must stay for the index to hold.
    struct Provider {
        std::int32_t tile; // index in the grid
        std::int32_t x;
        std::int32_t y;
        std::int32_t range;
        std::int32_t capacity;
        bool operator==(const Provider& other) const {
            return tile == other.tile && range == other.range && capacity == other.capacity;
        }
    };

    // One family's pass: the houses' places in the house list in serving order and,
    // house by house in the same order, the number of its providers followed by the
    // providers. The run is of two-byte words whenever every provider number fits one,
    // as on any map of the game's own size, which halves what serving streams on a large
    // one; of four-byte words otherwise. Serving reads `narrow` when it is set, `wide`
    // otherwise.
    struct Pass {
        const std::uint32_t* order;
        const std::uint16_t* narrow;
        const std::uint32_t* wide;
        std::size_t houses;
    };
    // Up to this many providers, their numbers and counts are narrow words.
    static constexpr std::size_t kNarrowProviders = UINT16_MAX;

    bool holds(std::uint64_t mapRevision, const std::vector<Provider>& providers,
               std::size_t houses) const {
        return built && revision == mapRevision && houses == houseCount && providers == builtFor;
    }
    // houses in the order of the map's house list.
    void rebuild(std::uint64_t mapRevision, const std::vector<Provider>& providers,
                 const std::vector<Tile*>& houses, const Map& map);

    Pass pass(std::size_t family) const;

private:
    // providerOf maps a grid index to its place in providers, -1 when the tile provides
    // nothing today.
    void rebuildFamily(std::size_t family, const std::vector<Provider>& providers,
                       const std::vector<Tile*>& houses, const Map& map,
                       const std::vector<std::int32_t>& providerOf);
    // The houses by the key of their first provider, list order among equals.
    static std::vector<std::uint32_t> sortByDistance(const std::vector<Provider>& providers,
                                                     const std::vector<Tile*>& houses,
                                                     const std::vector<std::uint32_t>& listOffsets,
                                                     const std::vector<std::uint32_t>& listEntries);

    bool built = false;
    std::uint64_t revision = 0;
    std::size_t houseCount = 0;
    std::vector<Provider> builtFor;
    bool narrow = true;
    std::array<std::vector<std::uint32_t>, kFamilies> orders;
    std::array<std::vector<std::uint16_t>, kFamilies> narrowRuns;
    std::array<std::vector<std::uint32_t>, kFamilies> wideRuns;
};
