#include "city/SaveGame.h"

#include "CityTestSupport.h"
#include "city/Building.h"
#include "city/SaveFile.h"
#include "city/SaveReader.h"
#include "city/SaveWriter.h"
#include "platform/Folders.h"
#include "platform/StringUtil.h"
#include "platform/TestFolders.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string saveText(Simulation& sim) {
    return SaveWriter::format(SaveFile::capture(sim));
}

std::vector<std::string> saveLines(Simulation& sim) {
    return split(saveText(sim), '\n');
}

std::string joined(const std::vector<std::string>& lines, const char* lineEnd = "\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + lineEnd;
    return text;
}

// Values with more digits than the file keeps, so rounding shows.
double oddValue(int i) {
    return std::sin(i * 12.9898) * 43758.5453 / (1 + i % 7);
}

// A 14 x 9 city with every record type, odd numbers in every saved field and a few
// tiles burning, hidden or turned.
void growCity(Simulation& sim) {
    sim.startNewGame();
    makeBlankMap(sim, 14, 9);
    int i = 0;
    for (Tile& tile : sim.map->tiles) {
        ++i;
        tile.setKind(static_cast<TileKind>(i % 15), 1 + i % 3);
        tile.orientation = 1 + i % 4;
        tile.services() = {oddValue(i), oddValue(i + 1), oddValue(i + 2)};
        tile.flags = static_cast<std::uint8_t>((i % 11 == 0 ? kFlagBurning : 0) |
                                               (i % 13 == 0 ? 0 : kFlagVisible));
        if (Building* b = tile.building.get()) {
            // Within what the kind allows: no more than its base amount.
            b->amount = std::max(0, b->amount - i % 2);
            b->lastIncome = oddValue(i + 3);
            b->incomeCarry = oddValue(i + 4);
            b->waste = oddValue(i + 5);
        }
        if (House* h = tile.house()) {
            h->residents = i % 4;
            h->shownNeeds = i % 8;
            h->growth = oddValue(i + 6);
            h->shownAttractiveness = oddValue(i + 7) / 1e5;
            h->health = oddValue(i + 8);
            h->fireRisk = oddValue(i + 9);
            h->amount = buildingDefaults(TileKind::House, h->level)->amount;
            h->rentModifier = i % 5 - 1;
            h->shoppersToPlace = i % 4;
        }
        if (Factory* f = tile.factory()) {
            f->goodsType = i % 3;
            f->efficiency = oddValue(i + 10);
            f->workers = i % 40;
        }
        if (Landfill* l = tile.landfill())
            l->fill = std::fmod(std::abs(oddValue(i + 11)), 10000.0);
    }
    sim.dayCounter = 1234;
    sim.clickCounter = 7;
    sim.unlocked = 0x1ff;
    sim.warnings = 1;
    sim.hintFlags = 1;
    sim.spareWord2 = 4000000000u;
    sim.fireGraceEnd = 1300;
    sim.actionKind = ActionKind::BuildFlats;
    sim.actionPrice = 5000;
    sim.clicksNeeded = 75;
    sim.progress = 12.345678;
    sim.buildRate = 1.75;
    sim.actionTileNumber = sim.map->tileAt(3, 4)->number;
    for (std::size_t g = 0; g < sim.goods.size(); ++g)
        sim.goods[g] = oddValue(static_cast<int>(g) + 50);
    City& city = *sim.city;
    city.setBudget(1234567.891);
    city.setPopulation(4321);
    city.loan = 15000;
    city.lastDayResult = -0.075;
    city.streetTrash = 87.654321;
    for (std::size_t s = 0; s < kLedgerSlots; ++s) {
        city.yearIncome[s] = oddValue(static_cast<int>(s) + 100);
        city.lastMonthExpenses[s] = -oddValue(static_cast<int>(s) + 200);
    }
    city.history.replace(
        {{30, 12, oddValue(300), std::abs(oddValue(301)), -std::abs(oddValue(302)), {3, 2, 1}},
         {1230, 4321, -oddValue(303), 0.0, -0.0, {0, 0, 0}}});
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
}

} // namespace

