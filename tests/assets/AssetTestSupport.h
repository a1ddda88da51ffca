#pragma once
// Shared by the asset tests: a scratch folder removed after the test, a guard that points
// the resource folder elsewhere, settings from literal text, the generated sprite files,
// and crafted font images drawn from character rows.
#include "assets/FontDescription.h"
#include "platform/Config.h"

#include <SFML/Graphics.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace assettest {

class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tapburg-asset-" + std::to_string(getpid()) + "-" + info->name());
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Points the resource folder at `path` for the guard's lifetime.
class DataFolder {
public:
    explicit DataFolder(const std::string& path = TAPBURG_TEST_DATA_DIR) {
        if (const char* old = std::getenv("TAPBURG_DATA_DIR"))
            saved_ = old;
        setenv("TAPBURG_DATA_DIR", path.c_str(), 1);
    }
    ~DataFolder() {
        saved_ ? setenv("TAPBURG_DATA_DIR", saved_->c_str(), 1) : unsetenv("TAPBURG_DATA_DIR");
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

private:
    std::optional<std::string> saved_;
};

// Settings as if read from a conf.dat holding `text` (`set` cannot add keys).
inline std::unique_ptr<Config> configWith(const std::string& text) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tapburg-conf-" + std::to_string(getpid()));
    std::ofstream(path) << text;
    auto config = std::make_unique<Config>();
    config->load(path.string());
    std::filesystem::remove(path);
    return config;
}

// A sprite as the build wrote it into the data folder.
inline sf::Image spriteFile(const std::string& name) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(std::string(TAPBURG_TEST_DATA_DIR) + "sprites/" + name + ".png"))
        << name;
    return image;
}

// Font images: 'R' separator (the pixel at 0, 0 decides its colour), '.' clear,
// '#' opaque white, 'k' opaque black, 'g' grey.
inline sf::Color pixelFor(char c) {
    return c == 'R'   ? sf::Color::Red
           : c == '#' ? sf::Color::White
           : c == 'k' ? sf::Color::Black
           : c == 'g' ? sf::Color(128, 128, 128)
                      : sf::Color::Transparent;
}

inline std::string writeImage(const ScratchFolder& folder, const std::vector<std::string>& rows) {
    sf::Image image;
    image.create(unsigned(rows.front().size()), unsigned(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            image.setPixel(unsigned(x), unsigned(y), pixelFor(rows[y][x]));
    const std::string path = folder.file("font.png");
    EXPECT_TRUE(image.saveToFile(path));
    return path;
}

// A strip of solid glyphs of the given widths: a marker row, then `height` rows.
inline std::vector<std::string> solidStrip(const std::vector<int>& widths, int height) {
    std::string marker = "R", body = ".";
    for (const int w : widths) {
        marker += std::string(std::size_t(w), '.') + "R";
        body += std::string(std::size_t(w), '#') + ".";
    }
    std::vector<std::string> rows{marker};
    rows.insert(rows.end(), std::size_t(height), body);
    return rows;
}

inline FontDescription describe(const std::string& text) {
    std::istringstream in(text);
    return FontDescription::parse("test", in);
}

} // namespace assettest
