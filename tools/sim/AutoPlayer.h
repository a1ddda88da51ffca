#pragma once
// A simple built-in player for headless runs: it lays streets on a grid around the
// first road, keeps houses supplied with water, shops and jobs, upgrades houses once it
// may, and buys everything through the same calls a player's clicks make. Deterministic
// for a given game and rand() seed. Call it only while no tick runs.
#include "city/CityTypes.h"

#include <optional>

class Simulation;
class Tile;

class AutoPlayer {
public:
    explicit AutoPlayer(Simulation& simulation);

    // Buys and arms the city's most wanted action when the budget allows; false when it
    // bought nothing (the caller then lets a day pass to earn money).
    bool buyNextAction();
    // Asks more rent of full houses that people like a lot.
    void raiseRents();

private:
    struct Pick {
        int tileNumber;
        std::size_t slot;
        int price;
    };

    struct Counts {
        int houses = 0;
        int smallHouses = 0;
        int largeHouses = 0;
        int shops = 0;
        int jobs = 0;
        int water = 0;
        int services = 0;
        int buildingSpots = 0;
    };

    Counts count() const;
    ActionKind mostWanted(const Counts& counts) const;
    std::optional<Pick> pickTile(ActionKind action) const;
    std::optional<Pick> pickTreeToClear(bool onStreet) const;
    bool onStreetGrid(const Tile& tile) const;
    // False for a new house's spot beside another house or near a factory, and for a
    // factory's spot near a house.
    bool goodSpotFor(const Tile& tile, ActionKind action) const;
    int distanceFromAnchor(const Tile& tile) const;
    bool buy(const Pick& pick);

    Simulation& simulation;
    int anchorX = 0;
    int anchorY = 0;
};
