#pragma once
// Tuning numbers of clicks, the daily tick, house growth and fire. Changing one changes
// how the game plays, never how it is stored.
#include "city/CityTypes.h"
#include "city/Messages.h"

#include <array>

// --- clicks -------------------------------------------------------------------------
constexpr int kClicksPerDay = 10;
constexpr int kDaysPerMonth = 30;
constexpr int kDaysPerYear = 360;

struct BuildRateStep {
    double rate;
    int price;
};
// Bought in this order; the one on offer follows the current rate.
constexpr std::array<BuildRateStep, 9> kBuildRateLadder{{
    {1.0, 0},
    {1.25, 10000},
    {1.5, 15000},
    {1.75, 20000},
    {2.0, 25000},
    {2.5, 35000},
    {3.0, 50000},
    {4.0, 75000},
    {5.0, 1250000},
}};

// The rising note of each click: pitch = base + span * progress / clicksNeeded.
constexpr float kClickPitchBase = 0.75f;
constexpr float kClickPitchSpan = 0.3f;
constexpr float kClickVolume = 40.f;

struct CompletionEffect {
    float shakeStrength;
    float shakeDecay;
    const char* sound;
};
// Indexed by ActionKind.
constexpr std::array<CompletionEffect, kActionKindCount> kCompletionEffects{{
    {0.f, 0.f, ""},                // None
    {0.36f, 1.2f, "plop_road"},    // BuildRoad
    {0.5f, 1.f, "plop_building"},  // BuildSmallHousing
    {0.54f, 1.f, "plop_building"}, // BuildLargeHousing
    {0.58f, 1.f, "plop_building"}, // BuildFlats
    {0.5f, 1.f, "plop_building"},  // BuildShop
    {0.4f, 1.f, "plop_building"},  // BuildMarket
    {0.5f, 1.f, "plop_building"},  // BuildConvenienceStore
    {0.32f, 1.f, "plop_building"}, // BuildPark
    {0.5f, 1.f, "plop_building"},  // BuildWaterTower
    {0.5f, 1.f, "plop_building"},  // BuildFactory
    {0.5f, 1.f, "plop_building"},  // BuildFireStation
    {0.5f, 1.f, "plop_building"},  // BuildPoliceStation
    {0.5f, 1.f, "plop_building"},  // BuildHospital
    {0.65f, 1.f, "plop_building"}, // BuildCommercial
    {0.2f, 1.f, "plop_road"},      // PlantTree
    {0.25f, 1.f, "demolish"},      // Demolish
    {0.65f, 1.f, "putoutfire"},    // PutOutFires
    {0.6f, 1.f, "plop_building"},  // BuildPumpingStation
    {0.4f, 1.f, "plop_road"},      // BuildLandfill
}};

// --- fire -----------------------------------------------------------------------------
constexpr unsigned kFireBaseClicks = 20;
constexpr int kFireExtraClicksMin = 4; // each fire adds 4..9
constexpr int kFireExtraClicksSpread = 6;
constexpr unsigned kFireMaxClicks = 70;
constexpr double kFireRiskLimit = -75.0;
constexpr double kDeathHealthLimit = -20.0;
constexpr double kHealthAfterDeath = 5.0;

// --- services -----------------------------------------------------------------------
constexpr int kServiceRange = 12;
constexpr int kServiceRangeExtension = 3;
constexpr int kServiceGraceDays = 180;
constexpr double kPoliceCrimeDrop = 5.0;
constexpr double kHospitalCare = 5.0;
constexpr double kFireStationSafety = 8.0;

// --- goods ----------------------------------------------------------------------------
// By GoodsType.
constexpr std::array<double, kGoodsTypeCount> kProductionPerEfficiency{40.0, 25.0, 10.0};
constexpr std::array<double, kGoodsTypeCount> kGoodsPenalty{0.2, 0.4, 1.5};
constexpr double kImportPenaltyFactor = 1.25;

// --- jobs -----------------------------------------------------------------------------
// Workers a job building employs before it produces anything.
constexpr int kIdleWorkers = 10;
// Workers an office needs before it pays.
constexpr int kOfficeBreakEvenWorkers = 40;

