#include "screens/ReportText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

namespace {

template <class Format>
void expectAll(Format format, const std::vector<std::pair<double, std::string>>& cases) {
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(format(value), expected) << "for " << value;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(ReportText, DemandWordsFollowTheThresholds) {
    expectAll(demandWord, {{1.5, "Very high"},
                           {1.0, "Very high"},
                           {0.75, "High"},
                           {0.7499, "Average"},
                           {0.5, "Average"},
                           {0.25, "Low"},
                           {0.0001, "Very low"},
                           {0.0, "None"},
                           {-0.3, "None"},
                           {kNaN, "None"}});
}

TEST(ReportText, ClassSharesAreWholePercentagesCutTowardZero) {
    // 0.29 * 100 is just under 29 in binary; it still shows as 29.
    expectAll(shareText, {{0.333, "33%"},
                          {0.29, "29%"},
                          {0.405, "40%"},
                          {0.999, "99%"},
                          {1.0, "100%"},
                          {0.0, "0%"}});
}

TEST(ReportText, LedgerMoneyIsRoundedDown) {
    expectAll(flooredText, {{-12.5, "-13"},
                            {12.9, "12"},
                            {-0.0001, "-1"},
                            {0.0, "0"},
                            {-1250000.0, "-1250000"},
                            // A hostile save may hold anything; the text stays a number.
                            {1e300, std::to_string(std::numeric_limits<int>::max())},
                            {-1e300, std::to_string(std::numeric_limits<int>::min())},
                            {kNaN, "0"}});
}

TEST(ReportText, DailyChangeShowsFractionsOfOneOnly) {
    expectAll(dailyChangeText, {{-0.5, "0"},
                                {0.25, "0.25"},
                                {1.0, "1"},
                                {0.0, "0"},
                                {-3.7, "-3"},
                                {123.9, "123"},
                                {1e300, std::to_string(std::numeric_limits<int>::max())}});
}

TEST(ReportText, RatesAndPricesHaveTwoDecimals) {
    expectAll(twoDecimalsText, {{0.2, "0.20"}, {0.05, "0.05"}, {-1.234, "-1.23"}});
    expectAll(rateText, {{1.0, "1.00x"}, {4.0, "4.00x"}});
    EXPECT_EQ(upgradeLabel(1.25), "Upgrade to 1.25\u00A4");
    EXPECT_EQ(upgradeLabel(5.0), "Upgrade to 5.00\xC2\xA4");
}
