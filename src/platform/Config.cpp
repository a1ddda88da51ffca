#include "platform/Config.h"

#include "platform/AtomicWriter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

template <std::size_t N> void copyTruncated(std::array<char, N>& dst, const std::string& src) {
    dst.fill('\0');
    std::memcpy(dst.data(), src.data(), std::min(src.size(), N - 1));
}

} // namespace

void Config::load(const std::string& path) {
    // A settings file is a few hundred bytes; a hostile one is read no further than this.
    constexpr std::size_t kMaxBytes = 1 << 20;
    std::ifstream in(path, std::ios::binary);
    std::string text(kMaxBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    loadText(text);
}

void Config::loadText(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, 2, "//") == 0 || line.size() < 3)
            continue;
        Entry entry;
        const std::size_t eq = line.find('=');
        std::string key = line.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        // A Windows line end leaves "\r" at the end of the line; only the value loses it.
        if (line.find('\r') != std::string::npos && !value.empty())
            value.pop_back();
        copyTruncated(entry.key, key);
        copyTruncated(entry.value, value);
        entries_.push_back(entry);
    }
}

bool Config::save(const std::string& path) const {
    std::string text;
    for (const Entry& entry : entries_)
        text += std::string(entry.key.data()) + "=" + entry.value.data() + "\n";
    return AtomicWriter::write(path, text).empty();
}

int Config::addMissing(const Config& shipped) {
    int added = 0;
    for (const Entry& entry : shipped.entries_) {
        const auto sameKey = [&entry](const Entry& own) {
            return std::strcmp(own.key.data(), entry.key.data()) == 0;
        };
        if (std::none_of(entries_.begin(), entries_.end(), sameKey)) {
            entries_.push_back(entry);
            ++added;
        }
    }
    return added;
}

std::string Config::get(const std::string& key) const {
    for (const Entry& entry : entries_)
        if (key == entry.key.data())
            return entry.value.data();
    return {};
}

bool Config::is(const std::string& key, const std::string& text) const {
    return get(key) == text;
}

int Config::getInt(const std::string& key) const {
    return std::atoi(get(key).c_str());
}

void Config::set(const std::string& key, const std::string& text) {
    for (Entry& entry : entries_)
        if (key == entry.key.data())
            copyTruncated(entry.value, text);
}

void Config::setInt(const std::string& key, int number) {
    set(key, std::to_string(number));
}

void Config::toggle(const std::string& key) {
    set(key, is(key, "true") ? "false" : "true");
}
