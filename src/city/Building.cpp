#include "city/Building.h"

#include <algorithm>

namespace {

template <std::size_t N>
const BuildingDefaults& defaultsOfLevel(const std::array<BuildingDefaults, N>& table, int level) {
    return table[static_cast<std::size_t>(std::clamp(level, 1, static_cast<int>(N)) - 1)];
}

} // namespace

void Building::applyDefaults(const BuildingDefaults& defaults) {
    amount = defaults.amount;
    waste = defaults.waste;
}

House::House(int houseLevel) : level(std::clamp(houseLevel, 1, kHouseLevels)) {
    const BuildingDefaults& defaults = defaultsOfLevel(kHouseDefaults, level);
    applyDefaults(defaults);
    capacity = defaults.capacity;
}

bool House::adjustRent(int delta) {
    if (delta < 0 ? amount + rentModifier + delta < 1 : rentModifier >= kMaxRentModifier)
        return false;
    rentModifier += delta;
    return true;
}

Shop::Shop(int shopLevel) : level(std::clamp(shopLevel, 1, kShopLevels)) {
    const BuildingDefaults& defaults = defaultsOfLevel(kShopDefaults, level);
    applyDefaults(defaults);
    capacity = defaults.capacity;
    range = defaults.range;
}

WaterSupply::WaterSupply(const BuildingDefaults& defaults)
    : capacity(defaults.capacity), range(defaults.range) {
    applyDefaults(defaults);
}

Factory::Factory() : capacity(kFactoryDefaults.capacity), range(kFactoryDefaults.range) {
    applyDefaults(kFactoryDefaults);
}

Commercial::Commercial()
    : capacity(kCommercialDefaults.capacity), range(kCommercialDefaults.range) {
    applyDefaults(kCommercialDefaults);
}

Landfill::Landfill() : capacity(kLandfillDefaults.capacity) {
    applyDefaults(kLandfillDefaults);
}

ServiceBuilding::ServiceBuilding(const BuildingDefaults& defaults) {
    applyDefaults(defaults);
}

std::unique_ptr<Building> makeBuilding(TileKind kind, int level) {
    const BuildingDefaults* const defaults = buildingDefaults(kind, level);
    if (defaults == nullptr)
        return nullptr;
    switch (kind) {
    case TileKind::House:
        return std::make_unique<House>(level);
    case TileKind::Shop:
        return std::make_unique<Shop>(level);
    case TileKind::WaterTower:
    case TileKind::PumpingStation:
        return std::make_unique<WaterSupply>(*defaults);
    case TileKind::Factory:
        return std::make_unique<Factory>();
    case TileKind::Commercial:
        return std::make_unique<Commercial>();
    case TileKind::Landfill:
        return std::make_unique<Landfill>();
    default:
        return std::make_unique<ServiceBuilding>(*defaults);
    }
}

const BuildingDefaults* buildingDefaults(TileKind kind, int level) {
    switch (kind) {
    case TileKind::House:
        return &defaultsOfLevel(kHouseDefaults, level);
    case TileKind::Shop:
        return &defaultsOfLevel(kShopDefaults, level);
    case TileKind::WaterTower:
        return &kWaterTowerDefaults;
    case TileKind::PumpingStation:
        return &kPumpingStationDefaults;
    case TileKind::Factory:
        return &kFactoryDefaults;
    case TileKind::Commercial:
        return &kCommercialDefaults;
    case TileKind::Landfill:
        return &kLandfillDefaults;
    case TileKind::Hospital:
        return &kHospitalDefaults;
    case TileKind::FireStation:
    case TileKind::PoliceStation:
        return &kStationDefaults;
    case TileKind::Empty:
    case TileKind::Tree:
    case TileKind::Road:
    case TileKind::Park:
    case TileKind::Rubble:
        break;
    }
    return nullptr;
}
