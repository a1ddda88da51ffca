#include "city/SaveFile.h"

#include "city/Map.h"
#include "city/Messages.h"

#include <utility>

namespace {

// The game keeps demand before production; the file has them the other way round.
// Swapping the first two blocks converts in either direction.
std::array<double, kGoodsSlots> swapDemandAndProduction(std::array<double, kGoodsSlots> goods) {
    for (std::size_t i = 0; i < kGoodsBlock; ++i)
        std::swap(goods[kGoodsDemand + i], goods[kGoodsProduction + i]);
    return goods;
}

std::array<Ledger*, 8> ledgersOf(City& city) {
    return {&city.yearIncome,  &city.yearExpenses,  &city.lastYearIncome,  &city.lastYearExpenses,
            &city.monthIncome, &city.monthExpenses, &city.lastMonthIncome, &city.lastMonthExpenses};
}

SavedBuilding captureRecord(const Tile& tile) {
    const Building& record = *tile.building;
    SavedBuilding b;
    b.amount = record.amount;
    b.lastIncome = record.lastIncome;
    b.incomeCarry = record.incomeCarry;
    b.waste = record.waste;
    if (const House* house = tile.house()) {
        b.level = house->level;
        b.capacity = house->capacity;
        b.shoppersToPlace = house->shoppersToPlace;
        b.waterUsersToPlace = house->waterUsersToPlace;
        b.jobSeekersToPlace = house->jobSeekersToPlace;
        b.rentModifier = house->rentModifier;
        b.occupants = house->residents;
        b.shownNeeds = house->shownNeeds;
        b.growth = house->growth;
        b.shownAttractiveness = house->shownAttractiveness;
        b.health = house->health;
        b.fireRisk = house->fireRisk;
    } else if (const Shop* shop = tile.shop()) {
        b.level = shop->level;
        b.occupants = shop->visitors;
        b.capacity = shop->capacity;
        b.range = shop->range;
    } else if (const Factory* factory = tile.factory()) {
        b.occupants = factory->workers;
        b.capacity = factory->capacity;
        b.range = factory->range;
        b.efficiency = factory->efficiency;
        b.goodsType = factory->goodsType;
    } else if (const Commercial* office = tile.commercial()) {
        b.occupants = office->workers;
        b.capacity = office->capacity;
        b.range = office->range;
    } else if (const WaterSupply* water = tile.waterSupply()) {
        b.occupants = water->users;
        b.capacity = water->capacity;
        b.range = water->range;
    } else if (const Landfill* landfill = tile.landfill()) {
        b.fill = landfill->fill;
        b.capacity = landfill->capacity;
    }
    return b;
}

SavedTile captureTile(const Tile& tile) {
    SavedTile saved;
    saved.x = tile.x;
    saved.y = tile.y;
    saved.kind = tile.kind;
    saved.orientation = tile.orientation;
    saved.visible = tile.hasFlag(kFlagVisible);
    const TileServices& services = tile.services();
    saved.crime = services.crime;
    saved.fireSafety = services.fireSafety;
    saved.healthCare = services.healthCare;
    saved.burning = tile.hasFlag(kFlagBurning);
    saved.hasBuilding = tile.building != nullptr;
    if (saved.hasBuilding)
        saved.building = captureRecord(tile);
    return saved;
}

// The record a saved tile stands for. A kind that carries a record always gets one,
// even when the file said it had none, because the tick relies on it; the fields the
// file does not hold keep a new record's values.
std::unique_ptr<Building> restoreRecord(const SavedTile& saved) {
    const SavedBuilding& b = saved.building;
    std::unique_ptr<Building> record = makeBuilding(saved.kind, b.level);
    if (record == nullptr || !saved.hasBuilding)
        return record;
    record->amount = b.amount;
    record->lastIncome = b.lastIncome;
    record->incomeCarry = b.incomeCarry;
    record->waste = b.waste;
    if (auto* house = dynamic_cast<House*>(record.get())) {
        house->capacity = b.capacity;
        house->shoppersToPlace = b.shoppersToPlace;
        house->waterUsersToPlace = b.waterUsersToPlace;
        house->jobSeekersToPlace = b.jobSeekersToPlace;
        house->rentModifier = b.rentModifier;
        house->residents = b.occupants;
        house->shownNeeds = b.shownNeeds;
        house->growth = b.growth;
        house->shownAttractiveness = b.shownAttractiveness;
        // Until the next tick the house shows what it showed when saved.
        house->attractiveness = b.shownAttractiveness;
        house->health = b.health;
        house->fireRisk = b.fireRisk;
    } else if (auto* shop = dynamic_cast<Shop*>(record.get())) {
        shop->visitors = b.occupants;
        shop->capacity = b.capacity;
        shop->range = b.range;
    } else if (auto* factory = dynamic_cast<Factory*>(record.get())) {
        factory->workers = b.occupants;
        factory->capacity = b.capacity;
        factory->range = b.range;
        factory->efficiency = b.efficiency;
        factory->goodsType = b.goodsType;
    } else if (auto* office = dynamic_cast<Commercial*>(record.get())) {
        office->workers = b.occupants;
        office->capacity = b.capacity;
        office->range = b.range;
    } else if (auto* water = dynamic_cast<WaterSupply*>(record.get())) {
        water->users = b.occupants;
        water->capacity = b.capacity;
        water->range = b.range;
    } else if (auto* landfill = dynamic_cast<Landfill*>(record.get())) {
        landfill->fill = b.fill;
        landfill->capacity = b.capacity;
    }
    return record;
}

void restoreTile(Tile& tile, const SavedTile& saved) {
    tile.kind = saved.kind;
    tile.orientation = saved.orientation;
    tile.flags = kFlagOffScreen;
    if (saved.visible)
        tile.flags |= kFlagVisible;
    if (saved.burning)
        tile.flags |= kFlagBurning;
    tile.services() = {saved.crime, saved.fireSafety, saved.healthCare};
    tile.building = restoreRecord(saved);
    if (tile.building != nullptr)
        tile.building->tile = &tile;
}

} // namespace

