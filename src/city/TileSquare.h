#pragma once
// The grid tiles whose x and y each lie within a half-width of a centre, the centre
// included, in array order. Computed on the fly: stored lists of every tile's 31 x 31
// neighbourhood would cost more memory than the rest of the city together.
#include <algorithm>
#include <cstddef>

class Tile;

// A template only so that the element type may be incomplete where this is included.
template <class T> class BasicTileSquare {
public:
    class Iterator {
    public:
        Iterator(T* rowStart, int columns, int stride, int rows)
            : row(rowStart), cursor(rowStart), columns(columns), stride(stride), rowsLeft(rows) {}

        T* operator*() const { return cursor; }
        Iterator& operator++() {
            if (++cursor != row + columns)
                return *this;
            if (--rowsLeft == 0) {
                cursor = nullptr;
            } else {
                row += stride;
                cursor = row;
            }
            return *this;
        }
        bool operator!=(const Iterator& other) const { return cursor != other.cursor; }

    private:
        T* row;
        T* cursor;
        int columns;
        int stride;
        int rowsLeft;
    };

    BasicTileSquare() = default;
    // tiles is the row-major grid of width x height.
    BasicTileSquare(T* tiles, int width, int height, int cx, int cy, int radius) {
        if (tiles == nullptr || radius < 0)
            return;
        const int x0 = std::max(cx - radius, 0);
        const int x1 = std::min(cx + radius, width - 1);
        const int y0 = std::max(cy - radius, 0);
        const int y1 = std::min(cy + radius, height - 1);
        if (x0 > x1 || y0 > y1)
            return;
        first = tiles + static_cast<std::ptrdiff_t>(y0) * width + x0;
        columns = x1 - x0 + 1;
        rows = y1 - y0 + 1;
        stride = width;
    }

    Iterator begin() const { return rows == 0 ? end() : Iterator(first, columns, stride, rows); }
    Iterator end() const { return Iterator(nullptr, columns, stride, 0); }
    std::size_t size() const { return static_cast<std::size_t>(columns) * rows; }

private:
    T* first = nullptr;
    int columns = 0;
    int rows = 0;
    int stride = 0;
};

using TileSquare = BasicTileSquare<Tile>;
