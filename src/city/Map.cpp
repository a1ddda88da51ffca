#include "city/Map.h"

#include "city/City.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kNewMapRevealRadius = 3;
constexpr float kTileWidth = 32.f;
constexpr float kTileHeight = 16.f;
// Tall buildings reach above their diamond, the tallest art 60 units, so tiles that far
// below the view still show in it.
constexpr float kCullSlack = 64.f;
constexpr float kSelectionHighlightTime = 0.5f;

// Provider families whose lists houses keep.
constexpr int kNoFamily = -1;
constexpr int kShopFamily = 0;
constexpr int kJobFamily = 1;
constexpr int kWaterFamily = 2;

int familyOf(int kind) {
    switch (static_cast<TileKind>(kind)) {
    case TileKind::Shop:
        return kShopFamily;
    case TileKind::Factory:
    case TileKind::Commercial:
        return kJobFamily;
    case TileKind::WaterTower:
    case TileKind::PumpingStation:
        return kWaterFamily;
    default:
        return kNoFamily;
    }
}

int familyOf(TileKind kind) {
    return familyOf(static_cast<int>(kind));
}

// The range within which a provider serves houses; -1 when it cannot serve at all.
int providerRange(const Tile& tile) {
    if (const Shop* shop = tile.shop())
        return shop->range;
    if (const Factory* factory = tile.factory())
        return factory->range;
    if (const Commercial* office = tile.commercial())
        return office->range;
    if (const WaterSupply* water = tile.waterSupply())
        return water->range;
    return -1;
}

int squaredDistance(const Tile& a, const Tile& b) {
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    return dx * dx + dy * dy;
}

bool byNumber(const Tile* a, const Tile* b) {
    return a->number < b->number;
}

std::vector<Tile*>& providerListOf(ProvidersInRange& lists, int family) {
    switch (family) {
    case kShopFamily:
        return lists.shops;
    case kJobFamily:
        return lists.jobs;
    default:
        return lists.water;
    }
}

const std::vector<Tile*>& familyList(const TileLists& lists, int family) {
    switch (family) {
    case kShopFamily:
        return lists.shops;
    case kJobFamily:
        return lists.jobBuildings;
    default:
        return lists.water;
    }
}

void addToKindList(TileLists& lists, Tile* tile) {
    switch (tile->kind) {
    case TileKind::Road:
        lists.roads.push_back(tile);
        break;
    case TileKind::House:
        lists.houses.push_back(tile);
        break;
    case TileKind::Shop:
        lists.shops.push_back(tile);
        break;
    case TileKind::Park:
        lists.parks.push_back(tile);
        break;
    case TileKind::WaterTower:
    case TileKind::PumpingStation:
        lists.water.push_back(tile);
        break;
    case TileKind::Factory:
        lists.factories.push_back(tile);
        lists.jobBuildings.push_back(tile);
        break;
    case TileKind::FireStation:
        lists.fireStations.push_back(tile);
        break;
    case TileKind::PoliceStation:
        lists.policeStations.push_back(tile);
        break;
    case TileKind::Hospital:
        lists.hospitals.push_back(tile);
        break;
    case TileKind::Commercial:
        lists.offices.push_back(tile);
        lists.jobBuildings.push_back(tile);
        break;
    case TileKind::Landfill:
        lists.landfills.push_back(tile);
        break;
    case TileKind::Empty:
    case TileKind::Tree:
    case TileKind::Rubble:
        break;
    }
}

// What moves with a square's content when the city turns.
struct TileContent {
    TileKind kind = TileKind::Empty;
    std::unique_ptr<Building> building;
    std::uint8_t flags = 0;
    int number = 0;
};

TileContent takeContent(Tile& tile) {
    return TileContent{tile.kind, std::move(tile.building), tile.flags, tile.number};
}

void putContent(Tile& tile, TileContent&& content) {
    tile.kind = content.kind;
    tile.building = std::move(content.building);
    if (tile.building != nullptr)
        tile.building->tile = &tile;
    tile.flags = content.flags;
    tile.number = content.number;
}

} // namespace

