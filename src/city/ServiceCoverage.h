#pragma once
// How many stations of each public service reach every tile. The stations of one
// service all do the same to a tile, so what they do together depends only on how many
// reach it: the tick counts them per tile, then walks the covered rows once in grid
// order instead of visiting every station's square, which on a large map meant
// fetching most tiles from memory several times a day. Kept by the map between days so
// that a day does not clear a grid of counts: each walk leaves it empty again.
// Tick thread, mapMutex held.
#include <array>
#include <cstdint>
#include <vector>

class Tile;

class ServiceCoverage {
public:
    enum Service { Police, Hospital, Fire, kServices };

    // Empty counts for a grid of this size.
    void prepare(int width, int height);
    // A station reaching the square of this half-width around (cx, cy), cut at the edges.
    void add(Service service, int cx, int cy, int radius);
    // Calls visit(tile, count) for every tile the service reaches, in grid order, and
    // forgets that service's stations.
    template <class Visit> void walk(Service service, std::vector<Tile>& tiles, Visit&& visit);

private:
    int width = 0;
    int height = 0;
    // Per service and row, +1 where a station's reach starts and -1 one past its end.
    std::array<std::vector<std::int32_t>, kServices> steps;
    std::array<std::vector<std::uint8_t>, kServices> rowCovered;
};

template <class Visit>
void ServiceCoverage::walk(Service service, std::vector<Tile>& tiles, Visit&& visit) {
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        if (rowCovered[service][y] == 0)
            continue;
        rowCovered[service][y] = 0;
        std::int32_t* step = &steps[service][y * (w + 1)];
        Tile* row = &tiles[y * w];
        int count = 0;
        for (std::size_t x = 0; x < w; ++x) {
            count += step[x];
            step[x] = 0;
            if (count > 0)
                visit(row[x], count);
        }
        step[w] = 0;
    }
}
