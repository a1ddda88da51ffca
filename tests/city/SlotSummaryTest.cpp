#include "city/SlotSummary.h"

#include <gtest/gtest.h>
#include <string>

TEST(SlotSummaryTest, ReadsPopulationBudgetAndDateFromTheFirstLines) {
    const std::pair<const char*, const char*> cases[] = {
        {"2, /* save version */\n45,3,0, /* date, action */\n25000,12,0, /* city info */\n",
         "Population: 12\nBudget: 25000\nDate: 16/02 Year 1"},
        {"2\n360\n1.23457e+06,5\n", "Population: 5\nBudget: 1234570\nDate: 01/01 Year 2"},
        {"2\n3611\n1e300,  42abc\n", "Population: 42\nBudget: 2147483647\nDate: 12/01 Year 11"},
        // Unreadable parts read as 0, like the C conversions.
        {"", "Population: 0\nBudget: 0\nDate: 01/01 Year 1"},
        {"2\nabc\nnan,x\n", "Population: 0\nBudget: 0\nDate: 01/01 Year 1"},
        {"2\n-40\n5\n", "Population: 0\nBudget: 5\nDate: 01/01 Year 1"},
    };
    for (const auto& [text, label] : cases)
        EXPECT_EQ(SlotSummary::fromText(text).label(), label) << text;
    EXPECT_EQ(SlotSummary::read("/nonexistent/folder/1.sav").label(),
              "Population: 0\nBudget: 0\nDate: 01/01 Year 1");
}
