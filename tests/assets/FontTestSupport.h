#pragma once
// Crafted font files for the font tests: images drawn from character rows and
// descriptions from literal text, in a scratch folder removed after the test.
#include "assets/FontDescription.h"

#include <SFML/Graphics.hpp>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fonttest {

// Separator colour of the crafted images (the pixel at 0, 0 decides it).
inline const sf::Color Separator(255, 0, 0, 255);

class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tapburg-font-" + std::to_string(getpid()) + "-" + info->name());
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

// 'R' separator, '.' clear, '#' opaque white, 'k' opaque black, 'g' grey.
inline sf::Color pixelFor(char c) {
    switch (c) {
    case 'R':
        return Separator;
    case '#':
        return sf::Color::White;
    case 'k':
        return sf::Color::Black;
    case 'g':
        return sf::Color(128, 128, 128, 255);
    default:
        return sf::Color::Transparent;
    }
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

} // namespace fonttest
