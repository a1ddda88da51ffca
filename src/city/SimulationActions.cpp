// Build actions, the build rate, fire on the action slot and the player's commands
// that must not race the daily tick.
#include "city/City.h"
#include "city/Map.h"
#include "city/Messages.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRevealAroundBuilt = 2;
constexpr double kGoodsPriceStep = 0.05;
constexpr double kLowestLowerablePrice = 0.1;
constexpr const char* kFireTitle = "AAAAAAAAHH!";
constexpr const char* kFireText = "Fire has broken out in the city! Put it out, quickly!";
constexpr const char* kFireOutTitle = "Phew";
constexpr const char* kFireOutText = "Fire has been put out but the houses have been destroyed..";

// Planting, demolishing and fire fighting ignore the build rate.
bool clicksAtBuildRate(ActionKind kind) {
    return kind != ActionKind::PlantTree && kind != ActionKind::Demolish &&
           kind != ActionKind::PutOutFires;
}

bool validGoods(int goodsType) {
    return goodsType >= 0 && goodsType < kGoodsTypeCount;
}

} // namespace

template <class Change> decltype(auto) Simulation::withMap(Change&& change) {
    const std::scoped_lock lock(mapMutex);
    return change();
}

int Simulation::actionPriceFor(const Tile& tile, ActionKind kind) {
    const ActionSpec& action = actionSpec(kind);
    return tile.building != nullptr && action.upgradePrice > 0 ? action.upgradePrice : action.price;
}

Tile* Simulation::findVisibleTile(int number) const {
    Tile* found = nullptr;
    for (Tile* tile : map->lists.visible)
        if (tile->number == number)
            found = tile; // numbers can repeat on very narrow maps: the last match wins
    return found;
}

bool Simulation::canArm(const Tile* tile, std::size_t slot) const {
    if (actionKind != ActionKind::None || tile == nullptr)
        return false;
    const std::vector<ActionKind>& actions = tile->actions();
    return slot < actions.size() && actions[slot] != ActionKind::None &&
           actions[slot] != ActionKind::PutOutFires;
}

void Simulation::arm(Tile& tile, std::size_t slot, int price) {
    actionPrice = price;
    actionTileNumber = tile.number;
    actionTile = &tile;
    actionKind = tile.actions()[slot];
    progress = 0.0;
    clicksNeeded = actionSpec(actionKind).clicks;
    listener().setActionTitle(actionNames[static_cast<std::size_t>(actionKind.load())]);
}

bool Simulation::canAfford(double price) {
    if (city->budgetNow() >= price)
        return true;
    listener().showMessage(msgNoBudgetTitle, msgNoBudgetText);
    return false;
}

bool Simulation::buyAction(int tileNumber, std::size_t slot) {
    return withMap([&] {
        Tile* tile = findVisibleTile(tileNumber);
        if (!canArm(tile, slot))
            return false;
        const int price = actionPriceFor(*tile, tile->actions()[slot]);
        if (!canAfford(price))
            return false;
        city->addMoney(LedgerCategory::Construction, -price);
        arm(*tile, slot, price);
        return true;
    });
}

bool Simulation::startAction(int tileNumber, std::size_t slot, int price) {
    return withMap([&] {
        Tile* tile = findVisibleTile(tileNumber);
        if (!canArm(tile, slot))
            return false;
        arm(*tile, slot, price);
        return true;
    });
}

bool Simulation::actionClick() {
    const auto refused = [] {
        std::puts("ACTION PROGRESS WHILE BUILDINGS ARE UPDATED!!!!!!!!");
        return false;
    };
    if (tickRunning())
        return refused();
    bool dayEnds = false;
    {
        const std::scoped_lock lock(mapMutex);
        // A tick launched since the check above has not run yet: it holds the map.
        if (tickRunning())
            return refused();
        if (actionKind == ActionKind::None)
            return false;
        progress = progress + (clicksAtBuildRate(actionKind) ? buildRate : 1.0);
        ++clickCounter;
        if (actionTile != nullptr)
            addFloatingMark(*actionTile);
        if (progress >= clicksNeeded)
            completeAction();
        else
            playClickSound();
        if (clickCounter >= kClicksPerDay) {
            clickCounter = 0;
            dayEnds = true;
        }
    }
    // Outside the map lock: advancing may wait for the previous tick's thread.
    if (dayEnds)
        advanceDay();
    return true;
}

void Simulation::addFloatingMark(const Tile& tile) {
    const float x = static_cast<float>((tile.x + tile.y) * 16 + 16);
    const float y = static_cast<float>((tile.y - tile.x) * 8 + 8);
    const float drift = static_cast<float>(randomNumbers.next() % 11 - 5) / 10.f;
    listener().floatingMark(x, y, drift);
}

void Simulation::playClickSound() {
    const float pitch =
        static_cast<float>(progress / clicksNeeded) * kClickPitchSpan + kClickPitchBase;
    const float volume =
        (static_cast<float>(randomNumbers.next() % 100) / 1000.f + 0.9f) * kClickVolume;
    listener().playSound("progress_build", pitch, volume);
}

