#include "screens/HoverText.h"

#include "city/Building.h"
#include "city/Tile.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<const char*, 3> kHouseNames{"Small house", "Large house", "Flats"};
constexpr std::array<const char*, 3> kShopNames{"Market", "Shop", "Convenience store"};

// By TileKind; houses and shops are named by level instead.
constexpr std::array<const char*, kTileKindCount> kKindNames{
    "",         "Tree",        "Road",    "House",           "Shop",
    "Park",     "Water tower", "Factory", "Fire station",    "Police station",
    "Hospital", "Office",      "Rubble",  "Pumping station", "Landfill"};

const char* byLevel(const std::array<const char*, 3>& names, int level) {
    return names[static_cast<std::size_t>(std::clamp(level, 1, 3) - 1)];
}

std::string figure(const char* name, int count, int capacity, const char* unit) {
    return std::string(name) + ": " + std::to_string(count) + "/" + std::to_string(capacity) + " " +
           unit;
}

} // namespace

std::string hoverText(const Tile& tile) {
    const char* name = kKindNames[static_cast<std::size_t>(tile.kind)];
    if (const House* house = tile.house())
        return figure(byLevel(kHouseNames, house->level), house->residents.load(), house->capacity,
                      "residents");
    if (const Shop* shop = tile.shop())
        return figure(byLevel(kShopNames, shop->level), shop->visitors.load(), shop->capacity,
                      "shoppers");
    if (const Factory* factory = tile.factory())
        return figure(name, factory->workers.load(), factory->capacity, "workers");
    if (const Commercial* office = tile.commercial())
        return figure(name, office->workers.load(), office->capacity, "workers");
    if (const WaterSupply* water = tile.waterSupply())
        return figure(name, water->users.load(), water->capacity, "users");
    if (const Landfill* landfill = tile.landfill()) {
        const double share =
            landfill->capacity > 0 ? landfill->fill.load() / landfill->capacity : 0;
        return std::string(name) + ": " +
               std::to_string(static_cast<int>(std::floor(share * 100))) + "% full";
    }
    return name;
}
