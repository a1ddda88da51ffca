#include "city/Simulation.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct OfferedAction {
    ActionKind action;
    unsigned unlockBit; // an UnlockFlag bit, 0 when always offered
};

constexpr unsigned bit(UnlockFlag flag) {
    return static_cast<unsigned>(flag);
}

// What an empty tile beside a road offers, in menu order.
constexpr OfferedAction kEmptyTileActions[] = {
    {ActionKind::BuildRoad, 0},
    {ActionKind::BuildSmallHousing, 0},
    {ActionKind::BuildLargeHousing, bit(UnlockFlag::LargeHouse)},
    {ActionKind::BuildFlats, bit(UnlockFlag::Flats)},
    {ActionKind::BuildCommercial, bit(UnlockFlag::Commercial)},
    {ActionKind::BuildMarket, 0},
    {ActionKind::BuildShop, 0},
    {ActionKind::BuildConvenienceStore, bit(UnlockFlag::ConvenienceStore)},
    {ActionKind::PlantTree, 0},
    {ActionKind::BuildPark, 0},
    {ActionKind::BuildWaterTower, 0},
    {ActionKind::BuildPumpingStation, bit(UnlockFlag::PumpingStation)},
    {ActionKind::BuildFactory, 0},
    {ActionKind::BuildLandfill, bit(UnlockFlag::Landfill)},
    {ActionKind::BuildHospital, bit(UnlockFlag::Hospital)},
    {ActionKind::BuildFireStation, bit(UnlockFlag::FireStation)},
    {ActionKind::BuildPoliceStation, bit(UnlockFlag::PoliceStation)},
};

// Target share of each house level among all houses, by the number of levels on offer.
constexpr std::array<std::array<double, 3>, 3> kHousingShares{{
    {1.0, 0.0, 0.0},
    {0.45, 0.55, 0.0},
    {0.4, 0.35, 0.25},
}};

bool isRoad(const Tile* tile) {
    return tile != nullptr && tile->kind == TileKind::Road;
}

int roadNeighbours(const Tile& tile) {
    const NeighbourList sides = tile.orthogonal();
    return static_cast<int>(std::count_if(sides.begin(), sides.end(), isRoad));
}

void chooseOrientation(Tile& tile, Random& randomNumbers) {
    // Candidates in this order: west, east, north, south.
    constexpr std::pair<Direction, int> kFacing[] = {
        {Direction::West, 4}, {Direction::East, 3}, {Direction::North, 2}, {Direction::South, 1}};
    int candidates[4];
    int count = 0;
    for (const auto& [direction, orientation] : kFacing)
        if (isRoad(tile.neighbour(direction)))
            candidates[count++] = orientation;
    tile.orientation = count == 0 ? 4 : candidates[randomNumbers.next() % count];
}

constexpr const char* kWelcomeText =
    "Welcome! This is your city. Build it as you see fit, but remember you can only place "
    "buildings next to roads. Some buildings like houses, shops and factories generate income, "
    "while others such as water towers, parks and roads cost money to maintain. It's up to you "
    "to manage the fine balance between prosperity and total chaos.\n\nPlease note this is an "
    "early version of the game and will be developed further in the future, adding more "
    "features and buildings.";
// Opens when the welcome box is closed, pointing a new player at the side bar.
constexpr const char* kInfoTitle = "Info";
constexpr const char* kInfoText =
    "Start by checking out the buttons on the left. You can switch between build mode and "
    "different information layers, see your finances, check factory production and demand, as "
    "well as get an overview of your city.";

} // namespace

Simulation::Simulation() : map(std::make_unique<Map>(*this)), city(std::make_unique<City>(*this)) {}

Simulation::~Simulation() {
    // The tick uses the map and the city to its last step.
    if (buildingUpdateThread.joinable())
        buildingUpdateThread.join();
}

void Simulation::startNewGame() {
    const std::scoped_lock lock(mapMutex);
    std::puts("startNewGame");
    {
        // advanceDay counts the days under this lock alone.
        const std::scoped_lock days(buildingUpdateMutex);
        dayCounter = 0;
    }
    clickCounter = 0;
    resetAction();
    buildRate = 1.0;
    fireGraceEnd = policeGraceEnd = hospitalGraceEnd = 0;
    housingDemand = {};
    unlocked = warnings = spareWord1 = spareWord2 = hintFlags = 0;
    goods = {};
    for (std::size_t g = 0; g < kNewGameGoodsPrices.size(); ++g)
        goods[kGoodsPrice + g] = kNewGameGoodsPrices[g];
    map->create(0, 0, false);
    city->reset();
    city->setBudget(kNewGameBudget);
    listener().closeWindows();
    listener().setActionTitle("");
    map->setLayer(0);
    listener().setLayerTitle(layerTitleBuild);
    listener().centreViewOnTile(map->width / 2, map->height / 2);
    countHousesPerLevel();
    updateHousingDemand();
    listener().leaveTitleScreen();
    listener().showMessage(gameTitle, kWelcomeText, kInfoTitle, kInfoText);
}

