#include "city/SaveReader.h"

#include "city/Building.h"
#include "city/TickTuning.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

constexpr int kMaxOrientation = 4;
// Far beyond any game played (a hundred thousand years), yet far from the int limit,
// so the day and the grace ends after it can never overflow.
constexpr int kMaxDay = 100000 * kDaysPerYear;
// A loan grows by a button press at a time; this is more presses than anyone makes,
// and half the int range, so the next press cannot overflow it.
constexpr int kMaxLoan = 1000000000;
// No amount of money or goods a city reaches comes near this; the sums of such values
// over every tile and day stay finite.
constexpr double kMaxReal = 1e15;

// No map holds more people than this, nor more houses than kMaxMapSide squared.
constexpr long long kMaxPopulation =
    static_cast<long long>(kMaxMapSide) * kMaxMapSide * largestHouseCapacity();
constexpr long long kMaxHouses = static_cast<long long>(kMaxMapSide) * kMaxMapSide;

constexpr ActionSpec largestAction() {
    ActionSpec largest{};
    for (const ActionSpec& action : kActionSpecs) {
        largest.price = std::max({largest.price, action.price, action.upgradePrice});
        largest.clicks = std::max(largest.clicks, action.clicks);
    }
    largest.clicks = std::max(largest.clicks, kFireMaxClicks);
    return largest;
}

template <class T> constexpr std::size_t valueCount(const T&) {
    return 1;
}
template <class T, std::size_t N> constexpr std::size_t valueCount(const std::array<T, N>&) {
    return N;
}

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads lines in order and fills the fields handed to it. After the first failure it
// does nothing and keeps that failure's message.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest(text) {}

    template <class... Fields> void operator()(const char* section, Fields&... fields) {
        if (failed())
            return;
        currentSection = section;
        if (!splitNextLine())
            return;
        const std::size_t needed = (valueCount(fields) + ...);
        if (values.size() < needed) {
            fail("expected " + std::to_string(needed) + " values, found " +
                 std::to_string(values.size()));
            return;
        }
        next = 0;
        (read(fields), ...);
        if (!failed() && check)
            check(currentSection);
    }

    bool failed() const { return !error.empty(); }
    // Marks the line just read as wrong.
    void fail(const std::string& what) {
        if (!failed())
            error = "line " + std::to_string(lineNumber) + " (" + currentSection + "): " + what;
    }

    // Only blank space and empty lines are left, as an editor may leave them.
    bool atEnd() const { return rest.find_first_not_of(" \t\r\n") == std::string_view::npos; }

    std::string error;
    // Called after each line was read whole, with its section name.
    std::function<void(const std::string& section)> check;
    // Lines must name their section in their comment. Off for the lines the format
    // has always read by position alone.
    bool sectionNamed = false;

