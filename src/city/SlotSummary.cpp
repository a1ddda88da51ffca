#include "city/SlotSummary.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// The three lines sit at the start of the file; nothing beyond this is looked at.
constexpr std::size_t kSummaryBytes = 4096;

// The given field (0-based) of the given line (0-based), or empty.
std::string field(std::string_view text, int line, int index) {
    for (; line > 0; --line) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return {};
        text.remove_prefix(end + 1);
    }
    text = text.substr(0, text.find('\n'));
    for (; index > 0; --index) {
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos)
            return {};
        text.remove_prefix(comma + 1);
    }
    return std::string(text.substr(0, text.find(',')));
}

// atof, then truncated into int range; NaN reads as 0.
int leadingNumber(const std::string& token) {
    const double value = std::strtod(token.c_str(), nullptr);
    if (std::isnan(value))
        return 0;
    if (value >= INT_MAX)
        return INT_MAX;
    if (value <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

SlotSummary SlotSummary::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(kSummaryBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return fromText(text);
}

SlotSummary SlotSummary::fromText(std::string_view text) {
    SlotSummary summary;
    // A negative day has no date; it shows as the first day.
    summary.dayCounter = std::max(0, leadingNumber(field(text, 1, 0)));
    summary.budget = leadingNumber(field(text, 2, 0));
    summary.population = leadingNumber(field(text, 2, 1));
    return summary;
}

std::string SlotSummary::dateText() const {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d Year %d", dayCounter % 30 + 1,
                  dayCounter % 360 / 30 + 1, dayCounter / 360 + 1);
    return buffer;
}

std::string SlotSummary::label() const {
    return "Population: " + std::to_string(population) + "\nBudget: " + std::to_string(budget) +
           "\nDate: " + dateText();
}
