#include "assets/FontManager.h"

#include "assets/BitmapFont.h"
#include "game/Game.h"
#include "platform/Folders.h"

#include <array>
#include <cstdio>

namespace {

struct FontFile {
    const char* name;
    bool recolour; // draws in its image's two tones instead of one modulated colour
};

// The order is the font numbering every screen uses.
constexpr std::array<FontFile, 5> gameFonts{{
    {"normal", false},
    {"small", false},
    {"bold", false},
    {"numbers", true},
    {"mixed", false},
}};

} // namespace

FontManager::FontManager(Game& game) : game_(game) {}

FontManager::~FontManager() = default;

void FontManager::loadFonts() {
    fonts_.clear();
    for (const FontFile& font : gameFonts)
        loadFont(font.name, font.recolour);
}

void FontManager::loadFont(const std::string& name, bool recolour) {
    const std::string base = resourcePath() + "fonts/" + name;
    auto font = std::make_unique<BitmapFont>(game_, FontDescription::load(name, base + ".dat"),
                                             recolour, base + ".png");
    font->setColor(game_.inkColor);
    fonts_.push_back(std::move(font));
    std::printf("Loaded font: %s\n", name.c_str());
}

BitmapFont* FontManager::getFont(std::size_t index) const {
    return index < fonts_.size() ? fonts_[index].get() : nullptr;
}
