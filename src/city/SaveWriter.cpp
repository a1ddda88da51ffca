#include "city/SaveWriter.h"

#include <cstdio>
#include <type_traits>

namespace {

class LineWriter {
public:
    explicit LineWriter(std::string& out) : text(out) {}

    template <class... Values> void operator()(const char* section, const Values&... values) {
        first = true;
        (put(values), ...);
        text += ", /* ";
        text += section;
        text += " */\n";
    }

private:
    void separate() {
        if (!first)
            text += ',';
        first = false;
    }

    void put(double value) { append("%g", value); }
    void put(bool value) {
        separate();
        text += value ? '1' : '0';
    }
    void put(unsigned value) { append("%u", value); }
    template <class Integral> void put(Integral value) {
        static_assert(std::is_same_v<Integral, int> || std::is_enum_v<Integral>);
        append("%d", static_cast<int>(value));
    }
    template <class T, std::size_t N> void put(const std::array<T, N>& values) {
        for (const T& value : values)
            put(value);
    }

    template <class T> void append(const char* form, T value) {
        separate();
        char buffer[32];
        const int length = std::snprintf(buffer, sizeof buffer, form, value);
        text.append(buffer, static_cast<std::size_t>(length));
    }

    std::string& text;
    bool first = true;
};

} // namespace

std::string SaveWriter::format(const SaveFile& save) {
    std::string text;
    // A tile line and its record lines stay under about 200 bytes.
    text.reserve(4096 + save.tiles.size() * 48);
    LineWriter line(text);
    SaveFile::visitHeader(save, line);
    for (const SavedTile& tile : save.tiles) {
        SaveFile::visitTile(tile, line);
        if (tile.hasBuilding)
            SaveFile::visitRecord(tile, line);
    }
    for (const HistoryRow& row : save.history)
        SaveFile::visitHistory(row, line);
    return text;
}
