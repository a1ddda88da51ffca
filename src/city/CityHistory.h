#pragma once
// The city's past: one row for every month closed, oldest first, which the history
// window draws and the save keeps after the map. The tick appends at each month end
// while the interface may be reading, so every access takes the history's own mutex.
// It ranks with the City budget and population mutexes in the lock order and is never
// held while another lock is taken. Non-copyable.
#include <array>
#include <mutex>
#include <vector>

struct HistoryRow {
    int day = 0; // the month's last day, a multiple of 30
    int population = 0;
    double budget = 0.0;
    // The month's bookings in every category the finances window totals (all but
    // Misc., the loan's own line): income not negative, expenses not positive.
    double income = 0.0;
    double expenses = 0.0;
    std::array<int, 3> houses{}; // by house level - 1

    double result() const { return income + expenses; }
};

class CityHistory {
public:
    CityHistory() = default;
    CityHistory(const CityHistory&) = delete;
    CityHistory& operator=(const CityHistory&) = delete;

    void append(const HistoryRow& row);
    std::vector<HistoryRow> rows() const;
    void replace(std::vector<HistoryRow> rows);
    void clear();

private:
    mutable std::mutex mutex;
    std::vector<HistoryRow> entries;
};
