#pragma once
// How many stations of each public service reach every tile. The stations of one
// service all do the same to a tile, so what they do together depends only on how many
// reach it: the tick counts them per tile, then walks the covered rows once in grid
// order instead of visiting every station's square, which on a large map meant
// fetching most tiles from memory several times a day. The counts change only where a
// station's reach starts or ends, so the walk hands over runs of tiles that share them.
// Kept from walk to walk so that a walk does not clear a grid of counts first: each walk
// leaves it empty again.
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
    // Calls visit(first, end, counts) for every run of tiles in a row that the same
    // stations reach, some at least, as grid indices [first, end) in grid order, and
    // forgets the stations.
    template <class Visit> void walk(Visit&& visit);

private:
    // +1 where a station's reach starts and -1 one past its end, per service; the three
    // side by side, so that a tile where nothing starts or ends costs one look.
    using Change = std::array<std::int16_t, kServices>;

    static bool changes(const Change& change) { return (change[0] | change[1] | change[2]) != 0; }

    int width = 0;
    int height = 0;
    std::vector<Change> rows; // width + 1 per row
    std::vector<std::uint8_t> rowCovered;
};

template <class Visit> void ServiceCoverage::walk(Visit&& visit) {
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        if (rowCovered[y] == 0)
            continue;
        rowCovered[y] = 0;
        Change* row = rows.data() + y * (w + 1);
        Counts counts{};
        std::size_t first = 0;
        for (std::size_t x = 0; x <= w; ++x) {
            if (!changes(row[x]))
                continue;
            if ((counts[0] | counts[1] | counts[2]) != 0)
                visit(y * w + first, y * w + x, counts);
            for (std::size_t s = 0; s < kServices; ++s)
                counts[s] += row[x][s];
            row[x] = Change{};
            first = x;
        }
    }
}
