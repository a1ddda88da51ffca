#include "game/InputRules.h"

#include "city/Map.h"
#include "city/Messages.h"
#include "game/MapDrawRules.h"

#include <cstdlib>

namespace {

// Key colours of the picking image's corners and the neighbour each one names.
struct PickKey {
    sf::Color colour;
    sf::Vector2i step;
};
const PickKey kPickKeys[] = {
    {sf::Color(255, 255, 0), {0, -1}}, // yellow: north
    {sf::Color(0, 255, 255), {0, 1}},  // cyan: south
    {sf::Color(255, 0, 255), {-1, 0}}, // magenta: west
    {sf::Color(0, 255, 0), {1, 0}},    // green: east
};

sf::Vector2i keyStep(sf::Color pixel) {
    pixel.a = 255;
    for (const PickKey& key : kPickKeys)
        if (pixel == key.colour)
            return key.step;
    return {0, 0};
}

int snapTowardsZero(int delta, int scale) {
    // C++ remainder takes the dividend's sign, so this moves towards zero both ways.
    return (delta - delta % scale) / kDragDivisor;
}

} // namespace

sf::Vector2i dragOffset(sf::Vector2i mouseDelta, int scale) {
    const int step = scale > 0 ? scale : 1;
    return {snapTowardsZero(mouseDelta.x, step), snapTowardsZero(mouseDelta.y, step)};
}

bool isClick(sf::Vector2i press, sf::Vector2i release, int scale) {
    const sf::Vector2i d = release - press;
    return std::abs(d.x) <= scale && std::abs(d.y) <= scale;
}

std::optional<LayerKey> layerForKey(sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Num1:
        return LayerKey{0, layerTitleBuild};
    case sf::Keyboard::Num2:
        return LayerKey{2, layerTitleAttractiveness};
    case sf::Keyboard::Num3:
        return LayerKey{1, layerTitlePopulation};
    case sf::Keyboard::Num4:
        return LayerKey{3, layerTitleNeeds};
    default:
        return std::nullopt;
    }
}

sf::Vector2i pickTileAt(const sf::Image& isomap, const Map& map, sf::Vector2i world,
                        bool visibleOnly) {
    const sf::Vector2u size = isomap.getSize();
    sf::Vector2i picked(0, 0);
    for (const Tile& tile : map.tiles) {
        if (visibleOnly && !tile.isVisible())
            continue;
        const sf::Vector2i local = world - tileCorner(tile.x, tile.y);
        if (local.x < 0 || local.x >= kPickWidth || local.y < 0 || local.y >= kPickHeight)
            continue;
        // A missing or short image reads as the tile itself rather than out of bounds.
        const bool readable =
            static_cast<unsigned>(local.x) < size.x && static_cast<unsigned>(local.y) < size.y;
        const sf::Vector2i step = readable
                                      ? keyStep(isomap.getPixel(static_cast<unsigned>(local.x),
                                                                static_cast<unsigned>(local.y)))
                                      : sf::Vector2i(0, 0);
        picked = sf::Vector2i(tile.x, tile.y) + step;
    }
    return picked;
}

sf::Vector2i rotatedTile(sf::Vector2i tile, int width, int height, bool right) {
    if (right)
        return {height - 1 - tile.y, tile.x};
    return {tile.y, width - 1 - tile.x};
}
