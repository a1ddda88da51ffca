#include "game/InputRules.h"

#include "city/Map.h"
#include "city/Messages.h"
#include "game/MapDrawRules.h"

#include <algorithm>
#include <cmath>
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

sf::Vector2i dragOffset(sf::Vector2i mouseDelta, int scale, int magnification) {
    const int step = scale > 0 ? scale : 1;
    const sf::Vector2i atScale(snapTowardsZero(mouseDelta.x, step),
                               snapTowardsZero(mouseDelta.y, step));
    if (magnification <= 0 || magnification == step)
        return atScale;
    // The same way on screen: units at the scale, in pixels, in units at the magnification.
    return atScale * step / magnification;
}

int clampMagnification(int magnification, int scale) {
    return std::clamp(magnification, 1, kZoomRange * std::max(1, scale));
}

int magnificationFromSetting(int stored, int scale) {
    return stored <= 0 ? std::max(1, scale) : clampMagnification(stored, scale);
}

int magnificationSetting(int magnification, int scale) {
    return magnification == scale ? 0 : magnification;
}

sf::Vector2f anchoredTopLeft(sf::Vector2f topLeft, sf::Vector2i anchor, int from, int to) {
    const sf::Vector2f pixel(anchor);
    const sf::Vector2f point = topLeft + pixel / static_cast<float>(from);
    const sf::Vector2f moved = point - pixel / static_cast<float>(to);
    return {std::round(moved.x), std::round(moved.y)};
}

KeyCommand commandForKey(sf::Keyboard::Key key, bool alt) {
    switch (key) {
    case sf::Keyboard::F12:
        return KeyCommand::Screenshot;
    case sf::Keyboard::Return:
        return alt ? KeyCommand::Fullscreen : KeyCommand::Confirm;
    case sf::Keyboard::Space:
        return KeyCommand::Progress;
    case sf::Keyboard::Escape:
        return KeyCommand::CloseTopmost;
    case sf::Keyboard::Q:
        return KeyCommand::RotateLeft;
    case sf::Keyboard::E:
        return KeyCommand::RotateRight;
    case sf::Keyboard::F1:
        return KeyCommand::About;
    case sf::Keyboard::Add:
    case sf::Keyboard::Equal:
        return KeyCommand::ZoomIn;
    case sf::Keyboard::Subtract:
    case sf::Keyboard::Hyphen:
        return KeyCommand::ZoomOut;
    default:
        return layerForKey(key) ? KeyCommand::Layer : KeyCommand::None;
    }
}

sf::Vector2i panDirection(sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Left:
    case sf::Keyboard::A:
        return {-1, 0};
    case sf::Keyboard::Right:
    case sf::Keyboard::D:
        return {1, 0};
    case sf::Keyboard::Up:
    case sf::Keyboard::W:
        return {0, -1};
    case sf::Keyboard::Down:
    case sf::Keyboard::S:
        return {0, 1};
    default:
        return {0, 0};
    }
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
    return tileUnder(isomap, map, world, visibleOnly).value_or(sf::Vector2i(0, 0));
}

std::optional<sf::Vector2i> tileUnder(const sf::Image& isomap, const Map& map, sf::Vector2i world,
                                      bool visibleOnly) {
    const sf::Vector2u size = isomap.getSize();
    std::optional<sf::Vector2i> picked;
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