std::vector<ActionKind> Simulation::actionsFor(const Tile& tile, unsigned unlockMask) {
    std::vector<ActionKind> actions;
    const bool besideRoad = roadNeighbours(tile) > 0;
    switch (tile.kind) {
    case TileKind::Empty:
        if (besideRoad)
            for (const OfferedAction& offer : kEmptyTileActions)
                if ((offer.unlockBit & unlockMask) == offer.unlockBit)
                    actions.push_back(offer.action);
        break;
    case TileKind::Tree:
        if (besideRoad)
            actions = {ActionKind::Demolish, ActionKind::BuildPark};
        break;
    case TileKind::Road: {
        const NeighbourList sides = tile.orthogonal();
        const bool buildingBeside = std::any_of(
            sides.begin(), sides.end(), [](const Tile* t) { return t->building != nullptr; });
        if (roadNeighbours(tile) <= 1 && !buildingBeside)
            actions.push_back(ActionKind::Demolish);
        break;
    }
    case TileKind::House: {
        actions.push_back(ActionKind::Demolish);
        const House* house = tile.house();
        const int level = house != nullptr ? house->level : 0;
        if (level == 1 && isUnlocked(unlockMask, UnlockFlag::LargeHouse))
            actions.push_back(ActionKind::BuildLargeHousing);
        if (level == 2 && isUnlocked(unlockMask, UnlockFlag::Flats))
            actions.push_back(ActionKind::BuildFlats);
        break;
    }
    case TileKind::Shop: {
        actions.push_back(ActionKind::Demolish);
        const Shop* shop = tile.shop();
        const int level = shop != nullptr ? shop->level : 0;
        if (level == 1)
            actions.push_back(ActionKind::BuildShop);
        if (level == 2 && isUnlocked(unlockMask, UnlockFlag::ConvenienceStore))
            actions.push_back(ActionKind::BuildConvenienceStore);
        break;
    }
    case TileKind::Landfill:
        break; // a landfill stays for good
    case TileKind::Park:
    case TileKind::WaterTower:
    case TileKind::PumpingStation:
    case TileKind::Factory:
    case TileKind::FireStation:
    case TileKind::PoliceStation:
    case TileKind::Hospital:
    case TileKind::Commercial:
    case TileKind::Rubble:
        actions.push_back(ActionKind::Demolish);
        break;
    }
    return actions;
}

void Simulation::rebuildActionLists() {
    for (Tile& tile : map->tiles) {
        if (!tile.isVisible())
            continue;
        tile.actions() = actionsFor(tile, unlocked);
    }
    for (Tile& tile : map->tiles)
        if (tile.isVisible() && tile.building != nullptr && tile.orientation == 0)
            chooseOrientation(tile, randomNumbers);
}

void Simulation::countHousesPerLevel() {
    housesPerLevel = {};
    for (const Tile* tile : map->lists.houses) {
        const House* house = tile->house();
        if (house != nullptr && house->level >= 1 && house->level <= kHouseLevels)
            ++housesPerLevel[static_cast<std::size_t>(house->level - 1)];
    }
}

int Simulation::offeredHouseLevels() const {
    const int large = isUnlocked(unlocked, UnlockFlag::LargeHouse) ? 1 : 0;
    return isUnlocked(unlocked, UnlockFlag::Flats) ? 2 + large : 1 + large;
}

void Simulation::updateHousingDemand() {
    housingDemand = housingDemandFor(offeredHouseLevels(), housesPerLevel, housingDemand);
}

HousingDemand Simulation::housingDemandFor(int offered, const HouseCounts& counts,
                                           const HousingDemand& previous) {
    HousingDemand demand = previous;
    const auto levels = static_cast<std::size_t>(std::clamp(offered, 1, kHouseLevels));
    const std::array<double, 3>& shares = kHousingShares[levels - 1];
    int total = 0;
    for (std::size_t i = 0; i < levels; ++i)
        total += counts[i];

    // ratio of houses to the level's target count; infinite when the target is zero
    constexpr double kInfinite = std::numeric_limits<double>::infinity();
    std::array<double, 3> ratio{};
    double sum = 0.0;
    double largest = 0.0;
    int finite = 0;
    for (std::size_t i = 0; i < levels; ++i) {
        const double n = counts[i];
        const double target = std::trunc((total - n * (1.0 - shares[i])) * shares[i]);
        ratio[i] = target == 0.0 ? kInfinite : (n + 1.0) / target;
        if (target != 0.0) {
            sum += ratio[i];
            largest = std::max(largest, ratio[i]);
            ++finite;
        }
    }
    // A level without a target is oversupplied and gets no demand; when no level has a
    // target yet, every level is equally wanted.
    if (finite == 0) {
        std::fill(demand.begin(), demand.begin() + static_cast<std::ptrdiff_t>(levels), 1.0);
        return demand;
    }
    const double mean = sum / finite;
    std::array<double, 3> weight{};
    for (std::size_t i = 0; i < levels; ++i)
        weight[i] = std::isinf(ratio[i]) ? 0.0 : largest / ((mean * ratio[i] + ratio[i]) * 0.5);
    const double strongest = *std::max_element(weight.begin(), weight.begin() + levels);
    for (std::size_t i = 0; i < levels; ++i)
        demand[i] = weight[i] / strongest;
    return demand;
}

void Simulation::resetAction() {
    actionKind = ActionKind::None;
    clicksNeeded = 0;
    progress = 0.0;
    actionTile = nullptr;
    actionTileNumber = -1;
}

void Simulation::relocateActionTile() {
    actionTile = actionTileNumber < 0 ? nullptr : findVisibleTile(actionTileNumber);
}

SimulationListener& Simulation::listener() {
    return requests;
}

void Simulation::drainRequests(const RequestHandler& handler) {
    requests.drain(handler);
}

std::vector<Request> Simulation::takeRequests() {
    return requests.take();
}
