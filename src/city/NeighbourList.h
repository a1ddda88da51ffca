#pragma once
// A short list of neighbouring tiles, kept as steps from the owning tile in the grid:
// every tile keeps three of these and the tick walks them for every house, so they must
// cost neither a heap allocation nor much of the tile's size.
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

class Tile;

// A template only so that the element type may be incomplete where this is included.
template <class T> class BasicNeighbourList {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T*;

        Iterator(const BasicNeighbourList* list, std::size_t index) : list(list), index(index) {}
        T* operator*() const { return (*list)[index]; }
        Iterator& operator++() {
            ++index;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++index;
            return old;
        }
        bool operator==(const Iterator& other) const { return index == other.index; }
        bool operator!=(const Iterator& other) const { return index != other.index; }

    private:
        const BasicNeighbourList* list;
        std::size_t index;
    };

    // origin is the owning tile; tile lies in the same grid, next to it.
    void reset(T* owner) {
        origin = owner;
        count = 0;
    }
    void add(T* tile) {
        if (tile != nullptr && origin != nullptr && count < steps.size())
            steps[count++] = static_cast<std::int16_t>(tile - origin);
    }

    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, count); }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    T* operator[](std::size_t i) const { return origin + steps[i]; }

private:
    T* origin = nullptr;
    // A grid row is at most kMaxMapSide tiles, so a step to a neighbour fits.
    std::array<std::int16_t, 8> steps{};
    std::uint8_t count = 0;
};

using NeighbourList = BasicNeighbourList<Tile>;