Map::Map(Simulation& owner) : simulation(owner) {}

void Map::create(int requestedWidth, int requestedHeight, bool loading) {
    const bool valid = requestedWidth > 0 && requestedHeight > 0 && requestedWidth <= kMaxMapSide &&
                       requestedHeight <= kMaxMapSide;
    width = valid ? requestedWidth : kDefaultMapSide;
    height = valid ? requestedHeight : kDefaultMapSide;
    {
        // Readers must never see lists that point into the grid being replaced.
        const std::scoped_lock lock(visibleMutex);
        lists = TileLists{};
        tiles = std::vector<Tile>(static_cast<std::size_t>(width) * height);
    }
    inRange = std::vector<ProvidersInRange>(tiles.size());
    tileServices.assign(tiles.size(), TileServices());
    tileActions.assign(tiles.size(), {});
    ++revision;
    selectedTileNumber = -1;
    rangeHighlightActive = false;
    initialiseTiles();
    // Whatever the grid was built from, every provider list is stale now.
    markEverythingChanged();
    if (loading)
        simulation.rebuildActionLists();
    else
        layOutFirstMap();
    simulation.relocateActionTile();
}

void Map::initialiseTiles() {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Tile& tile = *tileAt(x, y);
            tile.building.reset();
            tile.number = x + (y % 15) + 2 * width * y;
            tile.kind = TileKind::Empty;
            tile.orientation = 0;
            tile.flags = kFlagOffScreen;
            tile.x = x;
            tile.y = y;
            tile.map = this;
            if (simulation.randomNumbers.next() % 4 == 2)
                tile.setKind(TileKind::Tree);
        }
    }
}

void Map::layOutFirstMap() {
    const int cx = width / 2;
    const int cy = height / 2;
    const auto setKindAt = [this](int x, int y, TileKind kind) {
        if (Tile* tile = tileAt(x, y))
            tile->setKind(kind);
    };
    if (simulation.randomNumbers.next() % 2 == 1) {
        setKindAt(cx, cy, TileKind::Road);
        tileAt(cx, cy)->orientation = 1;
        setKindAt(cx + 1, cy, TileKind::House);
        setKindAt(cx, cy - 1, TileKind::Empty);
        setKindAt(cx, cy + 1, TileKind::Empty);
    } else {
        setKindAt(cx, cy - 1, TileKind::House);
        setKindAt(cx, cy, TileKind::Road);
        setKindAt(cx - 1, cy, TileKind::Empty);
        setKindAt(cx + 1, cy, TileKind::Empty);
    }
    reveal(cx, cy, kNewMapRevealRadius, false);
    simulation.rebuildActionLists();
    markEverythingChanged();
    recalculateVisibleTiles();
}

Tile* Map::tileAt(int x, int y) {
    return const_cast<Tile*>(std::as_const(*this).tileAt(x, y));
}

const Tile* Map::tileAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return nullptr;
    return &tiles[static_cast<std::size_t>(y) * width + x];
}

TileSquare Map::square(int cx, int cy, int radius) {
    return TileSquare(tiles.data(), width, height, cx, cy, radius);
}

void Map::reveal(int x, int y, int radius, bool refresh) {
    // floor(sqrt(d2)) <= radius exactly when d2 < (radius + 1)^2.
    const int limit = (radius + 1) * (radius + 1);
    for (Tile* tile : square(x, y, radius)) {
        const int dx = tile->x - x;
        const int dy = tile->y - y;
        if (dx * dx + dy * dy < limit)
            tile->flags |= kFlagVisible;
    }
    if (refresh) {
        recalculateVisibleTiles();
        cullToView();
    }
}