private:
    bool splitNextLine() {
        if (rest.empty()) {
            ++lineNumber;
            fail("the file ends early");
            return false;
        }
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        ++lineNumber;
        // Every line the game writes closes with its section comment; a line without
        // one has been cut short.
        line = trim(line);
        const std::size_t comment = line.find("/*");
        if (comment == std::string_view::npos || line.size() < comment + 4 ||
            line.substr(line.size() - 2) != "*/") {
            fail("the line is cut short");
            return false;
        }
        if (sectionNamed &&
            trim(line.substr(comment + 2, line.size() - comment - 4)) != currentSection) {
            fail("this is not a " + currentSection + " line");
            return false;
        }
        std::string_view list = trim(line.substr(0, comment));
        if (!list.empty() && list.back() == ',')
            list.remove_suffix(1);
        values.clear();
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            values.push_back(trim(list.substr(0, comma)));
            list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
        }
        return true;
    }

    std::string_view token() { return values[next++]; }

    void notA(const char* what, std::string_view text) {
        fail("value " + std::to_string(next) + " is not " + what + ": \"" +
             std::string(text.substr(0, 24)) + "\"");
    }

    template <class Number> bool parseNumber(std::string_view text, Number& out) {
        const char* end = text.data() + text.size();
        const auto [stop, status] = std::from_chars(text.data(), end, out);
        return status == std::errc() && stop == end;
    }

    void read(double& out) {
        const std::string_view text = token();
        if (!parseNumber(text, out) || !std::isfinite(out) || std::abs(out) > kMaxReal)
            notA("a finite number within 1e15", text);
    }

    void read(int& out) {
        const std::string_view text = token();
        if (!parseNumber(text, out))
            notA("a whole number", text);
    }

    void read(unsigned& out) {
        const std::string_view text = token();
        if (!parseNumber(text, out))
            notA("a whole number of at least 0", text);
    }

    void read(bool& out) {
        const std::string_view text = token();
        int bit = 0;
        if (!parseNumber(text, bit) || (bit != 0 && bit != 1))
            notA("0 or 1", text);
        out = bit == 1;
    }

    template <class Kind> void read(Kind& out) {
        static_assert(std::is_enum_v<Kind>);
        constexpr int kCount = std::is_same_v<Kind, TileKind> ? kTileKindCount : kActionKindCount;
        const std::string_view text = token();
        int number = 0;
        if (!parseNumber(text, number) || number < 0 || number >= kCount) {
            notA(std::is_same_v<Kind, TileKind> ? "a tile kind (0..14)" : "an action (0..19)",
                 text);
            return;
        }
        out = static_cast<Kind>(number);
    }

    template <class T, std::size_t N> void read(std::array<T, N>& out) {
        for (T& value : out)
            read(value);
    }

    std::string_view rest;
    std::vector<std::string_view> values;
    std::size_t next = 0;
    int lineNumber = 0;
    std::string currentSection;
};

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}

// Marks the line wrong unless low <= value <= high.
void limit(LineReader& line, const char* what, long long value, long long low, long long high) {
    if (value < low || value > high)
        line.fail(std::string(what) + " " + std::to_string(value) + " is outside " +
                  std::to_string(low) + ".." + std::to_string(high));
}

void checkAction(const SaveFile& save, LineReader& line) {
    constexpr ActionSpec largest = largestAction();
    limit(line, "the day", save.dayCounter, 0, kMaxDay);
    limit(line, "the click count", save.clickCounter, 0, kClicksPerDay - 1);
    limit(line, "the action price", save.actionPrice, 0, largest.price);
    limit(line, "the clicks needed", save.clicksNeeded, 0, largest.clicks);
    for (const int graceEnd : {save.fireGraceEnd, save.policeGraceEnd, save.hospitalGraceEnd})
        limit(line, "a grace end", graceEnd, 0, kMaxDay + kServiceGraceDays);
    if (save.progress < 0 || save.buildRate < 0)
        line.fail("the progress or the build rate is negative");
}

// The population and the loan are checked before the map size is known: the
// population against the largest map.
void checkHeaderLine(SaveFile& save, const std::string& section, LineReader& line) {
    if (section == "date, action") {
        checkAction(save, line);
    } else if (section == "city info") {
        limit(line, "the population", save.population, 0, kMaxPopulation);
        limit(line, "the loan", save.loan, 0, kMaxLoan);
    } else if (section == "map size, rotation") {
        if (save.width > kMaxMapSide || save.height > kMaxMapSide)
            line.fail("map size " + std::to_string(save.width) + " x " +
                      std::to_string(save.height) + " is larger than " +
                      std::to_string(kMaxMapSide) + " x " + std::to_string(kMaxMapSide));
        if (save.width <= 0 || save.height <= 0)
            save.width = save.height = kDefaultMapSide;
    }
}