TEST(SaveRoundTripTest, AGrownCityLoadsBackAsItWasSaved) {
    Simulation original;
    Simulation loaded;
    growCity(original);
    TempFolder folder;
    const std::string path = folder.path() + "city.sav";
    ASSERT_TRUE(SaveGame::saveToFile(original, path));
    loaded.startNewGame();
    RequestLog requests(loaded);
    requests.clear();
    const SaveResult result = SaveGame::loadFromFile(loaded, path);
    ASSERT_TRUE(result) << result.message;

    // Everything the file holds comes back; housing demand (line 4) is recomputed.
    std::vector<std::string> before = saveLines(original);
    std::vector<std::string> after = saveLines(loaded);
    ASSERT_EQ(before.size(), after.size());
    before.erase(before.begin() + 3);
    after.erase(after.begin() + 3);
    EXPECT_EQ(before, after);
    EXPECT_EQ(std::pair(loaded.dayCounter, loaded.clickCounter), std::pair(1234, 7));
    EXPECT_DOUBLE_EQ(loaded.city->budgetNow(), 1234570); // six significant digits
    EXPECT_EQ(loaded.actionTile, loaded.map->tileAt(3, 4));
    for (const Tile& tile : loaded.map->tiles)
        EXPECT_TRUE(!tile.building || tile.building->tile == &tile) << tile.x << "," << tile.y;
    const House& house = houseOf(*loaded.map->lists.houses.front());
    EXPECT_NE(house.shownAttractiveness, 0.0);
    EXPECT_EQ(house.attractiveness, house.shownAttractiveness.load());

    // The interface is asked to show the loaded city.
    EXPECT_EQ(requests.count(RequestKind::LeaveTitleScreen), 1);
    EXPECT_EQ(requests.last(RequestKind::CentreView).tileX, 7);
    EXPECT_EQ(requests.last(RequestKind::ActionTitle).text, "Build flats");
}

TEST(SaveFormatTest, ANewGameWritesTheseLines) {
    Simulation sim;
    sim.randomNumbers.seed(3);
    sim.startNewGame();
    sim.city->setBudget(1234567.891); // reals keep six significant digits
    sim.city->lastDayResult = -0.075;
    sim.city->streetTrash = 0.45;
    sim.city->loan = 2000;
    const std::vector<std::string> lines = saveLines(sim);
    const std::string zeros32 = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    ASSERT_GT(lines.size(), 14u + 75 * 75);
    EXPECT_EQ(lines[0], "2, /* save version */");
    EXPECT_EQ(lines[1], "0,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */");
    EXPECT_EQ(lines[2], "1.23457e+06,0,2000,-0.075,0.45, /* city info */");
    EXPECT_EQ(lines[3], "1,0,0,0, /* housing demand */");
    EXPECT_EQ(lines[4], "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                        "0.2,0.4,1.5,0,0,0,0,0, /* production & demand */");
    EXPECT_EQ(lines[5], zeros32 + ", /* current year incomes */");
    EXPECT_EQ(lines[12], zeros32 + ", /* last month expenses */");
    EXPECT_EQ(lines[13], "75,75,0, /* map size, rotation */");

    // The first map's house: a tile line, its base line and its house line.
    std::size_t house = 14;
    while (house < lines.size() && split(lines[house], ',').at(2) != "3")
        ++house;
    ASSERT_LT(house + 2, lines.size());
    EXPECT_NE(lines[house].find(",1, /* tile */"), std::string::npos) << lines[house];
    EXPECT_EQ(lines[house + 1], "2,0,0,0.2, /* base building */");
    EXPECT_EQ(lines[house + 2], "1,3,0,0,0,0,0,7,0,0,0,0, /* house */");
}

TEST(SaveFormatTest, AFireStationHasABaseLineAndNoKindLine) {
    Simulation sim;
    sim.startNewGame();
    makeBlankMap(sim, 2, 1);
    build(sim, 0, 0, TileKind::FireStation);
    const std::vector<std::string> lines = saveLines(sim);
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 14, lines.end()),
        (std::vector<std::string>{"0,0,8,0,1,0,0,0,0,1, /* tile */", "0,0,0,0, /* base building */",
                                  "1,0,0,0,1,0,0,0,0,0, /* tile */"}));
}

namespace {

// A valid save of a house, a road and a factory, in which tests replace one line.
std::vector<std::string> smallSave() {
    Simulation sim;
    sim.startNewGame();
    makeBlankMap(sim, 3, 1);
    build(sim, 0, 0, TileKind::House);
    build(sim, 1, 0, TileKind::Road);
    build(sim, 2, 0, TileKind::Factory);
    return saveLines(sim);
}

std::string withLine(std::size_t index, const std::string& line) {
    std::vector<std::string> lines = smallSave();
    lines.at(index) = line;
    return joined(lines);
}

} // namespace

