#include "screens/ReportText.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>

TEST(ReportText, WordsSharesAndMoneyStayReadable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<std::string, std::string> cases[] = {
        {demandWord(1.0), "Very high"},
        {demandWord(0.75), "High"},
        {demandWord(0.7499), "Average"},
        {demandWord(0.25), "Low"},
        {demandWord(0.0001), "Very low"},
        {demandWord(0.0), "None"},
        {demandWord(nan), "None"},
        // 0.29 * 100 lies just under 29 in binary and still shows 29.
        {shareText(0.29), "29%"},
        {shareText(0.999), "99%"},
        // Money rounds down and the daily change is cut toward zero; a hostile save can
        // hold any double, and the text stays a number.
        {flooredText(-12.5), "-13"},
        {flooredText(12.9), "12"},
        {flooredText(-1e300), std::to_string(std::numeric_limits<int>::min())},
        {flooredText(nan), "0"},
        {dailyChangeText(-0.5), "0"},
        {dailyChangeText(0.25), "0.25"},
        {dailyChangeText(-3.7), "-3"},
        {dailyChangeText(1e300), std::to_string(std::numeric_limits<int>::max())},
    };
    for (const auto& [shown, expected] : cases)
        EXPECT_EQ(shown, expected);
}
