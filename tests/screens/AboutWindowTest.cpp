// The about window: its text fits the window, in characters the font has.
#include "screens/AboutWindow.h"

#include "GameMenuTestSupport.h"
#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "platform/StringUtil.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class About : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        startCity();
        game.ui_showAboutScreen();
        ASSERT_TRUE(game.aboutWindow->isOpen());
    }
    gui::Window& about() const { return *game.aboutWindow->window; }
    gui::Text& body() const {
        for (const auto& child : about().children())
            if (auto* text = dynamic_cast<gui::Text*>(child.get()))
                return *text;
        throw std::runtime_error("no text");
    }
};

TEST_F(About, TheTextIsWrappedToTheBoxFromItsTop) {
    EXPECT_EQ(title(about()), "TAPBURG - ABOUT & HELP");
    EXPECT_EQ(about().position(), sf::Vector2i(165, 40));
    const gui::Text& text = body();
    EXPECT_EQ(text.verticalAlign, gui::Align::Top);
    EXPECT_TRUE(text.wrap); // a later setText wraps too
    ASSERT_GT(text.lines().size(), 10u);
    EXPECT_EQ(text.lines().front(), "Tapburg was initially made for the €Glintfest game jam.");
    EXPECT_EQ(text.lines()[1], "");
    EXPECT_EQ(text.lines().back(), "Created by @Quillor");
    for (const sf::Vector2i& line : text.lineSizes())
        EXPECT_LE(line.x, text.width());
}

TEST_F(About, EveryCharacterOfTheTextHasAGlyph) {
    const BitmapFont& font = *game.fontManager->getFont(0);
    for (const std::uint32_t codepoint : utf8ToCodepoints(AboutWindow::Body)) {
        if (codepoint != '\n' && codepoint != ' ') {
            EXPECT_TRUE(font.glyphRect(codepoint).has_value()) << "U+" << std::hex << codepoint;
        }
    }
}

TEST_F(About, OpensOnceAndCloseClearsTheSlot) {
    gui::Window* const first = &about();
    game.ui_showAboutScreen();
    EXPECT_EQ(&about(), first);
    click(*button(about(), "Close"));
    EXPECT_FALSE(game.aboutWindow->isOpen());
    EXPECT_EQ(first->parent(), nullptr);
}

} // namespace
