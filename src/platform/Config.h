#pragma once
// The player's settings: an ordered list of key=value text entries read from
// "conf.dat" at start-up and written back at exit. Values are plain text; readers
// interpret them ("true"/"false", decimal integers). An absent key reads as the empty
// text and `set` never adds one; start-up completes the list from the shipped settings.
#include <array>
#include <string>
#include <vector>

class Config {
public:
    // Fixed buffer sizes of an entry, terminator included; longer keys and values are
    // cut to fit.
    static constexpr std::size_t KeySize = 32;
    static constexpr std::size_t ValueSize = 128;

    struct Entry {
        std::array<char, KeySize> key{};
        std::array<char, ValueSize> value{};
    };

    // Appends the entries of the file; a file that cannot be opened adds nothing.
    void load(const std::string& path);
    // Appends the entries of text in the file's format.
    void loadText(const std::string& text);
    // Writes every entry as "key=value\n" in list order, atomically: a failure leaves
    // the old file whole. Returns false when the file could not be written.
    bool save(const std::string& path) const;
    // Appends, in their order, the entries of `shipped` whose key this list lacks; the
    // values of the keys present stay. Returns how many were added.
    int addMissing(const Config& shipped);

    std::string get(const std::string& key) const;
    bool is(const std::string& key, const std::string& text) const;
    int getInt(const std::string& key) const; // atoi semantics: absent or junk reads 0
    void set(const std::string& key, const std::string& text);
    void setInt(const std::string& key, int number);
    void toggle(const std::string& key);

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};
