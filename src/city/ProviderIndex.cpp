#include "city/ProviderIndex.h"

#include "city/Map.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// The tile lists in family order.
constexpr std::array<std::vector<Tile*> ProvidersInRange::*, ProviderIndex::kFamilies> kTileLists{
    &ProvidersInRange::shops, &ProvidersInRange::jobs, &ProvidersInRange::water};

// Each house's provider count and providers, in serving order.
template <class Word>
void layOut(std::vector<Word>& run, const std::vector<std::uint32_t>& order,
            const std::vector<std::uint32_t>& listOffsets,
            const std::vector<std::uint32_t>& listEntries) {
    run.clear();
    run.reserve(order.size() + listEntries.size());
    for (const std::uint32_t h : order) {
        run.push_back(static_cast<Word>(listOffsets[h + 1] - listOffsets[h]));
        for (std::uint32_t e = listOffsets[h]; e < listOffsets[h + 1]; ++e)
            run.push_back(static_cast<Word>(listEntries[e]));
    }
}

} // namespace

ProviderIndex::Pass ProviderIndex::pass(std::size_t family) const {
    return {orders[family].data(), narrow ? narrowRuns[family].data() : nullptr,
            narrow ? nullptr : wideRuns[family].data(), houseCount};
}

void ProviderIndex::rebuild(std::uint64_t mapRevision, const std::vector<Provider>& providers,
                            const std::vector<Tile*>& houses, const Map& map) {
    built = true;
    revision = mapRevision;
    houseCount = houses.size();
    builtFor = providers;
    narrow = providers.size() <= kNarrowProviders;
    std::vector<std::int32_t> providerOf(map.tiles.size(), -1);
    for (std::size_t p = 0; p < providers.size(); ++p)
        providerOf[static_cast<std::size_t>(providers[p].tile)] = static_cast<std::int32_t>(p);
    for (std::size_t f = 0; f < kFamilies; ++f)
        rebuildFamily(f, providers, houses, map, providerOf);
}

void ProviderIndex::rebuildFamily(std::size_t family, const std::vector<Provider>& providers,
                                  const std::vector<Tile*>& houses, const Map& map,
                                  const std::vector<std::int32_t>& providerOf) {
    // First every house's run in list order...
    const Tile* const firstTile = map.tiles.data();
    std::vector<std::uint32_t> listOffsets{0};
    std::vector<std::uint32_t> listEntries;
    for (const Tile* house : houses) {
        for (const Tile* tile : map.providersOf(*house).*kTileLists[family]) {
            const auto index = static_cast<std::size_t>(tile - firstTile);
            const std::int32_t p = index < providerOf.size() ? providerOf[index] : -1;
            if (p < 0)
                continue;
            const Provider& provider = providers[static_cast<std::size_t>(p)];
            if (provider.capacity > 0 && std::abs(provider.x - house->x) <= provider.range &&
                std::abs(provider.y - house->y) <= provider.range)
                listEntries.push_back(static_cast<std::uint32_t>(p));
        }
        listOffsets.push_back(static_cast<std::uint32_t>(listEntries.size()));
    }
    // ...then laid out again in serving order.
    orders[family] = sortByDistance(providers, houses, listOffsets, listEntries);
    narrowRuns[family].clear();
    wideRuns[family].clear();
    if (narrow)
        layOut(narrowRuns[family], orders[family], listOffsets, listEntries);
    else
        layOut(wideRuns[family], orders[family], listOffsets, listEntries);
}

std::vector<std::uint32_t> ProviderIndex::sortByDistance(
    const std::vector<Provider>& providers, const std::vector<Tile*>& houses,
    const std::vector<std::uint32_t>& listOffsets, const std::vector<std::uint32_t>& listEntries) {
    // Keys are squared distances to the first provider; a house that reaches none gets
    // the key past the largest, so it comes last. A counting sort keeps the list order
    // among equal keys.
    constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
    const std::size_t count = houses.size();
    std::vector<std::uint32_t> keys(count, kUnreached);
    std::uint32_t unreachedKey = 0;
    for (std::size_t h = 0; h < count; ++h) {
        if (listOffsets[h] == listOffsets[h + 1])
            continue;
        const Provider& provider = providers[listEntries[listOffsets[h]]];
        const std::int64_t dx = provider.x - houses[h]->x;
        const std::int64_t dy = provider.y - houses[h]->y;
        keys[h] = static_cast<std::uint32_t>(dx * dx + dy * dy);
        unreachedKey = std::max(unreachedKey, keys[h] + 1);
    }
    std::vector<std::uint32_t> starts(static_cast<std::size_t>(unreachedKey) + 2, 0);
    for (std::uint32_t& key : keys) {
        key = std::min(key, unreachedKey);
        ++starts[key + 1];
    }
    for (std::size_t k = 1; k < starts.size(); ++k)
        starts[k] += starts[k - 1];
    std::vector<std::uint32_t> sorted(count, 0);
    for (std::size_t h = 0; h < count; ++h)
        sorted[starts[keys[h]]++] = static_cast<std::uint32_t>(h);
    return sorted;
}
