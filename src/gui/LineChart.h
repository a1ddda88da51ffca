#pragma once
// A line chart in the palette's two colours: a one-pixel axis on the left and at the
// bottom, a dotted line at zero when the range spans it, and the values as a line one
// pixel wide from left to right, the lowest at the bottom. Pixel art: the line is made
// of whole UI pixels, joined corner to corner without gaps. Main thread only.
#include "gui/Widget.h"

#include <vector>

namespace gui {

class LineChart : public Widget {
public:
    // Rows of one column of the line, top to bottom inclusive; empty when top > bottom.
    struct Run {
        int top = 0;
        int bottom = -1;
    };

    LineChart(UI& ui, sf::Vector2i position, sf::Vector2i size);

    // Spreads the values (oldest first) over the plot's width between low, the bottom
    // row, and high, the top row; values outside are held at the edge. An empty list
    // leaves the axes alone.
    void setValues(const std::vector<double>& values, double low, double high);

    // Where the values are drawn, relative to the chart: right of the left axis and
    // above the bottom one, a pixel clear of each.
    sf::IntRect plotArea() const;
    // The line, one run per column of the plot area.
    const std::vector<Run>& runs() const { return runs_; }
    // The row of the dotted zero line relative to the chart, -1 when there is none.
    int zeroRow() const { return zeroRow_; }

    void draw(sf::RenderTarget& target, float frameTime) override;

private:
    void cover(int column, int from, int to);

    std::vector<Run> runs_;
    int zeroRow_ = -1;
};

} // namespace gui
