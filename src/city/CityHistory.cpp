#include "city/CityHistory.h"

#include <utility>

void CityHistory::append(const HistoryRow& row) {
    const std::scoped_lock lock(mutex);
    entries.push_back(row);
}

std::vector<HistoryRow> CityHistory::rows() const {
    const std::scoped_lock lock(mutex);
    return entries;
}

void CityHistory::replace(std::vector<HistoryRow> rows) {
    const std::scoped_lock lock(mutex);
    entries = std::move(rows);
}

void CityHistory::clear() {
    replace({});
}
