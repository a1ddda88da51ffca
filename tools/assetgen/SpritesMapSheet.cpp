#include "SpritesMap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Tall enough for the highest building plus its smoke.
constexpr int WorkHeight = 128;

Canvas renderCell(const Build& build, const Decorate& decorate, bool turned, bool quiet) {
    IsoScene scene(WorkHeight);
    build(scene);
    Canvas cell(32, WorkHeight);
    scene.render(cell, 0, 0, turned, quiet);
    if (decorate)
        decorate(cell, turned, quiet);
    return cell;
}

int topRow(const Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.get(x, y).a != 0)
                return y;
    return c.height() - 17;
}
} // namespace

void blob(Canvas& c, double cx, double cy, double rx, double ry, Dither shade, Dither lit) {
    const auto inside = [&](int x, int y) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            if (!inside(x, y))
                continue;
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                c.set(x, y, Ink);
                continue;
            }
            // Away from the light (lower right) gets the shade pattern.
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            c.set(x, y, dither(dx + dy > 0.35 ? shade : lit, x, y));
        }
}

Canvas facingFrames(const Build& build, const Decorate& decorate) {
    std::array<Canvas, 4> cells{
        renderCell(build, decorate, false, false), renderCell(build, decorate, true, false),
        renderCell(build, decorate, false, true), renderCell(build, decorate, true, true)};
    int top = WorkHeight;
    for (const Canvas& cell : cells)
        top = std::min(top, topRow(cell));
    const int h = WorkHeight - top;
    Canvas sheet(64, 2 * h);
    for (int i = 0; i < 4; ++i)
        sheet.blit(cells[static_cast<std::size_t>(i)].crop(0, top, 32, h), (i % 2) * 32,
                   (i / 2) * h);
    return sheet;
}

Canvas wholeImage(const Build& build, const Decorate& decorate) {
    const Canvas cell = renderCell(build, decorate, false, false);
    const int top = topRow(cell);
    return cell.crop(0, top, 32, WorkHeight - top);
}
