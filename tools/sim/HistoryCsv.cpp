#include "HistoryCsv.h"

#include <cstdio>

std::string HistoryCsv::format(const std::vector<HistoryRow>& rows) {
    std::string text = "day,population,budget,income,expenses,small_houses,large_houses,flats\n";
    for (const HistoryRow& row : rows) {
        char line[160];
        const int length = std::snprintf(line, sizeof line, "%d,%d,%.2f,%.2f,%.2f,%d,%d,%d\n",
                                         row.day, row.population, row.budget, row.income,
                                         row.expenses, row.houses[0], row.houses[1], row.houses[2]);
        text.append(line, static_cast<std::size_t>(length));
    }
    return text;
}
