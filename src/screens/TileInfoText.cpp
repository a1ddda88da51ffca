#include "screens/TileInfoText.h"

#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/Simulation.h"
#include "city/TickTuning.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// By level - 1.
constexpr std::array<const char*, kHouseLevels> kHouseIcons{
    "ui/action_housing", "ui/action_housing_large", "ui/action_flats"};
constexpr std::array<const char*, kShopLevels> kShopIcons{"ui/action_market", "ui/action_shop",
                                                          "ui/action_convenience_store"};

constexpr const char* kAllGood = "All good!";
constexpr const char* kSeparator = ", ";
// Neighbours that make a street noisy or a house cramped.
constexpr int kNoisyRoads = 2;
constexpr int kCrampedNeighbours = 2;
constexpr int kCrampedNeighboursForFlats = 3;
constexpr int kFlatsLevel = 3;

struct NeedWords {
    int bit;
    const char* words;
};
// In the order the line lists them.
constexpr std::array<NeedWords, 3> kNeedWords{{
    {kNeedWater, "water needed, "},
    {kNeedJobs, "employment needed, "},
    {kNeedShops, "shops needed, "},
}};

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
formatted(const char* format, ...) {
    std::array<char, 512> buffer{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return buffer.data();
}

// Saved values are not to be trusted: a fill or a share that no int can hold shows as
// the nearest one rather than as whatever the conversion happens to make of it.
int truncated(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lowest, highest));
}

template <std::size_t N> const char* byLevel(const std::array<const char*, N>& icons, int level) {
    return icons[static_cast<std::size_t>(std::clamp(level, 1, static_cast<int>(N)) - 1)];
}

int dailyCost(TileKind kind) {
    return std::abs(kFixedDailyAmount[static_cast<std::size_t>(kind)]);
}

int countKind(const Tile& tile, TileKind kind) {
    const NeighbourList sides = tile.orthogonal();
    return static_cast<int>(std::count_if(sides.begin(), sides.end(),
                                          [kind](const Tile* n) { return n->kind == kind; }));
}

bool cramped(const Tile& tile, int level) {
    const int houses = countKind(tile, TileKind::House);
    return level == kFlatsLevel ? houses >= kCrampedNeighboursForFlats
                                : houses >= kCrampedNeighbours;
}

TileInfo maintained(TileKind kind, const char* icon) {
    TileInfo info;
    info.icon = icon;
    info.text = formatted("Maintenance cost: %d per day", dailyCost(kind));
    return info;
}

TileInfo houseInfo(const Tile& tile, const House& house, const Simulation& simulation) {
    TileInfo info;
    info.icon = byLevel(kHouseIcons, house.level);
    const auto rating = static_cast<std::size_t>(ratingOf(house.shownAttractiveness.load()));
    info.text =
        formatted("Rating:\t\t\t%s\nResidents:\t%d/%d\nRent:\t\t\t\t%d per day (%s%d)\n\nNeeds & "
                  "complaints:\n%s",
                  ratingWords[rating], house.residents.load(), house.capacity,
                  house.amount + house.rentModifier, house.rentModifier >= 1 ? "+" : "",
                  house.rentModifier, complaintsLine(tile, simulation).c_str());
    info.rentButtons = true;
    return info;
}

TileInfo shopInfo(const Shop& shop) {
    TileInfo info;
    info.icon = byLevel(kShopIcons, shop.level);
    info.text = formatted("Shoppers:\t %d/%d\nRange:\t\t %d squares\nIncome:\t\t %.1f per day",
                          shop.visitors.load(), shop.capacity, shop.range, shop.lastIncome);
    info.highlight = RangeHighlight::Show;
    info.range = shop.range;
    return info;
}

TileInfo waterInfo(TileKind kind, const WaterSupply& water) {
    TileInfo info;
    info.icon =
        kind == TileKind::PumpingStation ? "ui/action_pumping_station" : "ui/action_watertower";
    info.text =
        formatted("Water usage:\t\t%d/%d\nService range:\t%d squares\nOverhead:\t\t\t%d per day",
                  water.users.load(), water.capacity, water.range, dailyCost(kind));
    info.highlight = RangeHighlight::Show;
    info.range = water.range;
    return info;
}

