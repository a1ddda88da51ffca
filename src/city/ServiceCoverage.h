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

class ServiceCoverage {
public:
    enum Service { Police, Hospital, Fire, kServices };
    using Counts = std::array<int, kServices>;

    // Empty counts for a grid of this size.
    void prepare(int width, int height);
    // A station reaching the square of this half-width around (cx, cy), cut at the edges.
    // At most 32767 stations may reach one tile.
    void add(Service service, int cx, int cy, int radius);
    // Calls visit(grid index, counts) for every tile some station reaches, in grid order,
    // and forgets the stations.
    template <class Visit> void walk(Visit&& visit);

private:
    int width = 0;
    int height = 0;
    // Per service and row, +1 where a station's reach starts and -1 one past its end.
    std::array<std::vector<std::int16_t>, kServices> steps;
    std::vector<std::uint8_t> rowCovered;
};

template <class Visit> void ServiceCoverage::walk(Visit&& visit) {
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        if (rowCovered[y] == 0)
            continue;
        rowCovered[y] = 0;
        const std::size_t row = y * (w + 1);
        Counts counts{};
        for (std::size_t x = 0; x <= w; ++x) {
            int any = 0;
            for (std::size_t s = 0; s < kServices; ++s) {
                counts[s] += steps[s][row + x];
                steps[s][row + x] = 0;
                any |= counts[s];
            }
            if (any != 0 && x < w)
                visit(y * w + x, counts);
        }
    }
}
