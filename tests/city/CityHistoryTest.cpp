#include "CityTestSupport.h"
#include "city/SaveGame.h"
#include "platform/StringUtil.h"
#include "platform/TestFolders.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(CityHistoryTest, AMonthEndIsRecordedAndTheSaveKeepsTheHistory) {
    Simulation sim;
    makeBlankMap(sim, 6, 3);
    for (int x = 0; x < 6; ++x)
        build(sim, x, 1, TileKind::Road);
    settledHouse(sim, 2, 2, 2, 4);
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
    sim.rebuildActionLists(); // the house faces its road, as a loaded one would
    City& city = *sim.city;
    city.setBudget(25000);
    city.history.replace({{30, 1, 2.5, 3, -4, {1, 0, 0}}});
    sim.dayCounter = 58;
    runDay(sim);
    ASSERT_EQ(city.history.rows().size(), 1u); // day 59 ends no month

    city.addMoney(LedgerCategory::HousingIncome, 100);
    city.addMoney(LedgerCategory::Construction, -40);
    city.borrow(5000);
    RequestLog requests(sim);
    requests.clear();
    runDay(sim);
    const std::vector<HistoryRow> rows = city.history.rows();
    ASSERT_EQ(rows.size(), 2u);
    const HistoryRow& month = rows.back();
    double income = 0, expenses = 0;
    for (std::size_t s = 0; s < kLedgerSlots; ++s) {
        income += city.lastMonthIncome[s];
        expenses += city.lastMonthExpenses[s];
    }
    EXPECT_EQ(std::tuple(month.day, month.population, month.budget),
              std::tuple(60, city.populationNow(), city.budgetNow()));
    // The month closed with the row: the borrowed 5000 is no income.
    EXPECT_NEAR(month.income, income - 5000, 1e-6);
    EXPECT_DOUBLE_EQ(month.expenses, expenses);
    EXPECT_LE(month.expenses, -40);
    EXPECT_EQ(month.houses, (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(requests.count(RequestKind::RefreshHistory), 1);

    // Loaded and saved again, the file comes back byte for byte.
    TempFolder folder;
    const std::string text = SaveGame::snapshotText(sim);
    const std::vector<std::string> lines = split(text, '\n');
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "30,1,2.5,3,-4,1,0,0, /* history */");
    Simulation loaded;
    ASSERT_TRUE(SaveGame::loadFromFile(loaded, folder.write("city.sav", text)));
    EXPECT_EQ(SaveGame::snapshotText(loaded), text);

    // A file from before the history loads with none.
    const std::string older = text.substr(0, text.find("30,1,2.5"));
    ASSERT_TRUE(SaveGame::loadFromFile(loaded, folder.write("older.sav", older)));
    EXPECT_TRUE(loaded.city->history.rows().empty());
}
