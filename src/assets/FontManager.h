#pragma once
// Owns the game's bitmap fonts. A font's index in the load order is its font number:
// 0 "normal", 1 "small", 2 "bold", 3 "numbers", 4 "mixed". Fonts are reloaded after a
// palette change so that the recoloured one takes the new colours. Non-copyable.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class BitmapFont;
class Game;

class FontManager {
public:
    explicit FontManager(Game& game);
    ~FontManager();
    FontManager(const FontManager&) = delete;
    FontManager& operator=(const FontManager&) = delete;

    // Drops every font and loads the five game fonts again, in font-number order.
    void loadFonts();
    // Appends the font even when its files are missing, so font numbers stay stable.
    void loadFont(const std::string& name, bool recolour);

    // Null when there is no font with that number; callers must cope.
    BitmapFont* getFont(std::size_t index) const;
    std::size_t count() const { return fonts_.size(); }

private:
    Game& game_;
    std::vector<std::unique_ptr<BitmapFont>> fonts_;
};
