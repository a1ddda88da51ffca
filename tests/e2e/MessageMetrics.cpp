#include "MessageMetrics.h"

#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "game/Game.h"
#include "platform/StringUtil.h"

#include <cstdlib>

namespace {
// The box is 200 wide; its text is wrapped 24 pixels narrower (body inset and margin).
constexpr int WrapWidth = 200 - 24;
constexpr std::size_t BodyFont = 0;
} // namespace

MessageMetrics::MessageMetrics()
    : game_(std::make_unique<Game>()), fonts_(std::make_unique<FontManager>(*game_)) {
    // The build's data folder, unless the caller chose another.
    setenv("TAPBURG_DATA_DIR", TAPBURG_E2E_DATA, 0);
    fonts_->loadFonts();
}

MessageMetrics::~MessageMetrics() = default;

int MessageMetrics::textHeight(const std::string& text) const {
    const BitmapFont* font = fonts_->getFont(BodyFont);
    if (font == nullptr)
        return 0;
    const std::string wrapped = font->wrapString(text, WrapWidth);
    const std::size_t lines = wrapped.empty() ? 1 : split(wrapped, '\n').size();
    return font->getRowHeight() * static_cast<int>(lines);
}
