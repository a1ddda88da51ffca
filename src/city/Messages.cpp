#include "city/Messages.h"

namespace {

// Fills the slots after the listed ones with empty strings, never null.
template <std::size_t N> constexpr MessageTable padded(const char* const (&listed)[N]) {
    static_assert(N <= kMessageSlots);
    MessageTable table{};
    for (std::size_t i = 0; i < kMessageSlots; ++i)
        table[i] = i < N ? listed[i] : "";
    return table;
}

constexpr const char* kActionNames[] = {
    "",
    "Build road",
    "Build small housing",
    "Build large housing",
    "Build flats",
    "Build shop",
    "Build market",
    "Build convenience store",
    "Build park",
    "Build water tower",
    "Build factory",
    "Build fire station",
    "Build police station",
    "Build hospital",
    "Build commercial building",
    "Plant tree",
    "Demolish",
    "Put out fires!",
    "Build pumping station",
    "Build landfill area",
};

constexpr const char* kExpenseNames[] = {
    "Construction",  "Road maintenance",  "Park maintenance", "Housing income",
    "Shop income",   "Production income", "Office income",    "Water supply",
    "Loan interest", "Public services",   "Waste management", "Misc.",
};

constexpr const char* kExpenseHelp[] = {
    "Money spent on construction and demolition.",
    "Your roads need constant care and maintenance. This expense is equal to number of road "
    "tiles.",
    "It costs money to keep your parks clean, grass mown and birds singing. Each park requires "
    "10 money for upkeep.",
    "Houses are the main source of income in your city. You can raise or lower the rent to "
    "bring in more money. Vacant houses have an expense of 1.",
    "Shop tax is another large source of income in your city.",
    "Your shops and residents need goods so you can either produce them in your factories or "
    "import them but at a higher price.",
    "People sitting around all day can be very lucrative.",
    "Water towers and pumping stations require money to maintain. There are also pipes running "
    "beneath the roads which have an expense of 1 for every 5 pieces of road.",
    "There is a daily interest of 0.075% on the loan sum.",
    "Fire departments, police stations and hospitals all require money to run.",
    "Waste management is a nasty and expensive operation. The expense is based on number of "
    "buildings generating waste and grows non-linearly.",
    "",
};

} // namespace

const char* const gameTitle = "Tapburg";
const char* const layerTitleBuild = "Build mode";
const char* const layerTitlePopulation =
    "Showing housing population, filled jobs and number of shoppers";
const char* const layerTitleAttractiveness = "Showing housing attractiveness";
const char* const layerTitleNeeds = "Showing housing needs & warnings";

const MessageTable actionNames = padded(kActionNames);
const MessageTable expenseNames = padded(kExpenseNames);
const MessageTable expenseHelp = padded(kExpenseHelp);

const char* const msgWarningTitle = "Uh-oh..";
const char* const msgTrashText =
    "Excessive amounts of trash is starting to pile up on the streets and stink everything up. "
    "You really need to build more landfills so that city's waste collectors have somewhere to "
    "take it.";
const char* const msgUnlockTitle = "Rejoice!";
const char* const msgUnlockLargeHousing =
    "Larger housing is now available. This new building allows for more dense population to be "
    "developed.";
const char* const msgUnlockFlats = "Apartment buildings are now available. Flats allows for "
                                   "highly dense population to be developed.";
const char* const msgUnlockConvenienceStore =
    "Convenience store is now available. This new shop accomodates more shoppers and turns in "
    "more profit.";
const char* const msgUnlockOffice =
    "Large office buildings are now available for constructions. These structures employ a lot "
    "of residents and generate large profits.";
const char* const msgUnlockPumpingStation =
    "Pumping station is now available for construction. This structure provides water for "
    "greater number of users compared to water towers.";
const char* const msgUnlockPolice =
    "You can now build police stations. As your city grows, so does the number of criminals it "
    "attracts. Housing outside the range of police department attract less residents.\n\nThere "
    "is a 6 month grace period until crime starts to affect housing rating. Use that time to "
    "build your first police station.";
const char* const msgUnlockFireStation =
    "You can now build fire stations. Buildings outside the range of fire department attetion "
    "have a high risk of catching on fire, especially in densely populated areas.\n\nThere is a "
    "6 month grace period until fire hazard starts to affect housing rating. Use that time to "
    "build your first fire station.";
const char* const msgUnlockHospital =
    "You can now build hospitals. As the city grows, the more diseases and illnesses start to "
    "spread. Hospitals ensure your residents don't die.\n\nThere is a 6 month grace period until "
    "lack of healthcare starts to affect housing rating. Use that time to build your first "
    "hospital.";
const char* const msgUnlockLandfill =
    "Your city is starting to grow and generate more waste than the residents are able to "
    "dispose of themselves. Landfills are now availble for construction. Their capacity is "
    "limited and once they have been built, they cannot be removed. Waste management is now an "
    "additional expense for the city.";

const char* const helpHousingDemand =
    "As new people arrive in your city they all look for different place to live and to make "
    "home. Some prefer life in an apartment, others look for space and privacy of a single "
    "house. You need to provide different options if you wish to really grow your city.";
const char* const helpBuildRate =
    "Shown below is the rate at which roads and buildings are constructed when clicking.";
const char* const helpSocialClasses =
    "There are 3 social classes in your city. Distribution is based on housing ratings.\n\n"
    "* Lower class:\nMostly calculated from houses with 1 star. These houses consume food and "
    "little basic goods.\n\n"
    "* Middle class:\nMostly calculated from houses with 2 stars. These houses consume food, "
    "basic goods and little luxury items.\n\n"
    "* Upper class:\nMostly calculated from houses with 3 stars. These houses consume food, "
    "basic goods and luxury items.\n\n\n";

const char* const msgNoBudgetTitle = "Oh no.";
const char* const msgNoBudgetText = "Your city doesn't have enough budget for this.";

const std::array<const char*, 7> ratingWords{"Appalling", "Poor", "Inadequate", "Neutral",
                                             "Tolerable", "Good", "Excellent"};
const std::array<const char*, 3> goodsNames{"Food", "Basic goods", "Luxury items"};
