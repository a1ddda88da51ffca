#include "city/SaveGame.h"

#include "CityTestSupport.h"
#include "city/Messages.h"
#include "city/SaveFile.h"
#include "city/SaveReader.h"
#include "city/SaveWriter.h"
#include "platform/Folders.h"
#include "platform/StringUtil.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

std::string saveText(Simulation& sim) {
    return SaveWriter::format(SaveFile::capture(sim));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string testFolder(const char* name) {
    const std::string folder = std::string(TAPBURG_TEST_HOME) + name + "/";
    ::mkdir(TAPBURG_TEST_HOME, 0755);
    ::mkdir(folder.c_str(), 0755);
    return folder;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
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
    const TileKind kinds[] = {TileKind::House,      TileKind::Shop,        TileKind::Factory,
                              TileKind::Commercial, TileKind::WaterTower,  TileKind::PumpingStation,
                              TileKind::Landfill,   TileKind::FireStation, TileKind::PoliceStation,
                              TileKind::Hospital,   TileKind::Road,        TileKind::Park,
                              TileKind::Tree,       TileKind::Rubble,      TileKind::Empty};
    int i = 0;
    for (Tile& tile : sim.map->tiles) {
        ++i;
        tile.setKind(kinds[i % 15], 1 + i % 3);
        tile.orientation = 1 + i % 4;
        tile.crime = oddValue(i);
        tile.fireSafety = oddValue(i + 1);
        tile.healthCare = oddValue(i + 2);
        if (i % 11 == 0)
            tile.flags |= kFlagBurning;
        if (i % 13 == 0)
            tile.flags &= static_cast<std::uint8_t>(~kFlagVisible);
        if (Building* b = tile.building.get()) {
            b->amount = i;
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
            h->rentModifier = i % 5 - 2;
            h->shoppersToPlace = i;
        }
        if (Factory* f = tile.factory()) {
            f->goodsType = i % 3;
            f->efficiency = oddValue(i + 10);
            f->workers = i % 40;
        }
        if (Landfill* l = tile.landfill())
            l->fill = oddValue(i + 11);
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
    sim.map->markEverythingChanged();
    sim.map->recalculateVisibleTiles();
}

void expectClose(double expected, double actual, const std::string& what) {
    const double tolerance = 5e-6 * std::max(std::fabs(expected), std::fabs(actual)) + 1e-300;
    EXPECT_LE(std::fabs(expected - actual), tolerance) << what;
}

void expectSameTile(const Tile& a, const Tile& b) {
    const std::string at = "tile " + std::to_string(a.x) + "," + std::to_string(a.y);
    ASSERT_EQ(a.kind, b.kind) << at;
    EXPECT_EQ(a.orientation, b.orientation) << at;
    EXPECT_EQ(a.hasFlag(kFlagVisible), b.hasFlag(kFlagVisible)) << at;
    EXPECT_EQ(a.hasFlag(kFlagBurning), b.hasFlag(kFlagBurning)) << at;
    expectClose(a.crime, b.crime, at);
    expectClose(a.fireSafety, b.fireSafety, at);
    expectClose(a.healthCare, b.healthCare, at);
    ASSERT_EQ(a.building != nullptr, b.building != nullptr) << at;
    if (a.building == nullptr)
        return;
    EXPECT_EQ(a.building->amount, b.building->amount) << at;
    EXPECT_EQ(b.building->tile, &b) << at;
    expectClose(a.building->lastIncome, b.building->lastIncome, at);
    expectClose(a.building->incomeCarry, b.building->incomeCarry, at);
    expectClose(a.building->waste, b.building->waste, at);
    if (const House* h = a.house()) {
        const House* g = b.house();
        EXPECT_EQ(h->level, g->level) << at;
        EXPECT_EQ(h->residents, g->residents) << at;
        EXPECT_EQ(h->shownNeeds, g->shownNeeds) << at;
        EXPECT_EQ(h->rentModifier, g->rentModifier) << at;
        EXPECT_EQ(h->shoppersToPlace, g->shoppersToPlace) << at;
        expectClose(h->growth, g->growth, at);
        expectClose(h->shownAttractiveness, g->shownAttractiveness, at);
        expectClose(h->health, g->health, at);
        expectClose(h->fireRisk, g->fireRisk, at);
    }
    if (const Shop* s = a.shop()) {
        EXPECT_EQ(s->level, b.shop()->level) << at;
    }
    if (const Factory* f = a.factory()) {
        EXPECT_EQ(f->goodsType, b.factory()->goodsType) << at;
        EXPECT_EQ(f->workers, b.factory()->workers) << at;
        expectClose(f->efficiency, b.factory()->efficiency, at);
    }
    if (const Landfill* l = a.landfill()) {
        expectClose(l->fill, b.landfill()->fill, at);
    }
}

} // namespace

class SaveRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        growCity(original);
        path = testFolder("round-trip") + "city.sav";
    }
    Simulation original;
    Simulation loaded;
    std::string path;
};

