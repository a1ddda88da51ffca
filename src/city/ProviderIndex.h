#pragma once
// The houses' nearest-first provider lists in the form the tick walks them: for each
// family one flat array of provider numbers (places in the day's provider table), a
// house's run of it found through an offset table. Only providers that reach the house
// are kept. Built from the tiles' own lists and kept until the map changes or the
// providers differ from those it was built for, so a quiet day builds nothing.
// Tick thread, mapMutex held.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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
        bool operator==(const Provider& other) const {
            return tile == other.tile && range == other.range;
        }
    };

    // A house's run of one family's list.
    struct Run {
        const std::uint32_t* begin;
        const std::uint32_t* end;
    };

    bool holds(std::uint64_t mapRevision, const std::vector<Provider>& providers,
               std::size_t houses) const {
        return built && revision == mapRevision && houses == houseX.size() && providers == builtFor;
    }
    // houses in the order of the map's house list; providerOf maps a grid index to its
    // place in providers, -1 when the tile provides nothing today.
    void rebuild(std::uint64_t mapRevision, const std::vector<Provider>& providers,
                 const std::vector<Tile*>& houses, const Tile* firstTile,
                 const std::vector<std::int32_t>& providerOf);

    Run run(std::size_t family, std::size_t house) const {
        const std::vector<std::uint32_t>& e = entries[family];
        const std::vector<std::uint32_t>& o = offsets[family];
        return {e.data() + o[house], e.data() + o[house + 1]};
    }
    std::int32_t xOf(std::size_t house) const { return houseX[house]; }
    std::int32_t yOf(std::size_t house) const { return houseY[house]; }

private:
    bool built = false;
    std::uint64_t revision = 0;
    std::vector<Provider> builtFor;
    std::vector<std::int32_t> houseX;
    std::vector<std::int32_t> houseY;
    std::array<std::vector<std::uint32_t>, kFamilies> offsets; // houses + 1 each
    std::array<std::vector<std::uint32_t>, kFamilies> entries;
};
