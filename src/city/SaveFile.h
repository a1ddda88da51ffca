#pragma once
// The contents of a save file as plain values, and the one description of its line
// layout that the writer and the reader both follow, so that the two cannot drift apart.
//
// Format, version 2: text lines of comma-separated values, each closed by
// ", /* section */". Integers plain decimal, booleans 0 or 1, reals with six
// significant digits (printf %g). Header lines first, then the map size, then one line
// per tile in array order; a tile with a record is followed by its base line and, for
// kinds that have one, its kind line. Last, one "history" line per month closed, oldest
// first: readers of the format that stop after the last tile never see them, and a file
// without them has an empty history.
#include "city/City.h"
#include "city/CityTypes.h"
#include "city/Simulation.h"

#include <array>
#include <vector>

// The fields of every record type in one value; the owning tile's kind says which are
// meaningful. Visitors, workers and users share `occupants`.
struct SavedBuilding {
    int amount = 0;
    double lastIncome = 0.0;
    double incomeCarry = 0.0;
    double waste = 0.0;
    int level = 1;
    int capacity = 0;
    int range = 0;
    int occupants = 0;
    int shoppersToPlace = 0;
    int waterUsersToPlace = 0;
    int jobSeekersToPlace = 0;
    int rentModifier = 0;
    int shownNeeds = 0;
    double growth = 0.0;
    double shownAttractiveness = 0.0;
    double health = 0.0;
    double fireRisk = 0.0;
    double efficiency = 0.0;
    int goodsType = 0;
    double fill = 0.0;
};

struct SavedTile {
    int x = 0;
    int y = 0;
    TileKind kind = TileKind::Empty;
    int orientation = 0;
    bool visible = false;
    double crime = 0.0;
    double fireSafety = 0.0;
    double healthCare = 0.0;
    bool burning = false;
    bool hasBuilding = false;
    SavedBuilding building;
};

class SaveFile {
public:
    static constexpr int kVersion = 2;

    // A snapshot of the running game. The caller holds mapMutex and
    // buildingUpdateMutex, so no tick changes the map meanwhile.
    static SaveFile capture(Simulation& simulation);
    // Replaces the running game with this one, rebuilds everything derived from it and
    // asks the interface (through requests) to show the loaded city. Cannot fail: only
    // values the reader has checked may be applied. The caller holds mapMutex and
    // buildingUpdateMutex. Draws random numbers (the grid's first layout).
    void apply(Simulation& simulation) const;

    // Calls line(section, values...) for each header line, map size line included.
    // Save is SaveFile or const SaveFile.
    template <class Save, class Line> static void visitHeader(Save& save, Line&& line);
    // Calls line for the tile's own line.
    template <class Saved, class Line> static void visitTile(Saved& tile, Line&& line);
    // Calls line for the base line and, when the kind has one, the kind line of a tile
    // whose has-building value is set.
    template <class Saved, class Line> static void visitRecord(Saved& tile, Line&& line);
    // Calls line for one month of the history.
    template <class Row, class Line> static void visitHistory(Row& row, Line&& line);
    static constexpr const char* kHistorySection = "history";

    int version = kVersion;
    int dayCounter = 0;
    int clickCounter = 0;
    int actionPrice = 0;
    unsigned unlocked = 0;
    unsigned warnings = 0;
    unsigned spareWord1 = 0;
    unsigned spareWord2 = 0;
    unsigned hintFlags = 0;
    ActionKind actionKind = ActionKind::None;
    unsigned clicksNeeded = 0;
    double progress = 0.0;
    double buildRate = 1.0;
    int actionTileNumber = -1;
    int fireGraceEnd = 0;
    int policeGraceEnd = 0;
    int hospitalGraceEnd = 0;

    double budget = 0.0;
    int population = 0;
    int loan = 0;
    double lastDayResult = 0.0;
    double streetTrash = 0.0;

    HousingDemand housingDemand{};
    // Production block first, then demand: the file's order, not the game's.
    std::array<double, kGoodsSlots> goodsInFileOrder{};
    std::array<Ledger, 8> ledgers{};

    int width = 0;
    int height = 0;
    int rotation = 0;
    std::vector<SavedTile> tiles; // row-major
    std::vector<HistoryRow> history;
};

template <class Save, class Line> void SaveFile::visitHeader(Save& save, Line&& line) {
    line("save version", save.version);
    line("date, action", save.dayCounter, save.clickCounter, save.actionPrice, save.unlocked,
         save.warnings, save.spareWord1, save.spareWord2, save.hintFlags, save.actionKind,
         save.clicksNeeded, save.progress, save.buildRate, save.actionTileNumber, save.fireGraceEnd,
         save.policeGraceEnd, save.hospitalGraceEnd);
    line("city info", save.budget, save.population, save.loan, save.lastDayResult,
         save.streetTrash);
    line("housing demand", save.housingDemand);
    line("production & demand", save.goodsInFileOrder);
    constexpr const char* kLedgerSections[8] = {
        "current year incomes", "current year expenses", "last year incomes",
        "last year expenses",   "current month incomes", "current month expenses",
        "last month incomes",   "last month expenses",
    };
    for (std::size_t i = 0; i < save.ledgers.size(); ++i)
        line(kLedgerSections[i], save.ledgers[i]);
    line("map size, rotation", save.width, save.height, save.rotation);
}

template <class Saved, class Line> void SaveFile::visitTile(Saved& tile, Line&& line) {
    line("tile", tile.x, tile.y, tile.kind, tile.orientation, tile.visible, tile.crime,
         tile.fireSafety, tile.healthCare, tile.burning, tile.hasBuilding);
}

template <class Row, class Line> void SaveFile::visitHistory(Row& row, Line&& line) {
    line(kHistorySection, row.day, row.population, row.budget, row.income, row.expenses,
         row.houses);
}

template <class Saved, class Line> void SaveFile::visitRecord(Saved& tile, Line&& line) {
    auto& b = tile.building;
    line("base building", b.amount, b.lastIncome, b.incomeCarry, b.waste);
    switch (tile.kind) {
    case TileKind::House:
        line("house", b.level, b.capacity, b.shoppersToPlace, b.waterUsersToPlace,
             b.jobSeekersToPlace, b.rentModifier, b.occupants, b.shownNeeds, b.growth,
             b.shownAttractiveness, b.health, b.fireRisk);
        break;
    case TileKind::Shop:
        line("shop", b.level, b.occupants, b.capacity, b.range);
        break;
    case TileKind::Factory:
        line("factory", b.occupants, b.capacity, b.range, b.efficiency, b.goodsType);
        break;
    case TileKind::Commercial:
        line("commercial", b.occupants, b.capacity, b.range);
        break;
    case TileKind::WaterTower:
    case TileKind::PumpingStation:
        line("water", b.occupants, b.capacity, b.range);
        break;
    case TileKind::Landfill:
        line("landfill", b.fill, b.capacity);
        break;
    case TileKind::Empty:
    case TileKind::Tree:
    case TileKind::Road:
    case TileKind::Park:
    case TileKind::FireStation:
    case TileKind::PoliceStation:
    case TileKind::Hospital:
    case TileKind::Rubble:
        break; // a base line only (or, for kinds without a record, one to skip)
    }
}
