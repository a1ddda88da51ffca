#pragma once
// A save file as the scenarios read it: lines of comma-separated values, each closed
// by a comment naming its section. Read independently of the game's own loader, so
// a fault shared by writer and loader still shows.
#include <filesystem>
#include <string>
#include <vector>

class SaveText {
public:
    explicit SaveText(const std::filesystem::path& path);

    bool empty() const { return lines_.empty(); }
    int version() const;
    int dayCounter() const;
    double budget() const;
    // Sum of the current month's ledger, incomes or expenses (expenses are negative).
    double monthTotal(bool incomes) const;
    double monthExpense(int category) const;
    // Kind of the tile at (x, y) of the map, or -1 when the file has no such tile.
    int tileKind(int x, int y) const;

private:
    // Fields of the n-th line (1-based) before its section comment; empty when missing.
    std::vector<std::string> fields(std::size_t line) const;

    std::vector<std::string> lines_;
};
