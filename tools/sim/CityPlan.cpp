#include "CityPlan.h"

#include "city/Map.h"
#include "city/Tile.h"

#include <cstdlib>

namespace {

constexpr int kStreetSpacing = 3;
constexpr int kParkSpacing = 7;
// The avenue runs beside the first road's column, clear of the first house.
constexpr int kAvenue = -1;
// Industrial blocks: every 14th tile along the streets and every 12th row (four streets)
// across, six factory sites on the two rows between a pair of streets, with a civic
// margin of two tiles, where a factory would spoil a house, around them.
constexpr int kBlockSpacingAcross = 14;
constexpr int kBlockOffsetAcross = 6;
constexpr int kBlockSpacingAlong = 12;
constexpr int kBlockOffsetAlong = 1;
constexpr int kSitesAcross = 1;   // on either side of the block's middle column
constexpr int kSiteRowsAlong = 1; // rows after the block's first row
constexpr int kCivicMargin = 2;

int positiveModulo(int value, int divisor) {
    return ((value % divisor) + divisor) % divisor;
}

// The nearest multiple of spacing plus offset.
int nearestOnLattice(int value, int spacing, int offset) {
    const int below = value - positiveModulo(value - offset, spacing);
    return value - below <= spacing / 2 ? below : below + spacing;
}

} // namespace

CityPlan::CityPlan(const Map& map) : centreX(map.width / 2), centreY(map.height / 2) {
    // A first house east of the first road means the first street runs north-south.
    const Tile* east = map.tileAt(centreX + 1, centreY);
    streetsRunNorthSouth = east != nullptr && east->kind == TileKind::House;
}

CityPlan::Use CityPlan::useOf(const Tile& tile) const {
    const int u = across(tile);
    const int v = along(tile);
    if (u == kAvenue || positiveModulo(v, kStreetSpacing) == 0)
        return Use::Street;
    const int du = u - nearestOnLattice(u, kBlockSpacingAcross, kBlockOffsetAcross);
    const int dv = v - nearestOnLattice(v, kBlockSpacingAlong, kBlockOffsetAlong);
    const bool siteColumn = std::abs(du) <= kSitesAcross;
    const bool siteRow = dv >= 0 && dv <= kSiteRowsAlong;
    if (siteColumn && siteRow)
        return Use::FactorySite;
    if (std::abs(du) <= kSitesAcross + kCivicMargin && dv >= -kCivicMargin &&
        dv <= kSiteRowsAlong + kCivicMargin)
        return Use::Civic;
    return positiveModulo(u + 2 * v, kParkSpacing) == 0 ? Use::ParkLot : Use::Lot;
}

int CityPlan::spread(const Tile& tile) const {
    const int u = across(tile);
    const int v = along(tile);
    return u * u + v * v;
}

int CityPlan::across(const Tile& tile) const {
    return streetsRunNorthSouth ? tile.y - centreY : tile.x - centreX;
}

int CityPlan::along(const Tile& tile) const {
    return streetsRunNorthSouth ? tile.x - centreX : tile.y - centreY;
}
