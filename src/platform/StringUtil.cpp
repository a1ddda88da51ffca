#include "platform/StringUtil.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace {

constexpr std::uint32_t ReplacementCharacter = 0xFFFD;
constexpr char ProtectedSpace = '#';

// Offsets of the reference converter: what the lead-byte marks and continuation marks
// add up to for each sequence length, indexed by length.
constexpr std::array<std::uint32_t, 7> utf8Offsets{
    0, 0x00000000u, 0x00003080u, 0x000E2080u, 0x03C82080u, 0xFA082080u, 0x82082080u};

void appendEncoded(std::string& out, std::uint32_t cp) {
    if (cp >= 0x110000)
        cp = ReplacementCharacter;
    const auto continuation = [](std::uint32_t bits) { return char(0x80 | (bits & 0x3F)); };
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += continuation(cp);
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += continuation(cp >> 6);
        out += continuation(cp);
    } else {
        out += char(0xF0 | (cp >> 18));
        out += continuation(cp >> 12);
        out += continuation(cp >> 6);
        out += continuation(cp);
    }
}

} // namespace

std::vector<std::string> split(const std::string& line, char delimiter) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, delimiter))
        fields.push_back(field);
    return fields;
}

std::vector<std::string> splitQuoted(const std::string& line, char delimiter) {
    std::string guarded = line;
    const std::size_t first = guarded.find('"');
    if (first != std::string::npos) {
        const std::size_t last = guarded.rfind('"');
        std::replace(guarded.begin() + first, guarded.begin() + last + 1, ' ', ProtectedSpace);
    }
    std::vector<std::string> fields = split(guarded, delimiter);
    for (std::string& field : fields) {
        field.erase(std::remove(field.begin(), field.end(), '"'), field.end());
        std::replace(field.begin(), field.end(), ProtectedSpace, ' ');
    }
    return fields;
}

std::uint32_t hashName(const std::string& name) {
    std::uint32_t h = 0;
    for (const char c : name) {
        // Bytes count as signed, so names with non-ASCII letters hash as they always have.
        const auto widened =
            static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        h = (h * 2u) ^ widened;
    }
    return h;
}

int utf8SequenceLength(unsigned char leadByte) {
    if (leadByte < 0xC0)
        return 1;
    if (leadByte < 0xE0)
        return 2;
    if (leadByte < 0xF0)
        return 3;
    if (leadByte < 0xF8)
        return 4;
    if (leadByte < 0xFC)
        return 5;
    return 6;
}

std::vector<std::uint32_t> utf8ToCodepoints(const std::string& text) {
    std::vector<std::uint32_t> codepoints;
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t pos = 0;
    while (pos < end) {
        const int length = utf8SequenceLength(static_cast<unsigned char>(text[pos]));
        if (pos + length > end) {
            codepoints.push_back(ReplacementCharacter);
            break;
        }
        std::uint32_t total = 0;
        for (int i = 0; i < length; ++i)
            total = (total << 6) + static_cast<unsigned char>(text[pos + i]);
        codepoints.push_back(total - utf8Offsets[length]);
        pos += length;
    }
    return codepoints;
}

std::string codepointsToUtf8(const std::vector<std::uint32_t>& codepoints) {
    std::string out;
    for (const std::uint32_t cp : codepoints) {
        if (cp == 0)
            break;
        appendEncoded(out, cp);
    }
    return out;
}
