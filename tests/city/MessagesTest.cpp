#include "city/Messages.h"

#include "city/CityTypes.h"

#include <gtest/gtest.h>
#include <string>

TEST(MessagesTest, EveryTableSlotIsAStringAndNamesFollowTheirEnumerations) {
    for (std::size_t i = 0; i < kMessageSlots; ++i) {
        ASSERT_NE(actionNames[i], nullptr) << i;
        ASSERT_NE(expenseNames[i], nullptr) << i;
        ASSERT_NE(expenseHelp[i], nullptr) << i;
    }
    EXPECT_STREQ(actionNames[static_cast<int>(ActionKind::PutOutFires)], "Put out fires!");
}

TEST(MessagesTest, TextsKeepTheirSpellingAndLineBreaks) {
    EXPECT_NE(std::string(msgUnlockConvenienceStore).find("accomodates"), std::string::npos);
    EXPECT_NE(std::string(msgUnlockFireStation).find("attetion"), std::string::npos);
    EXPECT_NE(std::string(msgUnlockLandfill).find("availble"), std::string::npos);
    const std::string social = helpSocialClasses;
    EXPECT_EQ(social.substr(social.size() - 4), ".\n\n\n");
    EXPECT_EQ(std::string(msgUnlockPolice).find("\n\nThere is a 6 month"), 170u);
}