TEST(SaveReaderTest, OddButHarmlessFilesAreAccepted) {
    const std::vector<std::string> base = smallSave();
    std::vector<std::string> defaultMap(base.begin(), base.begin() + 13);
    defaultMap.push_back("0,0,0, /* map size, rotation */"); // means the default map
    defaultMap.insert(defaultMap.end(), 75 * 75, "0,0,1,0,0,0,0,0,0,0, /* tile */");
    const std::pair<const char*, std::string> cases[] = {
        {"another version", withLine(0, "3, /* save version */")},
        {"windows line ends", joined(base, "\r\n")},
        {"extra values and blank lines",
         withLine(2, "500,1,0,0,0,99, /* city info */") + "\r\n  \n"},
        {"map side 0", joined(defaultMap)},
    };
    for (const auto& [what, text] : cases) {
        const SaveReader::Result result = SaveReader::parse(text);
        EXPECT_TRUE(result.save) << what << ": " << result.error;
    }
    EXPECT_EQ(SaveReader::parse(joined(defaultMap)).save->width, 75);
}

TEST(SaveReaderTest, MalformedFilesAreRefusedAndTheGameStaysAsItWas) {
    struct Case {
        const char* what;
        std::string text;
        const char* error; // part of the message
    };
    const std::string valid = joined(smallSave());
    // Day 90, with room for three months of history after the tiles (line 22 on).
    const std::string dated = withLine(1, "90,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */");
    const std::string month30 = "30,5,100,20,-10,1,0,0, /* history */\n";
    const Case cases[] = {
        {"empty file", "", "line 1 (save version): the file ends early"},
        {"truncated in a line", valid.substr(0, valid.size() - 9),
         "line 21 (factory): the line is cut"},
        {"truncated at a line end", valid.substr(0, valid.rfind('\n', valid.size() - 2) + 1),
         "line 21 (factory): the file ends"},
        {"too few values", withLine(1, "0,0,0, /* date, action */"), "expected 16 values, found 3"},
        {"not a number", withLine(2, "lots,0,0,0,0, /* city info */"), "not a finite number"},
        {"a real where a whole number goes", withLine(2, "1,2.5,0,0,0, /* city info */"), "whole"},
        {"NaN", withLine(2, "nan,0,0,0,0, /* city info */"), "finite"},
        {"infinity", withLine(3, "1,inf,0,0, /* housing demand */"), "finite"},
        {"kind 15", withLine(14, "0,0,15,0,1,0,0,0,0,1, /* tile */"), "tile kind"},
        {"house level 4", withLine(16, "4,3,0,0,0,0,0,7,0,0,0,0, /* house */"), "level 4"},
        {"goods type 3", withLine(20, "0,40,10,0,3, /* factory */"), "goods type 3"},
        {"orientation 9", withLine(14, "0,0,3,9,1,0,0,0,0,1, /* tile */"), "orientation"},
        {"visible bit 2", withLine(14, "0,0,3,0,2,0,0,0,0,1, /* tile */"), "0 or 1"},
        {"action 20", withLine(1, "0,0,0,0,0,0,0,0,20,0,0,1,-1,0,0,0, /* date, action */"),
         "action"},
        {"negative unsigned", withLine(1, "0,0,0,-1,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"),
         "whole"},
        {"negative day", withLine(1, "-5,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"),
         "line 2 (date, action): the day -5 is outside 0..36000000"},
        {"map too large", withLine(13, "1025,1,0, /* map size, rotation */"), "larger than 1024"},
        {"map larger than its tiles", withLine(13, "4,1,0, /* map size, rotation */"),
         "ends early"},
        {"missing kind line",
         [] {
             std::vector<std::string> lines = smallSave();
             lines.erase(lines.begin() + 16);
             return joined(lines);
         }(),
         "line 17 (house): expected 12"},
        {"binary junk", std::string("\x00\xff\x01,\n", 5), "line 1"},
        // Numbers the game never writes, which would stall or overflow the tick.
        {"2147483647 residents", withLine(16, "1,3,0,0,0,0,2147483647,7,0,0,0,0, /* house */"),
         "line 17 (house): the residents 2147483647 is outside 0..3"},
        {"capacity beyond its kind", withLine(16, "1,99,0,0,0,0,0,7,0,0,0,0, /* house */"),
         "the capacity 99 is outside 0..3"},
        {"rent beyond its limit", withLine(16, "1,3,0,0,0,7,0,7,0,0,0,0, /* house */"),
         "the rent change 7 is outside -1..6"},
        {"range beyond its kind", withLine(20, "0,40,11,0,0, /* factory */"),
         "the range 11 is outside 0..10"},
        {"negative workers", withLine(20, "-1,40,10,0,0, /* factory */"),
         "the occupants -1 is outside 0..40"},
        {"negative loan", withLine(2, "25000,0,-1,0,0, /* city info */"),
         "line 3 (city info): the loan -1 is outside"},
        {"population beyond any map", withLine(2, "25000,2147483647,0,0,0, /* city info */"),
         "the population 2147483647 is outside"},
        {"a budget beyond any city", withLine(2, "1e300,0,0,0,0, /* city info */"), "1e15"},
        // After the tiles: the history, and nothing else.
        {"junk after the tiles", dated + "junk\n", "line 22 (history): the line is cut short"},
        {"a tile too many", dated + "0,0,0,0,0,0,0,0,0,0, /* tile */\n",
         "line 22 (history): this is not a history line"},
        {"a short history line", dated + "30,5, /* history */\n", "expected 8 values, found 2"},
        {"a month end after the save's day", valid + month30,
         "line 22 (history): the day 30 is not a month end after day 0 and by day 0"},
        {"months out of order", dated + "60,5,100,20,-10,1,0,0, /* history */\n" + month30,
         "line 23 (history): the day 30 is not a month end after day 60"},
        {"not a month end", dated + "45,5,100,20,-10,1,0,0, /* history */\n", "the day 45"},
        {"negative income", dated + "30,5,100,-20,-10,1,0,0, /* history */\n",
         "the income is negative"},
        {"houses beyond any map", dated + "30,5,100,20,-10,1,2000000,0, /* history */\n",
         "the houses 2000000 is outside"},
    };
    Simulation sim;
    growCity(sim);
    const std::string before = saveText(sim);
    TempFolder folder;
    for (const Case& c : cases) {
        const SaveResult result = SaveGame::loadFromFile(sim, folder.write("bad.sav", c.text));
        EXPECT_FALSE(result) << c.what;
        EXPECT_NE(result.message.find(c.error), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << c.what;
    }
    EXPECT_EQ(saveText(sim), before);
}

class SaveSlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createSupportFolders());
        std::remove(SaveGame::slotPath(4).c_str());
        sim.startNewGame();
    }
    Simulation sim;
    TempFolder folder;
};