SaveFile SaveFile::capture(Simulation& sim) {
    SaveFile save;
    save.dayCounter = sim.dayCounter;
    save.clickCounter = sim.clickCounter;
    save.actionPrice = sim.actionPrice;
    save.unlocked = sim.unlocked;
    save.warnings = sim.warnings;
    save.spareWord1 = sim.spareWord1;
    save.spareWord2 = sim.spareWord2;
    save.hintFlags = sim.hintFlags;
    save.actionKind = sim.actionKind;
    save.clicksNeeded = sim.clicksNeeded;
    save.progress = sim.progress;
    save.buildRate = sim.buildRate;
    save.actionTileNumber = sim.actionTileNumber;
    save.fireGraceEnd = sim.fireGraceEnd;
    save.policeGraceEnd = sim.policeGraceEnd;
    save.hospitalGraceEnd = sim.hospitalGraceEnd;

    City& city = *sim.city;
    save.budget = city.budgetNow();
    save.population = city.populationNow();
    save.loan = city.loan;
    save.lastDayResult = city.lastDayResult;
    save.streetTrash = city.streetTrash;
    save.housingDemand = sim.housingDemand;
    save.goodsInFileOrder = swapDemandAndProduction(sim.goods);
    const std::array<Ledger*, 8> ledgers = ledgersOf(city);
    for (std::size_t i = 0; i < ledgers.size(); ++i)
        save.ledgers[i] = *ledgers[i];

    const Map& map = *sim.map;
    save.width = map.width;
    save.height = map.height;
    save.rotation = map.rotation;
    save.tiles.reserve(map.tiles.size());
    for (const Tile& tile : map.tiles)
        save.tiles.push_back(captureTile(tile));
    save.history = city.history.rows();
    return save;
}

void SaveFile::apply(Simulation& sim) const {
    sim.dayCounter = dayCounter;
    sim.clickCounter = clickCounter;
    sim.actionPrice = actionPrice;
    sim.unlocked = unlocked;
    sim.warnings = warnings;
    sim.spareWord1 = spareWord1;
    sim.spareWord2 = spareWord2;
    sim.hintFlags = hintFlags;
    sim.actionKind = actionKind;
    sim.clicksNeeded = clicksNeeded;
    sim.progress = progress;
    sim.buildRate = buildRate;
    sim.actionTileNumber = actionTileNumber;
    sim.fireGraceEnd = fireGraceEnd;
    sim.policeGraceEnd = policeGraceEnd;
    sim.hospitalGraceEnd = hospitalGraceEnd;

    City& city = *sim.city;
    city.reset();
    city.setBudget(budget);
    city.setPopulation(population);
    city.loan = loan;
    city.lastDayResult = lastDayResult;
    city.streetTrash = streetTrash;
    sim.housingDemand = housingDemand;
    sim.goods = swapDemandAndProduction(goodsInFileOrder);
    const std::array<Ledger*, 8> cityLedgers = ledgersOf(city);
    for (std::size_t i = 0; i < cityLedgers.size(); ++i)
        *cityLedgers[i] = ledgers[i];
    city.history.replace(history);

    Map& map = *sim.map;
    map.create(width, height, true);
    map.rotation = rotation;
    for (std::size_t i = 0; i < map.tiles.size() && i < tiles.size(); ++i)
        restoreTile(map.tiles[i], tiles[i]);

    map.setLayer(0);
    SimulationListener& screens = sim.listener();
    screens.setLayerTitle(layerTitleBuild);
    sim.rebuildActionLists();
    map.markEverythingChanged();
    map.recalculateVisibleTiles();
    map.setSelectedTile(nullptr);
    city.updateClassShares();
    sim.countHousesPerLevel();
    sim.updateHousingDemand();
    sim.relocateActionTile();
    screens.centreViewOnTile(map.width / 2, map.height / 2);
    screens.leaveTitleScreen();
    screens.closeWindows();
    screens.setActionTitle(actionNames[static_cast<std::size_t>(actionKind)]);
}
