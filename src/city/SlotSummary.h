#pragma once
// What the save-slot window shows of a saved city: population, budget and date, read
// from the first three lines of the file without loading it. Lenient like the C
// conversions: a missing or malformed field reads as 0, an unreadable file as all 0.
#include <string>
#include <string_view>

class SlotSummary {
public:
    static SlotSummary read(const std::string& path);
    static SlotSummary fromText(std::string_view text);

    // "16/02 Year 1": day and month of a 30-day month, 360-day year, from day 0.
    std::string dateText() const;
    // "Population: %d\nBudget: %d\nDate: %s".
    std::string label() const;

    int population = 0;
    int budget = 0; // truncated toward zero
    int dayCounter = 0;
};