TEST_F(SaveSlotTest, SavingReplacesTheSlotAndAMissingSlotChangesNothing) {
    sim.dayCounter = 45;
    const std::string before = saveText(sim);
    EXPECT_NE(SaveGame::loadSlot(sim, 4).message.find(SaveGame::slotPath(4)), std::string::npos);
    EXPECT_EQ(saveText(sim), before);

    std::ofstream(SaveGame::slotPath(4)) << "an older save\n";
    ASSERT_TRUE(SaveGame::saveSlot(sim, 4));
    EXPECT_EQ(readFile(SaveGame::slotPath(4)), before);
    EXPECT_EQ(listFiles(savesPath(), "sav."), std::vector<std::string>{}); // no temporary file
    Simulation other;
    ASSERT_TRUE(SaveGame::loadSlot(other, 4));
    EXPECT_EQ(other.dayCounter, 45);
}

TEST_F(SaveSlotTest, ASaveThatCannotBeWrittenIsAFailureAndKeepsWhatWasThere) {
    const SaveResult noFolder = SaveGame::saveToFile(sim, folder.path() + "no-such-folder/1.sav");
    EXPECT_FALSE(noFolder);
    EXPECT_NE(noFolder.message.find("no-such-folder"), std::string::npos);

    // A folder where the file should go: the rename fails after the write succeeded.
    const std::string blocked = folder.path() + "2.sav";
    std::filesystem::create_directory(blocked);
    folder.write("2.sav/keep", "old");
    EXPECT_FALSE(SaveGame::saveToFile(sim, blocked));
    EXPECT_EQ(readFile(blocked + "/keep"), "old");
    EXPECT_EQ(listFiles(folder.path(), ""), std::vector<std::string>{"2.sav"});
}

TEST_F(SaveSlotTest, LoadingWaitsForARunningTick) {
    const std::string path = folder.path() + "wait.sav";
    sim.dayCounter = 300;
    ASSERT_TRUE(SaveGame::saveToFile(sim, path));
    sim.dayCounter = 1;
    std::future<SaveResult> loading;
    {
        const std::scoped_lock tick(sim.mapMutex);
        loading = std::async(std::launch::async, [&] { return SaveGame::loadFromFile(sim, path); });
        EXPECT_EQ(loading.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        EXPECT_EQ(sim.dayCounter, 1);
    }
    EXPECT_TRUE(loading.get());
    EXPECT_EQ(sim.dayCounter, 300);
}