void Map::recalculateVisibleTiles() {
    std::puts("recalculateVisibleTiles");
    TileLists fresh;
    for (Tile& tile : tiles) {
        if (!tile.isVisible())
            continue;
        fresh.visible.push_back(&tile);
        addToKindList(fresh, &tile);
    }
    for (std::vector<Tile*>* list :
         {&fresh.houses, &fresh.shops, &fresh.jobBuildings, &fresh.water})
        std::stable_sort(list->begin(), list->end(), byNumber);
    {
        const std::scoped_lock lock(visibleMutex);
        lists = std::move(fresh);
    }
    rebuildProviderLists(lastChangedKind);
    ++revision;
    lastChangedTile = nullptr;
    lastChangedKind = kEverythingChanged;
    changePending = false;
}

void Map::rebuildProviderLists(int changedKind) {
    const bool everything = changedKind == kEverythingChanged;
    Tile* const oneHouse =
        changedKind == static_cast<int>(TileKind::House) && lastChangedTile != nullptr &&
                lastChangedTile->kind == TileKind::House && lastChangedTile->isVisible()
            ? lastChangedTile
            : nullptr;
    for (int family : {kShopFamily, kJobFamily, kWaterFamily}) {
        if (!everything && oneHouse == nullptr && familyOf(changedKind) != family)
            continue;
        const std::vector<Tile*>& providers = familyList(lists, family);
        int reach = -1;
        for (const Tile* provider : providers)
            reach = std::max(reach, providerRange(*provider));
        const bool sameReach = reach == familyReach[static_cast<std::size_t>(family)];
        familyReach[static_cast<std::size_t>(family)] = reach;
        if (oneHouse != nullptr) {
            rebuildProviderList(*oneHouse, family, providers, reach);
            continue;
        }
        // One provider changed and the family's reach stayed: only the houses within
        // that reach of it can see a difference.
        if (!everything && sameReach && lastChangedTile != nullptr) {
            for (Tile* tile : square(lastChangedTile->x, lastChangedTile->y, reach))
                if (tile->kind == TileKind::House && tile->isVisible())
                    rebuildProviderList(*tile, family, providers, reach);
            continue;
        }
        for (Tile* house : lists.houses)
            rebuildProviderList(*house, family, providers, reach);
    }
}

void Map::rebuildProviderList(Tile& house, int family, const std::vector<Tile*>& providers,
                              int reach) {
    // Providers beyond the family's largest range can never reach this house, so they
    // are left out; the nearest-first order of the rest is what the tick relies on.
    std::vector<Tile*>& list =
        providerListOf(inRange[static_cast<std::size_t>(&house - tiles.data())], family);
    list.clear();
    if (reach < 0)
        return;
    const std::size_t squareArea = static_cast<std::size_t>(2 * reach + 1) * (2 * reach + 1);
    if (squareArea < providers.size()) {
        for (Tile* tile : square(house.x, house.y, reach))
            if (tile->isVisible() && familyOf(tile->kind) == family)
                list.push_back(tile);
    } else {
        for (Tile* provider : providers)
            if (std::abs(provider->x - house.x) <= reach &&
                std::abs(provider->y - house.y) <= reach)
                list.push_back(provider);
    }
    std::sort(list.begin(), list.end(), [&house](const Tile* a, const Tile* b) {
        const int da = squaredDistance(*a, house);
        const int db = squaredDistance(*b, house);
        return da != db ? da < db : a->number < b->number;
    });
}

void Map::cullToView(float left, float top, float viewWidth, float viewHeight) {
    view = ViewRect{left, top, viewWidth, viewHeight + kCullSlack};
    hasView = true;
    cullToView();
}

void Map::cullToView() {
    if (!hasView)
        return;
    for (Tile* tile : lists.visible) {
        const float tileLeft = static_cast<float>(tile->x + tile->y) * (kTileWidth / 2.f);
        const float tileTop = static_cast<float>(tile->y - tile->x) * (kTileHeight / 2.f);
        const bool meets = tileLeft < view.left + view.width && view.left < tileLeft + kTileWidth &&
                           tileTop < view.top + view.height && view.top < tileTop + kTileHeight;
        if (meets)
            tile->flags &= static_cast<std::uint8_t>(~kFlagOffScreen);
        else
            tile->flags |= kFlagOffScreen;
    }
}

