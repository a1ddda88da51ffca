#include "assets/FontManager.h"

#include "AssetTestSupport.h"
#include "assets/BitmapFont.h"
#include "city/Messages.h"
#include "game/Game.h"
#include "platform/StringUtil.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

std::set<std::uint32_t> missingGlyphs(const BitmapFont& font, const std::string& text) {
    std::set<std::uint32_t> missing;
    for (const std::uint32_t cp : utf8ToCodepoints(text))
        if (cp >= 0x20 && !font.glyphRef(cp))
            missing.insert(cp);
    return missing;
}

// Every shared text the fonts must be able to show, with every printable ASCII character.
std::string everyText() {
    std::string all = std::string(gameTitle) + layerTitleBuild + layerTitlePopulation +
                      layerTitleAttractiveness + layerTitleNeeds + msgWarningTitle + msgTrashText +
                      msgUnlockTitle + msgUnlockLargeHousing + msgUnlockFlats +
                      msgUnlockConvenienceStore + msgUnlockOffice + msgUnlockPumpingStation +
                      msgUnlockPolice + msgUnlockFireStation + msgUnlockHospital +
                      msgUnlockLandfill + helpHousingDemand + helpBuildRate + helpSocialClasses +
                      msgNoBudgetTitle + msgNoBudgetText + "Upgrade to 1.25\xC2\xA4 \xE2\x82\xAC";
    for (const MessageTable* table : {&actionNames, &expenseNames, &expenseHelp})
        for (const char* text : *table)
            all += text;
    for (const char* text : ratingWords)
        all += text;
    for (const char* text : goodsNames)
        all += text;
    for (char c = 0x20; c < 0x7F; ++c)
        all += c;
    return all;
}

class GeneratedFonts : public testing::Test {
protected:
    GeneratedFonts() : fonts(game) {
        game.inkColor = sf::Color(70, 62, 108);
        testing::internal::CaptureStdout();
        fonts.loadFonts();
        log = testing::internal::GetCapturedStdout();
    }

    assettest::DataFolder data;
    Game game;
    FontManager fonts;
    std::string log;
};

} // namespace

// Five fonts in number order, in the ink colour; loading again replaces them. The text
// fonts show every text of the game and fit the text boxes; the numbers font the HUD's.
TEST_F(GeneratedFonts, LoadInOrderAndShowEveryText) {
    EXPECT_EQ(log, "Loaded font: normal\nLoaded font: small\nLoaded font: bold\n"
                   "Loaded font: numbers\nLoaded font: mixed\n");
    fonts.loadFonts();
    ASSERT_EQ(fonts.count(), 5u);
    EXPECT_EQ(fonts.getFont(5), nullptr);
    for (const std::size_t index : {0u, 1u, 2u, 4u}) {
        EXPECT_EQ(fonts.getFont(index)->color(), game.inkColor);
        EXPECT_EQ(missingGlyphs(*fonts.getFont(index), everyText()), std::set<std::uint32_t>())
            << index;
    }
    EXPECT_EQ(missingGlyphs(*fonts.getFont(3), "-1234567890 16/02 Y12 45%"),
              std::set<std::uint32_t>());
    EXPECT_EQ(fonts.getFont(0)->getRowHeight(), 9);
    EXPECT_LE(fonts.getFont(1)->getRowHeight(), 7);
    EXPECT_EQ(fonts.getFont(0)->measureString("Hg").y, 9);
}
