#pragma once
// The built-in player for headless runs. It acts only as a person can: it buys what a
// tile offers, presses the progress and date buttons, changes rents, goods prices and a
// factory's goods, borrows and pays back and buys build-rate upgrades, all through the
// calls the game's windows make. It plans like a careful mayor: a street grid that
// leaves room to grow, public services before their grace periods end, water, shops and
// jobs where the needs layer shows them lacking, parks among the houses, landfills away
// from them, and bigger houses where the housing demand calls for them. Deterministic
// for a given game and random seed. Call it only while no tick runs.
#include "CityPlan.h"
#include "Treasurer.h"
#include "city/CityTypes.h"

#include <cstddef>
#include <optional>
#include <unordered_set>
#include <vector>

class Simulation;
class Tile;

class AutoPlayer {
public:
    explicit AutoPlayer(Simulation& simulation);

    // Buys and arms the city's most wanted action when the budget allows; false when it
    // bought nothing (the caller then lets a day pass to earn money).
    bool buyNextAction();
    // What the player looks after once a day, after the tick: rents, prices, the goods
    // each factory makes, the loan and the build rate.
    void manageCity();

private:
    struct Pick {
        int tileNumber;
        std::size_t slot;
        int price;
    };
    using Want = std::optional<Pick> (AutoPlayer::*)();

    // Each returns the purchase that would meet one need, or nothing when the need is
    // met (or, for lack of a free lot, cannot be met yet).
    std::optional<Pick> fireStation();
    std::optional<Pick> policeStation();
    std::optional<Pick> hospital();
    std::optional<Pick> landfill();
    std::optional<Pick> water();
    std::optional<Pick> shops();
    std::optional<Pick> jobs();
    std::optional<Pick> park();
    std::optional<Pick> housing();
    std::optional<Pick> street();
    std::optional<Pick> streetToward(const Tile& target);
    // The free tile nearest to near that fit accepts, built on or not.
    template <class Fit> const Tile* freeSite(const Tile& near, Fit&& fit) const;

    std::optional<Pick> station(UnlockFlag flag, ActionKind action, TileKind kind);
    std::optional<Pick> supplier(ActionKind action, int need, int range);
    std::optional<Pick> upgradeFullShop(const std::vector<const Tile*>& needy);
    std::optional<Pick> upgradeHouse(int level, ActionKind action);
    std::optional<Pick> newHouse();

    // The houses that showed the need on the last day they were served.
    std::vector<const Tile*> housesLacking(int need) const;
    // The best tile offering the action (or a tree in its place, to be cleared first);
    // score returns nothing for a tile that must not be used.
    template <class Score> std::optional<Pick> bestTile(ActionKind action, Score&& score) const;
    bool fitForHouse(const Tile& tile) const;
    std::size_t index(const Tile& tile) const;
    int freeLots() const;
    bool affordable(const Pick& pick) const;
    bool buy(const Pick& pick);

    Simulation& simulation;
    CityPlan plan;
    Treasurer treasurer;
    // Houses that have been through a tick: a new house shows every need until then.
    std::unordered_set<int> servedHouses;
    bool shortOfLots = false;
    // The supplier bought for a need (a kNeed bit): until a tick has served the houses
    // with it, the needs they show are stale.
    int awaited = -1;
    int awaitedNeed = 0;
};
