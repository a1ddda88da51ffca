#include "SaveText.h"

#include "platform/StringUtil.h"

#include <cstdlib>
#include <fstream>
#include <numeric>

namespace {

constexpr std::size_t VersionLine = 1;
constexpr std::size_t DateLine = 2;
constexpr std::size_t CityLine = 3;
constexpr std::size_t MonthIncomesLine = 10;
constexpr std::size_t MonthExpensesLine = 11;
constexpr std::size_t MapSizeLine = 14;
constexpr const char* TileSection = ", /* tile */";

double number(const std::vector<std::string>& values, std::size_t index) {
    return index < values.size() ? std::atof(values[index].c_str()) : 0.0;
}

} // namespace

SaveText::SaveText(const std::filesystem::path& path) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines_.push_back(line);
}

std::vector<std::string> SaveText::fields(std::size_t line) const {
    if (line == 0 || line > lines_.size())
        return {};
    const std::string& text = lines_[line - 1];
    return split(text.substr(0, text.find(", /*")), ',');
}

int SaveText::version() const {
    return static_cast<int>(number(fields(VersionLine), 0));
}

int SaveText::dayCounter() const {
    return static_cast<int>(number(fields(DateLine), 0));
}

double SaveText::budget() const {
    return number(fields(CityLine), 0);
}

double SaveText::monthTotal(bool incomes) const {
    const std::vector<std::string> values = fields(incomes ? MonthIncomesLine : MonthExpensesLine);
    return std::accumulate(values.begin(), values.end(), 0.0, [](double sum, const std::string& v) {
        return sum + std::atof(v.c_str());
    });
}

double SaveText::monthExpense(int category) const {
    return number(fields(MonthExpensesLine), static_cast<std::size_t>(category));
}

int SaveText::tileKind(int x, int y) const {
    const int width = static_cast<int>(number(fields(MapSizeLine), 0));
    int index = 0;
    const int wanted = y * width + x;
    // Building lines sit between the tile lines, so tiles are counted by their section.
    for (std::size_t line = MapSizeLine + 1; line <= lines_.size(); ++line) {
        const std::string& text = lines_[line - 1];
        if (text.size() < std::string(TileSection).size() ||
            text.compare(text.size() - std::string(TileSection).size(), std::string::npos,
                         TileSection) != 0)
            continue;
        if (index++ == wanted)
            return static_cast<int>(number(fields(line), 2));
    }
    return -1;
}
