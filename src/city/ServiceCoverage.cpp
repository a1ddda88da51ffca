#include "city/ServiceCoverage.h"

#include <algorithm>

void ServiceCoverage::prepare(int mapWidth, int mapHeight) {
    if (mapWidth == width && mapHeight == height)
        return;
    width = std::max(mapWidth, 0);
    height = std::max(mapHeight, 0);
    rows.assign(static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height), Change{});
    rowCovered.assign(static_cast<std::size_t>(height), 0);
}

void ServiceCoverage::add(Service service, int cx, int cy, int radius) {
    const int x0 = std::max(cx - radius, 0);
    const int x1 = std::min(cx + radius, width - 1);
    const int y0 = std::max(cy - radius, 0);
    const int y1 = std::min(cy + radius, height - 1);
    if (radius < 0 || x0 > x1 || y0 > y1)
        return;
    const auto stride = static_cast<std::size_t>(width) + 1;
    for (int y = y0; y <= y1; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * stride;
        ++rows[row + static_cast<std::size_t>(x0)][service];
        --rows[row + static_cast<std::size_t>(x1) + 1][service];
        rowCovered[static_cast<std::size_t>(y)] = 1;
    }
}
