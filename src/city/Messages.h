#pragma once
// Every shared text of the game, exactly as the player sees it (misspellings and
// trailing line breaks included). Constant-initialised, so they are usable before any
// object of the game exists. The indexed tables have 32 slots; unlisted slots are "".
#include <array>
#include <cstddef>

constexpr std::size_t kMessageSlots = 32;
using MessageTable = std::array<const char*, kMessageSlots>;

extern const char* const gameTitle;
extern const char* const layerTitleBuild;
extern const char* const layerTitlePopulation;
extern const char* const layerTitleAttractiveness;
extern const char* const layerTitleNeeds;

extern const MessageTable actionNames;  // by ActionKind
extern const MessageTable expenseNames; // by LedgerCategory
extern const MessageTable expenseHelp;  // by LedgerCategory

extern const char* const msgWarningTitle;
extern const char* const msgTrashText;
extern const char* const msgUnlockTitle;
extern const char* const msgUnlockLargeHousing;
extern const char* const msgUnlockFlats;
extern const char* const msgUnlockConvenienceStore;
extern const char* const msgUnlockOffice;
extern const char* const msgUnlockPumpingStation;
extern const char* const msgUnlockPolice;
extern const char* const msgUnlockFireStation;
extern const char* const msgUnlockHospital;
extern const char* const msgUnlockLandfill;

extern const char* const helpHousingDemand;
extern const char* const helpBuildRate;
extern const char* const helpSocialClasses;

extern const char* const msgNoBudgetTitle;
extern const char* const msgNoBudgetText;

extern const std::array<const char*, 7> ratingWords; // by HousingRating
extern const std::array<const char*, 3> goodsNames;  // by GoodsType