// Only what the game itself can write: every count within the record's capacity, every
// capacity, range and base amount within its kind's, so no tick loops or sums beyond
// what a real city gives.
void checkRecord(const SavedTile& tile, LineReader& line) {
    const SavedBuilding& b = tile.building;
    const bool levelled = tile.kind == TileKind::House || tile.kind == TileKind::Shop;
    if (levelled && !within(b.level, 1, 3))
        line.fail("level " + std::to_string(b.level) + " is outside 1..3");
    if (tile.kind == TileKind::Factory && !within(b.goodsType, 0, kGoodsTypeCount - 1))
        line.fail("goods type " + std::to_string(b.goodsType) + " is outside 0..2");
    const BuildingDefaults* kind = buildingDefaults(tile.kind, b.level);
    if (kind == nullptr || line.failed())
        return; // a record the loader skips
    limit(line, "the amount", b.amount, 0, kind->amount);
    limit(line, "the capacity", b.capacity, 0, kind->capacity);
    limit(line, "the range", b.range, 0, kind->range);
    const bool house = tile.kind == TileKind::House;
    limit(line, house ? "the residents" : "the occupants", b.occupants, 0, b.capacity);
    if (tile.kind == TileKind::Landfill && !(b.fill >= 0 && b.fill <= b.capacity))
        line.fail("the fill is outside 0.." + std::to_string(b.capacity));
    if (!house)
        return;
    for (const int toPlace : {b.shoppersToPlace, b.waterUsersToPlace, b.jobSeekersToPlace})
        limit(line, "the people to place", toPlace, 0, b.capacity);
    limit(line, "the rent change", b.rentModifier, std::min(0, 1 - b.amount),
          House::kMaxRentModifier);
    limit(line, "the needs", b.shownNeeds, 0, kAllNeeds);
}

void readTile(SavedTile& tile, LineReader& line) {
    SaveFile::visitTile(tile, line);
    if (line.failed())
        return;
    if (!within(tile.orientation, 0, kMaxOrientation))
        line.fail("orientation " + std::to_string(tile.orientation) + " is outside 0..4");
    if (!tile.hasBuilding)
        return;
    SaveFile::visitRecord(tile, line);
    if (!line.failed())
        checkRecord(tile, line);
}

// The history as the game writes it: month ends in order, none after the save's day.
void checkHistoryRow(const HistoryRow& row, int previousDay, int saveDay, LineReader& line) {
    if (row.day % kDaysPerMonth != 0 || row.day <= previousDay || row.day > saveDay)
        line.fail("the day " + std::to_string(row.day) + " is not a month end after day " +
                  std::to_string(previousDay) + " and by day " + std::to_string(saveDay));
    limit(line, "the population", row.population, 0, kMaxPopulation);
    if (row.income < 0 || row.expenses > 0)
        line.fail("the income is negative or the expenses are positive");
    for (const int houses : row.houses)
        limit(line, "the houses", houses, 0, kMaxHouses);
}

// Everything after the last tile: history lines only, up to the end of the file.
void readHistory(SaveFile& save, LineReader& line) {
    line.sectionNamed = true;
    int previousDay = 0;
    while (!line.failed() && !line.atEnd()) {
        HistoryRow row;
        SaveFile::visitHistory(row, line);
        if (line.failed())
            return;
        checkHistoryRow(row, previousDay, save.dayCounter, line);
        previousDay = row.day;
        save.history.push_back(row);
    }
}

} // namespace

SaveReader::Result SaveReader::parse(std::string_view text) {
    Result result;
    SaveFile save;
    LineReader line(text);
    line.check = [&save, &line](const std::string& section) {
        checkHeaderLine(save, section, line);
    };
    SaveFile::visitHeader(save, line);
    line.check = nullptr;
    if (line.failed()) {
        result.error = line.error;
        return result;
    }
    const std::size_t count = static_cast<std::size_t>(save.width) * save.height;
    // Grown line by line, so a short hostile file never reserves a huge grid.
    for (std::size_t i = 0; i < count && !line.failed(); ++i) {
        save.tiles.emplace_back();
        readTile(save.tiles.back(), line);
    }
    readHistory(save, line);
    if (line.failed()) {
        result.error = line.error;
        return result;
    }
    result.save = std::move(save);
    return result;
}
