#include "city/SaveReader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

constexpr int kMaxOrientation = 4;

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
    }

    bool failed() const { return !error.empty(); }
    // Marks the line just read as wrong.
    void fail(const std::string& what) {
        if (!failed())
            error = "line " + std::to_string(lineNumber) + " (" + currentSection + "): " + what;
    }

    std::string error;

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
        if (!parseNumber(text, out) || !std::isfinite(out))
            notA("a finite number", text);
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

void checkHeader(SaveFile& save, LineReader& line) {
    if (save.dayCounter < 0 || save.clickCounter < 0)
        line.fail("the date is negative");
    if (save.width > kMaxMapSide || save.height > kMaxMapSide)
        line.fail("map size " + std::to_string(save.width) + " x " + std::to_string(save.height) +
                  " is larger than " + std::to_string(kMaxMapSide) + " x " +
                  std::to_string(kMaxMapSide));
    if (save.width <= 0 || save.height <= 0)
        save.width = save.height = kDefaultMapSide;
}

void checkRecord(const SavedTile& tile, LineReader& line) {
    const SavedBuilding& b = tile.building;
    const bool levelled = tile.kind == TileKind::House || tile.kind == TileKind::Shop;
    if (levelled && !within(b.level, 1, 3))
        line.fail("level " + std::to_string(b.level) + " is outside 1..3");
    if (tile.kind == TileKind::Factory && !within(b.goodsType, 0, kGoodsTypeCount - 1))
        line.fail("goods type " + std::to_string(b.goodsType) + " is outside 0..2");
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

} // namespace

SaveReader::Result SaveReader::parse(std::string_view text) {
    Result result;
    SaveFile save;
    LineReader line(text);
    SaveFile::visitHeader(save, line);
    if (!line.failed())
        checkHeader(save, line);
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
    if (line.failed()) {
        result.error = line.error;
        return result;
    }
    result.save = std::move(save);
    return result;
}
