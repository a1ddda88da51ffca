#include "gui/LineChart.h"

#include "game/Game.h"

#include <SFML/Graphics/VertexArray.hpp>
#include <algorithm>
#include <cmath>

namespace gui {

namespace {

constexpr int AxisGap = 2; // the axis and one clear pixel
constexpr int DotStep = 2; // the zero line: every other pixel

void addRect(sf::VertexArray& quads, sf::Vector2i at, sf::Vector2i size, sf::Color colour) {
    const sf::Vector2f a(at), b(at + size);
    for (const sf::Vector2f corner : {a, sf::Vector2f(b.x, a.y), b, sf::Vector2f(a.x, b.y)})
        quads.append(sf::Vertex(corner, colour));
}

int nearest(double row) {
    return static_cast<int>(std::lround(row));
}

} // namespace

LineChart::LineChart(UI& ui, sf::Vector2i position, sf::Vector2i size)
    : Widget(ui, position, size, WidgetKind::LineChart) {}

sf::IntRect LineChart::plotArea() const {
    return {AxisGap, 0, std::max(0, width() - AxisGap), std::max(0, height() - AxisGap)};
}

void LineChart::setValues(const std::vector<double>& values, double low, double high) {
    const sf::IntRect plot = plotArea();
    runs_.assign(static_cast<std::size_t>(plot.width), Run{});
    zeroRow_ = -1;
    if (plot.width == 0 || plot.height == 0 || values.empty())
        return;
    const double span = high > low ? high - low : 1.0;
    const auto rowOf = [&](double value) {
        const double held = std::isfinite(value) ? std::clamp(value, low, low + span) : low;
        return plot.top + (low + span - held) / span * (plot.height - 1);
    };
    const std::size_t n = values.size();
    const auto columnOf = [&](std::size_t i) {
        return n == 1 ? 0 : nearest(double(i) * (plot.width - 1) / double(n - 1));
    };
    if (low < 0 && low + span > 0)
        zeroRow_ = nearest(rowOf(0.0));
    int lastColumn = columnOf(0);
    double lastRow = rowOf(values[0]);
    cover(lastColumn, nearest(lastRow), nearest(lastRow));
    for (std::size_t i = 1; i < n; ++i) {
        const int column = columnOf(i);
        const double row = rowOf(values[i]);
        // Each column of the segment runs from its own row to just short of the next
        // column's, so steep stretches stay joined and shallow ones one pixel thin.
        const auto rowAt = [&](int c) {
            return nearest(lastRow +
                           (row - lastRow) * (c - lastColumn) / std::max(1, column - lastColumn));
        };
        if (column == lastColumn)
            cover(column, nearest(lastRow), nearest(row));
        for (int c = lastColumn; c < column; ++c) {
            const int from = rowAt(c), next = rowAt(c + 1);
            cover(c, from, next == from ? from : next - (next > from ? 1 : -1));
        }
        cover(column, nearest(row), nearest(row));
        lastColumn = column;
        lastRow = row;
    }
}

void LineChart::cover(int column, int from, int to) {
    Run& run = runs_[static_cast<std::size_t>(column)];
    const int top = std::min(from, to), bottom = std::max(from, to);
    if (run.top > run.bottom)
        run = {top, bottom};
    else
        run = {std::min(run.top, top), std::max(run.bottom, bottom)};
}

void LineChart::draw(sf::RenderTarget& target, float frameTime) {
    if (!visible())
        return;
    const sf::Color ink = game().inkColor;
    const sf::Vector2i at = getAbsolutePosition();
    const sf::IntRect plot = plotArea();
    sf::VertexArray quads(sf::Quads);
    addRect(quads, at, {1, height()}, ink);
    addRect(quads, at + sf::Vector2i(0, height() - 1), {width(), 1}, ink);
    if (zeroRow_ >= 0)
        for (int x = plot.left; x < plot.left + plot.width; x += DotStep)
            addRect(quads, at + sf::Vector2i(x, zeroRow_), {1, 1}, ink);
    for (std::size_t i = 0; i < runs_.size(); ++i)
        if (runs_[i].top <= runs_[i].bottom)
            addRect(quads, at + sf::Vector2i(plot.left + int(i), runs_[i].top),
                    {1, runs_[i].bottom - runs_[i].top + 1}, ink);
    target.draw(quads);
    drawChildren(target, frameTime);
}

} // namespace gui