TileInfo factoryInfo(const Factory& factory) {
    const int workers = factory.workers.load();
    // A factory without places (only a damaged save makes one) is simply not staffed.
    const int percent = factory.capacity > 0
                            ? truncated(static_cast<double>(workers) / factory.capacity * 100.0)
                            : 0;
    const int goods = std::clamp(factory.goodsType, 0, kGoodsTypeCount - 1);
    TileInfo info;
    info.icon = "ui/action_factory";
    info.text = formatted("Workers:\t\t\t%d/%d (%d%%)\nRange:\t\t\t\t%d squares\nProduction:\t\t%s",
                          workers, factory.capacity, percent, factory.range,
                          goodsNames[static_cast<std::size_t>(goods)]);
    info.highlight = RangeHighlight::Show;
    info.range = factory.range;
    info.goodsButtons = true;
    return info;
}

TileInfo serviceInfo(TileKind kind, const City& city) {
    bool extended = city.fireRangeExtended;
    const char* icon = "ui/action_fire_station";
    if (kind == TileKind::PoliceStation) {
        extended = city.policeRangeExtended;
        icon = "ui/action_police_station";
    } else if (kind == TileKind::Hospital) {
        extended = city.hospitalRangeExtended;
        icon = "ui/action_hospital";
    }
    TileInfo info;
    info.icon = icon;
    info.range = kServiceRange + (extended ? kServiceRangeExtension : 0);
    info.highlight = RangeHighlight::Show;
    info.text = formatted("Range:\t%d squares\nCost:\t\t%d per day", info.range, dailyCost(kind));
    return info;
}

TileInfo commercialInfo(const Commercial& office) {
    TileInfo info;
    info.icon = "ui/action_commercial";
    info.text = formatted("Employees:\t%d/%d\nRange:\t\t\t%d squares\nIncome:\t\t\t%.1f per day",
                          office.workers.load(), office.capacity, office.range, office.lastIncome);
    info.highlight = RangeHighlight::Show;
    info.range = office.range;
    return info;
}

TileInfo landfillInfo(const Landfill& landfill) {
    TileInfo info;
    info.icon = "ui/action_landfill";
    info.text = formatted("Filled:\t%d/%d", truncated(landfill.fill.load()), landfill.capacity);
    return info;
}

// Rubble, and a building kind whose record is missing: nothing to tell, and the
// highlight of whatever was shown before stays.
TileInfo nothingToTell() {
    TileInfo info;
    info.highlight = RangeHighlight::Keep;
    return info;
}

} // namespace

TileInfo describeTile(const Tile& tile, const Simulation& simulation) {
    switch (tile.kind) {
    case TileKind::Road:
        return maintained(tile.kind, "ui/action_road");
    case TileKind::Park:
        return maintained(tile.kind, "ui/action_park");
    case TileKind::FireStation:
    case TileKind::PoliceStation:
    case TileKind::Hospital:
        return serviceInfo(tile.kind, *simulation.city);
    default:
        break;
    }
    if (const House* house = tile.house())
        return houseInfo(tile, *house, simulation);
    if (const Shop* shop = tile.shop())
        return shopInfo(*shop);
    if (const WaterSupply* water = tile.waterSupply())
        return waterInfo(tile.kind, *water);
    if (const Factory* factory = tile.factory())
        return factoryInfo(*factory);
    if (const Commercial* office = tile.commercial())
        return commercialInfo(*office);
    if (const Landfill* landfill = tile.landfill())
        return landfillInfo(*landfill);
    return nothingToTell();
}

std::string complaintsLine(const Tile& tile, const Simulation& simulation) {
    const House* house = tile.house();
    if (house == nullptr)
        return "";
    std::string line;
    const int needs = house->shownNeeds.load();
    for (const NeedWords& need : kNeedWords)
        if ((needs & need.bit) != 0)
            line += need.words;
    if (countKind(tile, TileKind::Road) >= kNoisyRoads)
        line += "noisy street, ";
    if (cramped(tile, house->level))
        line += "feeling cramped, ";
    const TileServices& services = tile.services();
    if (services.crime > 0)
        line += "crime in area, ";
    if (services.fireSafety < 0)
        line += "fire hazard, ";
    if (services.healthCare < 0)
        line += "no hospital, ";
    if (simulation.map->housingDemandOf(house->level) == 0.0)
        line += "no demand, ";
    if (line.empty())
        return kAllGood;
    line.resize(line.size() - std::char_traits<char>::length(kSeparator));
    line[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
    return line;
}

Tile* visibleTileNumbered(const Simulation& simulation, int number) {
    Tile* found = nullptr;
    for (Tile* tile : simulation.map->visibleTiles())
        if (tile->number == number)
            found = tile; // numbers can repeat on very narrow maps: the last match wins
    return found;
}