TEST_F(SaveRoundTripTest, AGrownCityComesBackWithinSixDigits) {
    ASSERT_TRUE(SaveGame::saveToFile(original, path));
    loaded.startNewGame();
    const SaveResult result = SaveGame::loadFromFile(loaded, path);
    ASSERT_TRUE(result) << result.message;

    EXPECT_EQ(loaded.dayCounter, 1234);
    EXPECT_EQ(loaded.clickCounter, 7);
    EXPECT_EQ(loaded.unlocked, 0x1ffu);
    EXPECT_EQ(loaded.spareWord2, 4000000000u);
    EXPECT_EQ(loaded.hintFlags, 1u);
    EXPECT_EQ(loaded.fireGraceEnd, 1300);
    EXPECT_EQ(loaded.actionKind, ActionKind::BuildFlats);
    EXPECT_EQ(loaded.clicksNeeded, 75u);
    EXPECT_EQ(loaded.actionTile, loaded.map->tileAt(3, 4));
    expectClose(12.345678, loaded.progress, "progress");
    for (std::size_t g = 0; g < original.goods.size(); ++g)
        expectClose(original.goods[g], loaded.goods[g], "goods " + std::to_string(g));

    const City& a = *original.city;
    const City& b = *loaded.city;
    EXPECT_DOUBLE_EQ(b.budgetNow(), 1234570); // six significant digits
    EXPECT_EQ(b.populationNow(), 4321);
    EXPECT_EQ(b.loan, 15000);
    EXPECT_DOUBLE_EQ(b.lastDayResult, -0.075);
    expectClose(a.streetTrash, b.streetTrash, "street trash");
    for (std::size_t s = 0; s < kLedgerSlots; ++s) {
        expectClose(a.yearIncome[s], b.yearIncome[s], "year income");
        expectClose(a.lastMonthExpenses[s], b.lastMonthExpenses[s], "last month expenses");
    }

    ASSERT_EQ(loaded.map->width, 14);
    ASSERT_EQ(loaded.map->height, 9);
    for (std::size_t i = 0; i < original.map->tiles.size(); ++i)
        expectSameTile(original.map->tiles[i], loaded.map->tiles[i]);
    EXPECT_EQ(loaded.map->lists.houses.size(), original.map->lists.houses.size());
    EXPECT_EQ(loaded.map->lists.visible.size(), original.map->lists.visible.size());
}

TEST_F(SaveRoundTripTest, ALoadedGameSavesToTheSameText) {
    const std::string first = saveText(original);
    ASSERT_TRUE(SaveGame::saveToFile(original, path));
    ASSERT_TRUE(SaveGame::loadFromFile(loaded, path));
    // Housing demand is recomputed on load; everything else must be stable.
    std::vector<std::string> a = linesOf(first);
    std::vector<std::string> b = linesOf(saveText(loaded));
    ASSERT_EQ(a.size(), b.size());
    a.erase(a.begin() + 3);
    b.erase(b.begin() + 3);
    EXPECT_EQ(a, b);
}

TEST_F(SaveRoundTripTest, ALoadedHouseShowsItsSavedAttractiveness) {
    ASSERT_TRUE(SaveGame::saveToFile(original, path));
    ASSERT_TRUE(SaveGame::loadFromFile(loaded, path));
    const House* house = loaded.map->lists.houses.front()->house();
    EXPECT_NE(house->shownAttractiveness, 0.0);
    EXPECT_EQ(house->attractiveness, house->shownAttractiveness.load());
}

