#pragma once
// The city's history as CSV for spreadsheets and plotting: a header row, then one row
// per month closed, oldest first.
#include "city/CityHistory.h"

#include <string>
#include <vector>

class HistoryCsv {
public:
    static std::string format(const std::vector<HistoryRow>& rows);
};
