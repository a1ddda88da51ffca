#pragma once
// A short list of neighbouring tiles, stored inline: every tile keeps three of these,
// so they must not cost a heap allocation each.
#include <array>
#include <cstddef>

class Tile;

class NeighbourList {
public:
    void clear() { count = 0; }
    void add(Tile* tile) {
        if (tile != nullptr && count < tiles.size())
            tiles[count++] = tile;
    }

    Tile* const* begin() const { return tiles.data(); }
    Tile* const* end() const { return tiles.data() + count; }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    Tile* operator[](std::size_t i) const { return tiles[i]; }

private:
    std::array<Tile*, 8> tiles{};
    std::size_t count = 0;
};