void Map::rotateLeft() {
    turn(false);
}

void Map::rotateRight() {
    turn(true);
}

void Map::turn(bool right) {
    // Only a square grid maps onto itself; a non-square one (never made by the game
    // itself) stays as it is.
    if (width == height && width >= 2) {
        std::vector<TileContent> contents;
        contents.reserve(tiles.size());
        for (Tile& tile : tiles)
            contents.push_back(takeContent(tile));
        for (Tile& tile : tiles) {
            const int toX = right ? height - 1 - tile.y : tile.y;
            const int toY = right ? tile.x : width - 1 - tile.x;
            putContent(*tileAt(toX, toY),
                       std::move(contents[static_cast<std::size_t>(tile.y * width + tile.x)]));
        }
    }
    if (width == height)
        rotation += right ? -1 : 1;
    simulation.rebuildActionLists();
    markEverythingChanged();
    recalculateVisibleTiles();
    cullToView();
    simulation.relocateActionTile();
}

void Map::setLayer(int newLayer) {
    layer = newLayer;
    simulation.listener().refreshLayerOptions();
}

void Map::setSelectedTile(const Tile* tile) {
    const int number = tile != nullptr ? tile->number : -1;
    if (number != selectedTileNumber)
        highlightTime = kSelectionHighlightTime;
    selectedTileNumber = number;
}

void Map::highlightRange(const Tile& centre, int radius) {
    clearHighlight();
    rangeHighlightActive = true;
    rangeHighlightX = centre.x;
    rangeHighlightY = centre.y;
    rangeHighlightRadius = radius;
    for (Tile* tile : square(centre.x, centre.y, radius))
        if (tile->isVisible())
            tile->flags |= kFlagHighlighted;
}

void Map::clearHighlight() {
    rangeHighlightActive = false;
    for (Tile* tile : lists.visible)
        tile->flags &= static_cast<std::uint8_t>(~kFlagHighlighted);
}

std::vector<Tile*> Map::visibleTiles() const {
    const std::scoped_lock lock(visibleMutex);
    return lists.visible;
}

double Map::trashOnStreets() const {
    return simulation.city->streetTrash.load();
}

double Map::housingDemandOf(int level) const {
    if (level < 1 || level > kHouseLevels)
        return 0.0;
    return simulation.housingDemand[static_cast<std::size_t>(level - 1)];
}

void Map::recordChange(Tile* tile, TileKind oldKind, TileKind newKind) {
    // A provider that goes away must leave the houses' lists, so its family is what
    // changed. Two different changes before one rebuild widen to everything.
    const int oldFamily = familyOf(oldKind);
    const int newFamily = familyOf(newKind);
    int changed = static_cast<int>(newKind);
    if (oldFamily != kNoFamily && oldFamily != newFamily)
        changed = newFamily == kNoFamily ? static_cast<int>(oldKind) : kEverythingChanged;
    if (changePending && (tile != lastChangedTile || changed != lastChangedKind)) {
        lastChangedTile = nullptr;
        lastChangedKind = kEverythingChanged;
    } else {
        lastChangedTile = changed == kEverythingChanged ? nullptr : tile;
        lastChangedKind = changed;
    }
    changePending = true;
    ++revision;
    if (newKind != TileKind::House)
        inRange[static_cast<std::size_t>(tile - tiles.data())] = ProvidersInRange();
}

void Map::markEverythingChanged() {
    lastChangedTile = nullptr;
    lastChangedKind = kEverythingChanged;
    changePending = true;
}

std::size_t Map::providerListBytes() const {
    std::size_t bytes = 0;
    for (const ProvidersInRange& lists : inRange)
        bytes += (lists.shops.capacity() + lists.jobs.capacity() + lists.water.capacity()) *
                 sizeof(Tile*);
    return bytes;
}
