#pragma once
// Where the built-in player puts its streets, lots, parks and civic blocks. Streets run
// along every third row through the first road and one avenue joins them, so that every
// lot touches exactly one street (a second road beside a house costs attractiveness).
// One lot in seven along each row, staggered from row to row, is kept for a park: every
// house then has four or five parks within three tiles once its neighbourhood is built.
// On a wide lattice, civic blocks of 5 x 5 tiles keep a factory's site at their centre
// and its neighbours, which no house should have, for shops, water and services.
class Map;
class Tile;

class CityPlan {
public:
    enum class Use { Street, Lot, ParkLot, Civic, FactorySite };

    // Lays the plan along the first road of a new game: the streets run past the first
    // house, never through it. Any other map gets streets along its rows.
    explicit CityPlan(const Map& map);

    Use useOf(const Tile& tile) const;
    // Squared distance from the first road: the city grows outwards in rings.
    int spread(const Tile& tile) const;

private:
    int across(const Tile& tile) const; // along the streets
    int along(const Tile& tile) const;  // from street to street

    int centreX = 0;
    int centreY = 0;
    bool streetsRunNorthSouth = false;
};
