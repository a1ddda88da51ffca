#include "screens/ReportText.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct DemandStep {
    double from;
    const char* word;
};
// Checked in order; the first threshold reached names the demand.
constexpr std::array<DemandStep, 4> kDemandWords{{
    {1.0, "Very high"},
    {0.75, "High"},
    {0.5, "Average"},
    {0.25, "Low"},
}};

// Ledgers come from save files too, so a value may lie far outside int or be NaN;
// converting such a double to int is undefined.
int clampedInt(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::fmax(lowest, std::fmin(highest, value)));
}

std::string formatted(const char* format, double value) {
    // Large enough for any double in "%.2f".
    char buffer[352];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

std::string wholeText(int value) {
    return std::to_string(value);
}

std::string flooredText(double value) {
    return wholeText(clampedInt(std::floor(value)));
}

std::string compactText(double value) {
    constexpr double million = 1e6;
    if (std::fabs(value) < million)
        return flooredText(value);
    return formatted("%.1fM", value / million);
}

std::string twoDecimalsText(double value) {
    return formatted("%.2f", value);
}

std::string dailyChangeText(double value) {
    if (value > 0.0 && value < 1.0)
        return twoDecimalsText(value);
    return wholeText(clampedInt(std::trunc(value)));
}

std::string shareText(double share) {
    // Shares are whole or half percentages divided by 100, and 0.29 * 100 lands just
    // under 29: the nudge keeps such products from losing a percent.
    constexpr double representationSlack = 1e-9;
    return wholeText(clampedInt(std::trunc(share * 100.0 + representationSlack))) + "%";
}

std::string demandWord(double demand) {
    for (const DemandStep& step : kDemandWords)
        if (demand >= step.from)
            return step.word;
    return demand > 0.0 ? "Very low" : "None";
}

std::string rateText(double rate) {
    return formatted("%.2fx", rate);
}

std::string upgradeLabel(double rate) {
    return formatted("Upgrade to %.2f\u00A4", rate);
}
