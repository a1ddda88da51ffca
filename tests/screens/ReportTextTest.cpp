#include "screens/ReportText.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

namespace {

using Cases = std::vector<std::pair<double, std::string>>;

template <class Format> void expectAll(Format format, const Cases& cases) {
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(format(value), expected) << "for " << value;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::string kIntMax = std::to_string(std::numeric_limits<int>::max());

} // namespace

TEST(ReportText, DemandWordsFollowTheThresholds) {
    expectAll(demandWord, {{1.5, "Very high"},
                           {1.0, "Very high"},
                           {0.75, "High"},
                           {0.7499, "Average"},
                           {0.25, "Low"},
                           {0.0001, "Very low"},
                           {0.0, "None"},
                           {-0.3, "None"},
                           {kNaN, "None"}});
}

TEST(ReportText, SharesArePercentagesCutTowardZero) {
    // 0.29 * 100 lies just under 29 in binary and still shows 29.
    expectAll(shareText, {{0.333, "33%"}, {0.29, "29%"}, {0.999, "99%"}, {1.0, "100%"}});
}

TEST(ReportText, MoneyIsRoundedDownAndDailyChangeCutTowardZero) {
    // A hostile save can hold any double; the text stays a number.
    expectAll(flooredText, {{-12.5, "-13"},
                            {12.9, "12"},
                            {-0.0001, "-1"},
                            {1e300, kIntMax},
                            {-1e300, std::to_string(std::numeric_limits<int>::min())},
                            {kNaN, "0"}});
    expectAll(dailyChangeText,
              {{-0.5, "0"}, {0.25, "0.25"}, {1.0, "1"}, {-3.7, "-3"}, {1e300, kIntMax}});
}
