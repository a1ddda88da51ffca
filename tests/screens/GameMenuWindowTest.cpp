// The in-game menu and the about window it leads to.
#include "ScreenTestSupport.h"
#include "assets/BitmapFont.h"
#include "assets/FontManager.h"
#include "platform/StringUtil.h"
#include "screens/AboutWindow.h"
#include "screens/GameMenu.h"
#include "screens/OptionsWindow.h"
#include "screens/SaveSlotsWindow.h"

#include <gtest/gtest.h>

namespace {

class InGameMenu : public CityScreenTest {
protected:
    void SetUp() override {
        CityScreenTest::SetUp();
        game.ui_showMenu();
        game.ui_showMenu(); // once only
        ASSERT_EQ(countTitled("WHAT?!"), 1);
    }
    gui::Window& menu() const { return *game.menuWindow->window; }
};

TEST_F(InGameMenu, EntriesOpenTheirWindowsOverTheMenuWhichStays) {
    const struct {
        const char* entry;
        const ScreenWindow* screen;
        const char* title;
    } cases[] = {{"Save game", game.saveFilesWindow.get(), "SAVE YOUR PROGRESS"},
                 {"Load game", game.saveFilesWindow.get(), "RESTORE GAME"},
                 {"Options", game.optionsWindow.get(), "OPTIONS"},
                 {"About & Help", game.aboutWindow.get(), "TAPBURG - ABOUT & HELP"}};
    for (const auto& c : cases) {
        click(button(menu(), c.entry));
        ASSERT_TRUE(c.screen->isOpen()) << c.entry;
        EXPECT_EQ(title(*c.screen->window), c.title);
        EXPECT_EQ(game.ui->gameRoot->children().back().get(), c.screen->window) << c.entry;
        click(button(*c.screen->window, "Close"));
        EXPECT_FALSE(c.screen->isOpen()) << c.entry;
        EXPECT_TRUE(game.menuWindow->isOpen()) << c.entry;
    }
    click(button(menu(), "Back to menu"));
    EXPECT_TRUE(game.mainMenu->showing);
    EXPECT_FALSE(game.menuWindow->isOpen());
}

TEST_F(InGameMenu, AboutTextIsWrappedToItsBoxInCharactersTheFontHas) {
    click(button(menu(), "About & Help"));
    const gui::Text& text = *all<gui::Text>(*game.aboutWindow->window).at(0);
    EXPECT_TRUE(text.wrap); // a later setText wraps too
    EXPECT_EQ(text.verticalAlign, gui::Align::Top);
    EXPECT_EQ(text.lines().front(), "Tapburg was initially made for the €Glintfest game jam.");
    EXPECT_EQ(text.lines().back(), "Created by @Quillor");
    // The last line as drawn, line spacing and all, stays clear of the Close button that
    // hangs over the bottom frame, and the grown window stays on the screen.
    const gui::Window& about = *game.aboutWindow->window;
    const BitmapFont& font = *game.fontManager->getFont(text.fontIndex());
    const int textBottom = text.linePosition(text.lines().size() - 1).y + font.getRowHeight();
    EXPECT_LE(textBottom, button(about, "Close").getAbsolutePosition().y);
    EXPECT_GE(about.position().y, 0);
    for (const std::uint32_t codepoint : utf8ToCodepoints(AboutWindow::Body))
        EXPECT_TRUE(codepoint == '\n' || codepoint == ' ' || font.glyphRect(codepoint))
            << codepoint;
}

} // namespace
