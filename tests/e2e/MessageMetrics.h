#pragma once
// How tall the game lays out a message box's text, measured with the game's own font
// and wrapping, so the scenarios know where its "Okay" button ends up.
#include <memory>
#include <string>

class FontManager;
class Game;

class MessageMetrics {
public:
    // Loads the fonts from the data folder the game uses ($TAPBURG_DATA_DIR); needs a
    // display for their textures.
    MessageMetrics();
    ~MessageMetrics();
    MessageMetrics(const MessageMetrics&) = delete;
    MessageMetrics& operator=(const MessageMetrics&) = delete;

    // Height in UI pixels of `text` in a message box; 0 when the font is missing.
    int textHeight(const std::string& text) const;

private:
    std::unique_ptr<Game> game_; // the fonts' owner; never started
    std::unique_ptr<FontManager> fonts_;
};
