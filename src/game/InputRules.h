#pragma once
// The arithmetic of the mouse and keyboard on the map, kept apart from the window so
// it can be checked without one: drag snapping, click versus drag, the layer keys,
// picking through the key colours and where a tile goes in a quarter turn.
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <optional>

class Map;

// The camera moves by the mouse's way in window pixels, snapped to whole `scale`
// steps, divided by this whatever the scale is.
constexpr int kDragDivisor = 4;
// Picking reads this much of the "isomap" image: the diamond and its corner regions.
constexpr int kPickWidth = 34;
constexpr int kPickHeight = 17;

// How far the camera moves (map-view units) for a drag of `mouseDelta` window pixels.
sf::Vector2i dragOffset(sf::Vector2i mouseDelta, int scale);

// A press and release within `scale` window pixels on both axes is a click.
bool isClick(sf::Vector2i press, sf::Vector2i release, int scale);

// The number keys 1 to 4: layer number and status text. Not in key order: 2 shows
// attractiveness (layer 2), 3 population (layer 1).
struct LayerKey {
    int layer;
    const char* title;
};
std::optional<LayerKey> layerForKey(sf::Keyboard::Key key);

// The tile under world point `world` (map-view units, whole) from the key colours of
// `isomap`: of all tiles whose picking box holds the point, the last in storage order
// decides; a corner colour names that tile's neighbour. (0, 0) when none holds it.
// With visibleOnly only revealed tiles take part.
sf::Vector2i pickTileAt(const sf::Image& isomap, const Map& map, sf::Vector2i world,
                        bool visibleOnly);

// Grid position that the content of (x, y) moves to under a quarter turn of a
// width x height grid.
sf::Vector2i rotatedTile(sf::Vector2i tile, int width, int height, bool right);