void Simulation::completeAction() {
    std::puts("Action complete!");
    const ActionKind kind = actionKind;
    // An armed kind can come from a save file; one the game does not know builds nothing.
    if (static_cast<int>(kind) <= 0 || static_cast<int>(kind) >= kActionKindCount) {
        disarm();
        return;
    }
    const CompletionEffect& effect = kCompletionEffects[static_cast<std::size_t>(kind)];
    if (kind == ActionKind::PutOutFires) {
        putOutFires();
    } else if (actionTile != nullptr) {
        const ActionSpec& action = actionSpec(kind);
        actionTile->setKind(action.result, action.level);
    }
    listener().shake(effect.shakeStrength, effect.shakeDecay);
    listener().playSound(effect.sound);
    if (kind == ActionKind::PutOutFires)
        listener().showMessage(kFireOutTitle, kFireOutText);
    if (actionTile != nullptr)
        map->reveal(actionTile->x, actionTile->y, kRevealAroundBuilt, true);
    else
        map->recalculateVisibleTiles();
    rebuildActionLists();
    disarm();
}

void Simulation::cancelAction() {
    withMap([this] {
        if (actionKind == ActionKind::None)
            return;
        city->addMoney(LedgerCategory::Construction, actionPrice);
        disarm();
    });
}

void Simulation::disarm() {
    listener().setActionTitle("");
    resetAction();
}

std::optional<BuildRateStep> Simulation::nextBuildRate() const {
    const auto current =
        std::find_if(kBuildRateLadder.begin(), kBuildRateLadder.end(),
                     [this](const BuildRateStep& step) { return step.rate == buildRate; });
    if (current == kBuildRateLadder.end() || current + 1 == kBuildRateLadder.end())
        return std::nullopt;
    return *(current + 1);
}

bool Simulation::buyBuildRate() {
    return withMap([this] {
        const std::optional<BuildRateStep> next = nextBuildRate();
        if (!next || !canAfford(next->price))
            return false;
        city->addMoney(LedgerCategory::Construction, -next->price);
        buildRate = next->rate;
        return true;
    });
}

void Simulation::startFire(Tile& tile) {
    if (tile.hasFlag(kFlagBurning))
        return;
    tile.flags |= kFlagBurning;
    pendingFireClicks.push_back(
        static_cast<unsigned>(randomNumbers.next() % kFireExtraClicksSpread + kFireExtraClicksMin));
}

void Simulation::houseCatchesFire(House& house) {
    house.fireRisk = 0.0;
    house.residents = 0;
    if (house.tile != nullptr)
        startFire(*house.tile);
}

void Simulation::residentDies(House& house) {
    house.health = kHealthAfterDeath;
    std::puts("SOMEBODY DIED!");
    house.residents = std::max(house.residents.load() - 1, 0);
}

void Simulation::applyPendingFires() {
    for (const unsigned extraClicks : pendingFireClicks) {
        if (actionKind != ActionKind::PutOutFires) {
            if (actionKind != ActionKind::None)
                city->addMoney(LedgerCategory::Construction, actionPrice);
            resetAction();
            // Fighting fires costs nothing, so cancelling it refunds nothing: the price
            // just refunded must not be paid out a second time.
            actionPrice = 0;
            clicksNeeded = kFireBaseClicks;
            listener().playSound("fire");
            listener().showMessage(kFireTitle, kFireText);
        }
        actionKind = ActionKind::PutOutFires;
        actionTile = nullptr;
        actionTileNumber = -1;
        clicksNeeded = std::min(clicksNeeded + extraClicks, kFireMaxClicks);
        listener().setActionTitle(actionNames[static_cast<std::size_t>(actionKind.load())]);
    }
    pendingFireClicks.clear();
}

void Simulation::putOutFires() {
    for (Tile& tile : map->tiles) {
        if (!tile.isVisible())
            continue;
        if (tile.hasFlag(kFlagBurning)) {
            tile.flags &= static_cast<std::uint8_t>(~kFlagBurning);
            tile.setKind(TileKind::Rubble);
        } else if (House* house = tile.house()) {
            house->fireRisk = 0.0;
        }
    }
    map->recalculateVisibleTiles();
}

void Simulation::rotateLeft() {
    withMap([this] { map->rotateLeft(); });
}

void Simulation::rotateRight() {
    withMap([this] { map->rotateRight(); });
}

bool Simulation::adjustRent(Tile& houseTile, int delta) {
    return withMap([&] {
        House* house = houseTile.house();
        return house != nullptr && house->adjustRent(delta);
    });
}

void Simulation::raiseGoodsPrice(int goodsType) {
    withMap([&] {
        if (validGoods(goodsType))
            goods[kGoodsPrice + static_cast<std::size_t>(goodsType)] += kGoodsPriceStep;
    });
}

void Simulation::lowerGoodsPrice(int goodsType) {
    withMap([&] {
        if (!validGoods(goodsType))
            return;
        double& price = goods[kGoodsPrice + static_cast<std::size_t>(goodsType)];
        if (price >= kLowestLowerablePrice)
            price -= kGoodsPriceStep;
    });
}

void Simulation::resetGoodsPrice(int goodsType) {
    withMap([&] {
        if (validGoods(goodsType))
            goods[kGoodsPrice + static_cast<std::size_t>(goodsType)] =
                kNewGameGoodsPrices[static_cast<std::size_t>(goodsType)];
    });
}

void Simulation::cycleFactoryGoods(Tile& factoryTile, bool forward) {
    withMap([&] {
        if (Factory* factory = factoryTile.factory())
            factory->goodsType = (std::clamp(factory->goodsType, 0, kGoodsTypeCount - 1) +
                                  (forward ? 1 : -1) + kGoodsTypeCount) %
                                 kGoodsTypeCount;
    });
}

void Simulation::borrow(int amount) {
    withMap([&] { city->borrow(amount); });
}

bool Simulation::payBack(int amount) {
    return withMap([&] { return city->payBack(amount); });
}