TEST(SaveFormatTest, ANewGameWritesTheseLines) {
    std::srand(3);
    Simulation sim;
    sim.startNewGame();
    const std::vector<std::string> lines = linesOf(saveText(sim));
    const std::string zeros32 = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
    ASSERT_GT(lines.size(), 14u + 75 * 75);
    EXPECT_EQ(lines[0], "2, /* save version */");
    EXPECT_EQ(lines[1], "0,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */");
    EXPECT_EQ(lines[2], "25000,0,0,0,0, /* city info */");
    EXPECT_EQ(lines[3], "1,0,0,0, /* housing demand */");
    EXPECT_EQ(lines[4], "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                        "0.2,0.4,1.5,0,0,0,0,0, /* production & demand */");
    EXPECT_EQ(lines[5], zeros32 + ", /* current year incomes */");
    EXPECT_EQ(lines[12], zeros32 + ", /* last month expenses */");
    EXPECT_EQ(lines[13], "75,75,0, /* map size, rotation */");

    // The first map's house: a tile line, its base line and its house line.
    const auto isHouseTile = [](const std::string& line) {
        const std::vector<std::string> fields = split(line, ',');
        return fields.size() == 11 && fields[2] == "3";
    };
    std::size_t house = 14;
    while (house < lines.size() && !isHouseTile(lines[house]))
        ++house;
    ASSERT_LT(house + 2, lines.size());
    EXPECT_NE(lines[house].find(",1, /* tile */"), std::string::npos) << lines[house];
    EXPECT_EQ(lines[house + 1], "2,0,0,0.2, /* base building */");
    EXPECT_EQ(lines[house + 2], "1,3,0,0,0,0,0,7,0,0,0,0, /* house */");
}

TEST(SaveFormatTest, RealsUseSixSignificantDigits) {
    Simulation sim;
    sim.startNewGame();
    sim.city->setBudget(1234567.891);
    sim.city->lastDayResult = -0.075;
    sim.city->streetTrash = 0.45;
    sim.city->loan = 2000;
    EXPECT_EQ(linesOf(saveText(sim))[2], "1.23457e+06,0,2000,-0.075,0.45, /* city info */");
}

TEST(SaveFormatTest, AFireStationHasABaseLineAndNoKindLine) {
    Simulation sim;
    sim.startNewGame();
    makeBlankMap(sim, 2, 1);
    build(sim, 0, 0, TileKind::FireStation);
    const std::vector<std::string> lines = linesOf(saveText(sim));
    ASSERT_EQ(lines.size(), 14u + 3);
    EXPECT_EQ(lines[14], "0,0,8,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[15], "0,0,0,0, /* base building */");
    EXPECT_EQ(lines[16], "1,0,0,0,1,0,0,0,0,0, /* tile */");
}

namespace {

// A valid two-tile save (a house and a road) in which tests replace one line.
std::vector<std::string> smallSave() {
    Simulation sim;
    sim.startNewGame();
    makeBlankMap(sim, 2, 1);
    build(sim, 0, 0, TileKind::House);
    build(sim, 1, 0, TileKind::Road);
    return linesOf(saveText(sim));
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string withLine(std::size_t index, const std::string& line) {
    std::vector<std::string> lines = smallSave();
    lines.at(index) = line;
    return joined(lines);
}

} // namespace

TEST(SaveReaderTest, OddButHarmlessFilesAreAccepted) {
    struct Case {
        const char* what;
        std::string text;
    };
    const std::vector<std::string> base = smallSave();
    std::vector<std::string> roadWithRecord = base;
    roadWithRecord[17] = "1,0,2,0,1,0,0,0,0,1, /* tile */";
    roadWithRecord.insert(roadWithRecord.begin() + 18, "5,0,0,0, /* base building */");
    const Case cases[] = {
        {"another version", withLine(0, "3, /* save version */")},
        {"windows line ends",
         [&] {
             std::string text;
             for (const std::string& line : base)
                 text += line + "\r\n";
             return text;
         }()},
        {"a road claiming a record", joined(roadWithRecord)},
        {"extra values and lines", withLine(2, "500,1,0,0,0,99, /* city info */") + "junk\n"},
    };
    for (const Case& c : cases) {
        const SaveReader::Result result = SaveReader::parse(c.text);
        EXPECT_TRUE(result.save) << c.what << ": " << result.error;
    }
    EXPECT_EQ(SaveReader::parse(withLine(0, "3, /* save version */")).save->version, 3);
}

TEST(SaveReaderTest, ANonPositiveMapSideMeansTheDefaultMap) {
    std::vector<std::string> lines = smallSave();
    lines.resize(13);
    lines.push_back("0,0,0, /* map size, rotation */");
    for (int i = 0; i < 75 * 75; ++i)
        lines.push_back("0,0,1,0,0,0,0,0,0,0, /* tile */");
    const SaveReader::Result result = SaveReader::parse(joined(lines));
    ASSERT_TRUE(result.save) << result.error;
    EXPECT_EQ(result.save->width, 75);
    EXPECT_EQ(result.save->tiles.size(), 75u * 75);
}

TEST(SaveReaderTest, MalformedFilesAreRefusedAndTheGameStaysAsItWas) {
    struct Case {
        const char* what;
        std::string text;
        const char* error; // part of the message
    };
    const std::string valid = joined(smallSave());
    const Case cases[] = {
        {"empty file", "", "line 1 (save version): the file ends early"},
        {"truncated in a line", valid.substr(0, valid.size() - 9),
         "line 18 (tile): the line is cut"},
        {"truncated at a line end", valid.substr(0, valid.rfind('\n', valid.size() - 2) + 1),
         "line 18 (tile): the file ends"},
        {"too few values", withLine(1, "0,0,0, /* date, action */"), "expected 16 values, found 3"},
        {"not a number", withLine(2, "lots,0,0,0,0, /* city info */"), "not a finite number"},
        {"half a number", withLine(2, "12abc,0,0,0,0, /* city info */"), "not a finite number"},
        {"a real where a whole number goes", withLine(2, "1,2.5,0,0,0, /* city info */"), "whole"},
        {"NaN", withLine(2, "nan,0,0,0,0, /* city info */"), "finite"},
        {"infinity", withLine(3, "1,inf,0,0, /* housing demand */"), "finite"},
        {"overflow", withLine(2, "1e999,0,0,0,0, /* city info */"), "finite"},
        {"kind 15", withLine(14, "0,0,15,0,1,0,0,0,0,1, /* tile */"), "tile kind"},
        {"negative kind", withLine(14, "0,0,-1,0,1,0,0,0,0,1, /* tile */"), "tile kind"},
        {"house level 4", withLine(16, "4,3,0,0,0,0,0,7,0,0,0,0, /* house */"), "level 4"},
        {"house level 0", withLine(16, "0,3,0,0,0,0,0,7,0,0,0,0, /* house */"), "level 0"},
        {"orientation 9", withLine(14, "0,0,3,9,1,0,0,0,0,1, /* tile */"), "orientation"},
        {"visible bit 2", withLine(14, "0,0,3,0,2,0,0,0,0,1, /* tile */"), "0 or 1"},
        {"action 20", withLine(1, "0,0,0,0,0,0,0,0,20,0,0,1,-1,0,0,0, /* date, action */"),
         "action"},
        {"negative unsigned", withLine(1, "0,0,0,-1,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"),
         "whole"},
        {"negative day", withLine(1, "-5,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"),
         "negative"},
        {"map too large", withLine(13, "1025,1,0, /* map size, rotation */"), "larger than 1024"},
        {"map larger than its tiles", withLine(13, "3,1,0, /* map size, rotation */"),
         "ends early"},
        {"missing kind line",
         [] {
             std::vector<std::string> lines = smallSave();
             lines.erase(lines.begin() + 16);
             return joined(lines);
         }(),
         "line 17 (house): expected 12"},
        {"binary junk", std::string("\x00\xff\x01,\n", 5), "line 1"},
    };
    Simulation sim;
    growCity(sim);
    const std::string before = saveText(sim);
    const std::string path = testFolder("malformed") + "bad.sav";
    for (const Case& c : cases) {
        writeFile(path, c.text);
        const SaveResult result = SaveGame::loadFromFile(sim, path);
        EXPECT_FALSE(result) << c.what;
        EXPECT_NE(result.message.find(c.error), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << c.what;
    }
    EXPECT_EQ(saveText(sim), before);
}

TEST(SaveReaderTest, AFactoryWithAnUnknownGoodsTypeIsRefused) {
    Simulation sim;
    sim.startNewGame();
    makeBlankMap(sim, 1, 1);
    build(sim, 0, 0, TileKind::Factory);
    std::vector<std::string> lines = linesOf(saveText(sim));
    lines.at(16) = "0,40,10,0,3, /* factory */";
    const SaveReader::Result result = SaveReader::parse(joined(lines));
    EXPECT_FALSE(result.save);
    EXPECT_NE(result.error.find("goods type 3"), std::string::npos) << result.error;
}

class SaveSlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createSupportFolders());
        std::remove(SaveGame::slotPath(4).c_str());
        sim.startNewGame();
    }
    Simulation sim;
};

TEST_F(SaveSlotTest, AMissingSlotIsReportedAndChangesNothing) {
    sim.dayCounter = 77;
    const std::string before = saveText(sim);
    const SaveResult result = SaveGame::loadSlot(sim, 4);
    EXPECT_FALSE(result);
    EXPECT_NE(result.message.find(SaveGame::slotPath(4)), std::string::npos);
    EXPECT_EQ(saveText(sim), before);
}

TEST_F(SaveSlotTest, SavingReplacesTheSlotAndLeavesNoTemporaryFile) {
    writeFile(SaveGame::slotPath(4), "an older save\n");
    sim.dayCounter = 45;
    ASSERT_TRUE(SaveGame::saveSlot(sim, 4));
    EXPECT_EQ(readFile(SaveGame::slotPath(4)), saveText(sim));
    for (const std::string& name : folderEntries(savesPath()))
        EXPECT_EQ(name.find(".sav."), std::string::npos) << name;
    Simulation other;
    ASSERT_TRUE(SaveGame::loadSlot(other, 4));
    EXPECT_EQ(other.dayCounter, 45);
}

TEST_F(SaveSlotTest, ASaveThatCannotBeWrittenIsAFailureAndKeepsWhatWasThere) {
    const std::string missing = testFolder("unwritable") + "no-such-folder/1.sav";
    const SaveResult noFolder = SaveGame::saveToFile(sim, missing);
    EXPECT_FALSE(noFolder);
    EXPECT_NE(noFolder.message.find("no-such-folder"), std::string::npos);

    // A folder where the file should go: the rename fails after the write succeeded.
    const std::string folder = testFolder("unwritable");
    const std::string blocked = folder + "2.sav";
    ::mkdir(blocked.c_str(), 0755);
    writeFile(blocked + "/keep", "old");
    EXPECT_FALSE(SaveGame::saveToFile(sim, blocked));
    EXPECT_EQ(readFile(blocked + "/keep"), "old");
    for (const std::string& name : folderEntries(folder))
        EXPECT_TRUE(name == "2.sav") << "left behind: " << name;
}

TEST_F(SaveSlotTest, LoadingWaitsForARunningTick) {
    const std::string path = testFolder("locking") + "wait.sav";
    sim.dayCounter = 300;
    ASSERT_TRUE(SaveGame::saveToFile(sim, path));
    sim.dayCounter = 1;
    std::atomic<bool> done{false};
    std::thread loader;
    {
        const std::scoped_lock tick(sim.mapMutex);
        loader = std::thread([&] {
            SaveGame::loadFromFile(sim, path);
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(done);
        EXPECT_EQ(sim.dayCounter, 1);
    }
    loader.join();
    EXPECT_EQ(sim.dayCounter, 300);
}

TEST_F(SaveRoundTripTest, LoadingAsksTheInterfaceToShowTheLoadedCity) {
    ASSERT_TRUE(SaveGame::saveToFile(original, path));
    loaded.takeRequests();
    ASSERT_TRUE(SaveGame::loadFromFile(loaded, path));
    bool centred = false;
    bool left = false;
    std::string actionTitle = "none";
    for (const Request& request : loaded.takeRequests()) {
        centred |=
            request.kind == RequestKind::CentreView && request.tileX == 7 && request.tileY == 4;
        left |= request.kind == RequestKind::LeaveTitleScreen;
        if (request.kind == RequestKind::ActionTitle)
            actionTitle = request.text;
    }
    EXPECT_TRUE(centred);
    EXPECT_TRUE(left);
    EXPECT_EQ(actionTitle, actionNames[static_cast<std::size_t>(ActionKind::BuildFlats)]);
}
