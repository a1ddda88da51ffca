#pragma once
// Numbered kinds of the city model and the tuning tables that go with them. The
// numbers of every enumeration here are written into save files: never renumber.
#include <array>
#include <cstddef>
#include <cstdint>

enum class TileKind : std::uint8_t {
    Empty = 0,
    Tree = 1,
    Road = 2,
    House = 3,
    Shop = 4,
    Park = 5,
    WaterTower = 6,
    Factory = 7,
    FireStation = 8,
    PoliceStation = 9,
    Hospital = 10,
    Commercial = 11,
    Rubble = 12,
    PumpingStation = 13,
    Landfill = 14,
};
constexpr int kTileKindCount = 15;

// Also the index of the action's title in actionNames.
enum class ActionKind : std::int32_t {
    None = 0,
    BuildRoad = 1,
    BuildSmallHousing = 2,
    BuildLargeHousing = 3,
    BuildFlats = 4,
    BuildShop = 5,
    BuildMarket = 6,
    BuildConvenienceStore = 7,
    BuildPark = 8,
    BuildWaterTower = 9,
    BuildFactory = 10,
    BuildFireStation = 11,
    BuildPoliceStation = 12,
    BuildHospital = 13,
    BuildCommercial = 14,
    PlantTree = 15,
    Demolish = 16,
    PutOutFires = 17,
    BuildPumpingStation = 18,
    BuildLandfill = 19,
};
constexpr int kActionKindCount = 20;

// Index into every ledger of City.
enum class LedgerCategory : std::int32_t {
    Construction = 0,
    RoadMaintenance = 1,
    ParkMaintenance = 2,
    HousingIncome = 3,
    ShopIncome = 4,
    ProductionIncome = 5,
    OfficeIncome = 6,
    WaterSupply = 7,
    LoanInterest = 8,
    PublicServices = 9,
    WasteManagement = 10,
    Misc = 11,
};
constexpr int kLedgerCategoryCount = 12;
constexpr std::size_t kLedgerSlots = 32;

// Bits of the unlock mask; the mask is saved as one unsigned word.
enum class UnlockFlag : std::uint32_t {
    LargeHouse = 1,
    ConvenienceStore = 2,
    Flats = 4,
    PoliceStation = 8,
    Hospital = 16,
    FireStation = 32,
    Commercial = 64,
    PumpingStation = 128,
    Landfill = 256,
};

constexpr bool isUnlocked(unsigned mask, UnlockFlag flag) {
    return (mask & static_cast<unsigned>(flag)) != 0;
}

enum class GoodsType : std::int32_t { Food = 0, BasicGoods = 1, LuxuryItems = 2 };
constexpr int kGoodsTypeCount = 3;

enum class HousingRating : std::int32_t {
    Appalling = 0,
    Poor = 1,
    Inadequate = 2,
    Neutral = 3,
    Tolerable = 4,
    Good = 5,
    Excellent = 6,
};

// Exactly zero is the only neutral value; the thresholds are strict on both sides.
constexpr HousingRating ratingOf(double value) {
    if (value > 0.5)
        return HousingRating::Excellent;
    if (value > 0.2)
        return HousingRating::Good;
    if (value > 0)
        return HousingRating::Tolerable;
    if (value < -0.3)
        return HousingRating::Appalling;
    if (value < -0.15)
        return HousingRating::Poor;
    if (value < 0)
        return HousingRating::Inadequate;
    return HousingRating::Neutral;
}

// Tile flag bits; saved as separate visible and burning values.
constexpr std::uint8_t kFlagVisible = 1;
constexpr std::uint8_t kFlagOffScreen = 2;
constexpr std::uint8_t kFlagBurning = 4;
constexpr std::uint8_t kFlagHighlighted = 8;

// House needs bits.
constexpr int kNeedWater = 1;
constexpr int kNeedShops = 2;
constexpr int kNeedJobs = 4;
constexpr int kAllNeeds = kNeedWater | kNeedShops | kNeedJobs;

// Values a freshly built record starts with.
struct BuildingDefaults {
    int amount;
    double waste;
    int capacity;
    int range;
};

constexpr int kHouseLevels = 3;
constexpr int kShopLevels = 3;
// Indexed by level - 1: small house, large house, flats.
constexpr std::array<BuildingDefaults, kHouseLevels> kHouseDefaults{{
    {2, 0.2, 3, 0},
    {4, 0.45, 6, 0},
    {8, 1.0, 15, 0},
}};

// No house holds more people than this: saves are refused with larger capacities.
constexpr int largestHouseCapacity() {
    int largest = 0;
    for (const BuildingDefaults& house : kHouseDefaults)
        largest = house.capacity > largest ? house.capacity : largest;
    return largest;
}

