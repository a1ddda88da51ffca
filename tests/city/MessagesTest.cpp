#include "city/Messages.h"

#include "city/CityTypes.h"

#include <gtest/gtest.h>
#include <string>

TEST(MessagesTest, UnlistedSlotsAreEmptyStrings) {
    for (std::size_t i = 0; i < kMessageSlots; ++i) {
        ASSERT_NE(actionNames[i], nullptr);
        ASSERT_NE(expenseNames[i], nullptr);
        ASSERT_NE(expenseHelp[i], nullptr);
        if (i >= static_cast<std::size_t>(kActionKindCount)) {
            EXPECT_STREQ(actionNames[i], "");
        }
        if (i >= static_cast<std::size_t>(kLedgerCategoryCount)) {
            EXPECT_STREQ(expenseNames[i], "");
        }
    }
    EXPECT_STREQ(actionNames[0], "");
    EXPECT_STREQ(expenseHelp[static_cast<int>(LedgerCategory::Misc)], "");
    EXPECT_STREQ(expenseNames[static_cast<int>(LedgerCategory::Misc)], "Misc.");
}

TEST(MessagesTest, TablesFollowTheirEnumerations) {
    EXPECT_STREQ(actionNames[static_cast<int>(ActionKind::BuildRoad)], "Build road");
    EXPECT_STREQ(actionNames[static_cast<int>(ActionKind::PutOutFires)], "Put out fires!");
    EXPECT_STREQ(actionNames[static_cast<int>(ActionKind::BuildLandfill)], "Build landfill area");
    EXPECT_STREQ(expenseNames[static_cast<int>(LedgerCategory::LoanInterest)], "Loan interest");
    EXPECT_STREQ(ratingWords[static_cast<int>(HousingRating::Neutral)], "Neutral");
    EXPECT_STREQ(goodsNames[static_cast<int>(GoodsType::LuxuryItems)], "Luxury items");
}

TEST(MessagesTest, TextsKeepTheirSpellingAndLineBreaks) {
    EXPECT_NE(std::string(msgUnlockConvenienceStore).find("accomodates"), std::string::npos);
    EXPECT_NE(std::string(msgUnlockFireStation).find("attetion"), std::string::npos);
    EXPECT_NE(std::string(msgUnlockLandfill).find("availble"), std::string::npos);
    const std::string social = helpSocialClasses;
    EXPECT_EQ(social.substr(social.size() - 4), ".\n\n\n");
    EXPECT_EQ(std::string(msgUnlockPolice).find("\n\nThere is a 6 month"), 170u);
    EXPECT_STREQ(msgWarningTitle, "Uh-oh..");
}