// --- waste ----------------------------------------------------------------------------
constexpr double kParkWaste = 0.05;
constexpr double kWasteCollected = 0.1;
constexpr double kStreetTrashPerDay = 500.0;
constexpr double kStreetTrashWarning = 1000.0;
constexpr double kWasteCostPerTen = 0.065;
constexpr double kWasteCostBase = 1.75;
constexpr int kWasteFreeBuildings = 49;
constexpr double kLoanInterestPerDay = 0.00075;
constexpr int kPipeRoadsPerCost = 5;

// --- unlocks --------------------------------------------------------------------------
enum class UnlockMeasure { WasteBuildings, Population };
enum class GraceService { None, Fire, Police, Hospital };
struct UnlockRule {
    UnlockMeasure measure;
    int threshold;
    UnlockFlag flag;
    const char* line;
    const char* const* text; // the notification's message-table entry
    GraceService grace;
};
constexpr UnlockRule kUnlockRules[] = {
    {UnlockMeasure::WasteBuildings, 50, UnlockFlag::Landfill, "Landfill action unlocked",
     &msgUnlockLandfill, GraceService::None},
    {UnlockMeasure::Population, 96, UnlockFlag::LargeHouse, "Large house action unlocked",
     &msgUnlockLargeHousing, GraceService::None},
    {UnlockMeasure::Population, 320, UnlockFlag::Flats, "Flats action unlocked", &msgUnlockFlats,
     GraceService::None},
    {UnlockMeasure::Population, 250, UnlockFlag::ConvenienceStore, "Large store action unlocked",
     &msgUnlockConvenienceStore, GraceService::None},
    {UnlockMeasure::Population, 400, UnlockFlag::FireStation, "Fire station action unlocked",
     &msgUnlockFireStation, GraceService::Fire},
    {UnlockMeasure::Population, 500, UnlockFlag::PumpingStation, "Pumping station action unlocked",
     &msgUnlockPumpingStation, GraceService::None},
    {UnlockMeasure::Population, 750, UnlockFlag::PoliceStation, "Police station action unlocked",
     &msgUnlockPolice, GraceService::Police},
    {UnlockMeasure::Population, 1000, UnlockFlag::Commercial, "Office building action unlocked",
     &msgUnlockOffice, GraceService::None},
    {UnlockMeasure::Population, 1250, UnlockFlag::Hospital, "Hospital action unlocked",
     &msgUnlockHospital, GraceService::Hospital},
};

// --- houses -------------------------------------------------------------------------
constexpr double kBaseAttractiveness = 0.2;
constexpr double kFactoryNuisanceReach = 3.1;
constexpr double kFactoryNuisance = -0.32;
constexpr double kNeighbourAttractiveness = 0.1;
constexpr double kExtraRoadPenalty = 0.15;
constexpr double kCrampingPenalty = 0.1;
constexpr double kTreeBonus = 0.1;
constexpr double kParkBonus = 0.24;
constexpr double kParkBonusStep = 0.08;
constexpr double kRentPenalty = 0.147;
constexpr double kNoShopsPenalty = 0.3;
constexpr double kNoJobsPenalty = 0.35;
constexpr double kNoJobsPenaltyPerThree = 0.075;
constexpr double kNoWaterPenalty = 0.4;
constexpr double kCrimePenalty = 0.8;
constexpr double kFireHazardPenalty = 0.5;
constexpr double kNoHealthCarePenalty = 0.29;
constexpr double kLandfillPenalty = 0.5;
constexpr double kLandfillPenaltyStep = 0.04;
constexpr double kTrashPenaltyPer750 = 0.058;
constexpr long long kTrashPenaltyStep = 750;
constexpr double kHealthRecovery = 0.42;
// Service lacks, scaled by the day's random factor.
constexpr double kLackingPoliceCrime = 0.5;
constexpr double kLackPerResident = 0.03;
constexpr double kLackBase = 0.21;
constexpr double kNeighbourCrimeShare = 0.15;
constexpr double kNeighbourFireRiskPerResident = 0.075;
constexpr double kBurningNeighbourHazard = 14.0;