// Indexed by level - 1: market, shop, convenience store.
constexpr std::array<BuildingDefaults, kShopLevels> kShopDefaults{{
    {5, 0.1, 15, 4},
    {10, 0.25, 50, 6},
    {15, 0.4, 100, 8},
}};
constexpr BuildingDefaults kWaterTowerDefaults{0, 0.0, 50, 10};
constexpr BuildingDefaults kPumpingStationDefaults{0, 0.0, 250, 8};
constexpr BuildingDefaults kFactoryDefaults{15, 4.0, 40, 10};
constexpr BuildingDefaults kCommercialDefaults{50, 1.75, 100, 12};
constexpr BuildingDefaults kHospitalDefaults{0, 1.25, 0, 0};
constexpr BuildingDefaults kStationDefaults{0, 0.0, 0, 0};
constexpr BuildingDefaults kLandfillDefaults{0, 0.0, 10000, 0};

// Money a building without an income formula yields each day, indexed by TileKind.
// Houses, shops and offices compute theirs.
constexpr std::array<int, kTileKindCount> kFixedDailyAmount{
    0,   // Empty
    0,   // Tree
    -1,  // Road
    0,   // House
    0,   // Shop
    -10, // Park
    -15, // WaterTower
    0,   // Factory
    -40, // FireStation
    -40, // PoliceStation
    -50, // Hospital
    0,   // Commercial
    0,   // Rubble
    -35, // PumpingStation
    0,   // Landfill
};

struct ActionSpec {
    TileKind result;
    int level;        // of the resulting house or shop, 0 otherwise
    int price;        // on an empty tile (or a tree)
    int upgradePrice; // when the tile already carries the building being upgraded
    unsigned clicks;  // progress needed
};

// Indexed by ActionKind. PutOutFires' clicks are its base; each fire adds more.
constexpr std::array<ActionSpec, kActionKindCount> kActionSpecs{{
    {TileKind::Empty, 0, 0, 0, 0},              // None
    {TileKind::Road, 0, 250, 0, 10},            // BuildRoad
    {TileKind::House, 1, 1000, 0, 25},          // BuildSmallHousing
    {TileKind::House, 2, 2500, 1500, 40},       // BuildLargeHousing
    {TileKind::House, 3, 5000, 2500, 75},       // BuildFlats
    {TileKind::Shop, 2, 1500, 750, 35},         // BuildShop
    {TileKind::Shop, 1, 750, 0, 20},            // BuildMarket
    {TileKind::Shop, 3, 4000, 2500, 60},        // BuildConvenienceStore
    {TileKind::Park, 0, 750, 0, 15},            // BuildPark
    {TileKind::WaterTower, 0, 2000, 0, 40},     // BuildWaterTower
    {TileKind::Factory, 0, 2500, 0, 50},        // BuildFactory
    {TileKind::FireStation, 0, 6000, 0, 50},    // BuildFireStation
    {TileKind::PoliceStation, 0, 7000, 0, 50},  // BuildPoliceStation
    {TileKind::Hospital, 0, 8000, 0, 55},       // BuildHospital
    {TileKind::Commercial, 0, 10000, 0, 100},   // BuildCommercial
    {TileKind::Tree, 0, 150, 0, 10},            // PlantTree
    {TileKind::Empty, 0, 150, 0, 8},            // Demolish
    {TileKind::Rubble, 0, 0, 0, 20},            // PutOutFires
    {TileKind::PumpingStation, 0, 5000, 0, 55}, // BuildPumpingStation
    {TileKind::Landfill, 0, 1500, 0, 20},       // BuildLandfill
}};

constexpr const ActionSpec& actionSpec(ActionKind kind) {
    return kActionSpecs[static_cast<std::size_t>(kind)];
}

// The goods table: four blocks of eight, each indexed by GoodsType.
constexpr std::size_t kGoodsBlock = 8;
constexpr std::size_t kGoodsDemand = 0;
constexpr std::size_t kGoodsProduction = 1 * kGoodsBlock;
constexpr std::size_t kGoodsIncome = 2 * kGoodsBlock;
constexpr std::size_t kGoodsPrice = 3 * kGoodsBlock;
constexpr std::size_t kGoodsSlots = 4 * kGoodsBlock;
constexpr std::array<double, kGoodsTypeCount> kNewGameGoodsPrices{0.2, 0.4, 1.5};

constexpr int kNewGameBudget = 25000;
constexpr int kDefaultMapSide = 75;
// A map side beyond this cannot come from the game itself; such sizes fall back to the
// default rather than exhausting memory.
constexpr int kMaxMapSide = 1024;
