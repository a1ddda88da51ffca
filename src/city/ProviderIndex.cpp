#include "city/ProviderIndex.h"

#include "city/Tile.h"

#include <cstdlib>

namespace {

// The tile lists in family order.
constexpr std::array<std::vector<Tile*> Tile::*, ProviderIndex::kFamilies> kTileLists{
    &Tile::shopsInRange, &Tile::jobsInRange, &Tile::waterInRange};

} // namespace

void ProviderIndex::rebuild(std::uint64_t mapRevision, const std::vector<Provider>& providers,
                            const std::vector<Tile*>& houses, const Tile* firstTile,
                            const std::vector<std::int32_t>& providerOf) {
    built = true;
    revision = mapRevision;
    builtFor = providers;
    houseX.clear();
    houseY.clear();
    for (const Tile* house : houses) {
        houseX.push_back(house->x);
        houseY.push_back(house->y);
    }
    for (std::size_t f = 0; f < kFamilies; ++f) {
        offsets[f].assign(1, 0);
        entries[f].clear();
        for (const Tile* house : houses) {
            for (const Tile* tile : house->*kTileLists[f]) {
                const auto index = static_cast<std::size_t>(tile - firstTile);
                const std::int32_t p = index < providerOf.size() ? providerOf[index] : -1;
                if (p < 0)
                    continue;
                const Provider& provider = providers[static_cast<std::size_t>(p)];
                if (std::abs(provider.x - house->x) <= provider.range &&
                    std::abs(provider.y - house->y) <= provider.range)
                    entries[f].push_back(static_cast<std::uint32_t>(p));
            }
            offsets[f].push_back(static_cast<std::uint32_t>(entries[f].size()));
        }
        entries[f].shrink_to_fit();
    }
}
