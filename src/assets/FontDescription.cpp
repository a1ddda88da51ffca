#include "assets/FontDescription.h"

#include "platform/StringUtil.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <limits>
#include <utility>

namespace {

// The numeric keys a set understands. "underlinePosition" is also read before the
// first "begin", where it sets the value every later set starts from.
constexpr std::array<std::pair<const char*, std::int32_t FontSet::*>, 7> numericKeys{{
    {"rowHeight", &FontSet::rowHeight},
    {"lineOffset", &FontSet::lineOffset},
    {"rowOffset", &FontSet::rowOffset},
    {"lineSpacing", &FontSet::lineSpacing},
    {"letterSpacing", &FontSet::letterSpacing},
    {"rowHeightBitmap", &FontSet::rowHeightBitmap},
    {"underlinePosition", &FontSet::underlinePosition},
}};

// atoi's reading (leading blanks, a sign, digits, junk ends it) but saturating at the
// 32-bit limits instead of overflowing on a hostile file.
std::int32_t parseNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(limit, value * 10 + (text[i] - '0'));
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, limit - 1));
}

std::string withoutTabsAndReturns(std::string line) {
    line.erase(
        std::remove_if(line.begin(), line.end(), [](char c) { return c == '\t' || c == '\r'; }),
        line.end());
    return line;
}

bool isSkipped(const std::string& line) {
    return line.empty() || line.rfind("//", 0) == 0;
}

// Unknown keys are ignored, so newer files still load.
void applySetKey(FontSet& set, const std::string& key, const std::string& value) {
    if (key == "characters") {
        set.characters = utf8ToCodepoints(value);
        return;
    }
    for (const auto& [name, field] : numericKeys) {
        if (key == name) {
            set.*field = parseNumber(value);
            return;
        }
    }
}

} // namespace

FontDescription FontDescription::parse(const std::string& name, std::istream& in) {
    FontDescription description;
    description.name = name;
    std::int32_t fileUnderline = 0;
    FontSet current;
    bool haveCurrent = false;
    // Keys after an "end" still change the set just appended, so the current set is
    // tracked by index once it is in the list.
    std::size_t appendedIndex = 0;
    bool currentAppended = false;

    std::string raw;
    while (std::getline(in, raw)) {
        const std::string line = withoutTabsAndReturns(std::move(raw));
        if (isSkipped(line))
            continue;
        const std::vector<std::string> tokens = splitQuoted(line, ' ');
        if (tokens.empty())
            continue;
        const std::string& key = tokens[0];
        const std::string value = tokens.size() > 1 ? tokens[1] : std::string();

        if (key == "begin") {
            current = FontSet{};
            current.underlinePosition = fileUnderline;
            haveCurrent = true;
            currentAppended = false;
        } else if (!haveCurrent) {
            if (key == "underlinePosition")
                fileUnderline = parseNumber(value);
        } else if (key == "end") {
            const FontSet closed = currentAppended ? description.sets[appendedIndex] : current;
            description.sets.push_back(closed);
            appendedIndex = description.sets.size() - 1;
            currentAppended = true;
        } else {
            applySetKey(currentAppended ? description.sets[appendedIndex] : current, key, value);
        }
    }
    return description;
}

FontDescription FontDescription::load(const std::string& name, const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        FontDescription description;
        description.name = name;
        return description;
    }
    return parse(name, in);
}
