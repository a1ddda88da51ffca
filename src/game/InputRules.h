#pragma once
// The arithmetic of the mouse and keyboard on the map, kept apart from the window so
// it can be checked without one: drag snapping, click versus drag, the layer keys,
// picking through the key colours and where a tile goes in a quarter turn.
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <cstdint>
#include <optional>

class Map;

// The camera moves by the mouse's way in window pixels, snapped to whole `scale`
// steps, divided by this whatever the scale is.
constexpr int kDragDivisor = 4;
// The map's magnification (window pixels per map unit) is whole and runs from 1 to this
// many times the interface's scale; the scale itself is the drawn look of the art.
constexpr int kZoomRange = 3;
// Picking reads this much of the "isomap" image: the diamond and its corner regions.
constexpr int kPickWidth = 34;
constexpr int kPickHeight = 17;

// How far the camera moves (map-view units) for a drag of `mouseDelta` window pixels.
// At another magnification than the scale (0: the same) the map moves as far on screen
// as at the scale, to the whole unit towards zero.
sf::Vector2i dragOffset(sf::Vector2i mouseDelta, int scale, int magnification = 0);

int clampMagnification(int magnification, int scale);
// The "mapZoom" setting keeps 0 for "as the scale", so the default look follows the
// window from one size to another; any other value is the magnification itself.
int magnificationFromSetting(int stored, int scale);
int magnificationSetting(int magnification, int scale);
// The map view's top-left after the magnification goes from `from` to `to`, keeping the
// map point under window pixel `anchor` where it is, to the nearest whole unit.
sf::Vector2f anchoredTopLeft(sf::Vector2f topLeft, sf::Vector2i anchor, int from, int to);

// What a key does besides panning. Layer stands for the number keys (layerForKey).
enum class KeyCommand : std::int32_t {
    None = 0,
    Screenshot = 1,
    Fullscreen = 2,
    Layer = 3,
    Progress = 4, // Space: one press of the armed action's progress button
    Confirm = 5,  // Return: the progress button while armed, else the date button
    CloseTopmost = 6,
    RotateLeft = 7,
    RotateRight = 8,
    About = 9,
    ZoomIn = 10,
    ZoomOut = 11,
};
KeyCommand commandForKey(sf::Keyboard::Key key, bool alt);
// The way a held key pans the map (arrows and W/A/S/D), (0, 0) for other keys.
sf::Vector2i panDirection(sf::Keyboard::Key key);

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
// The same, or nothing when no tile's picking box holds the point.
std::optional<sf::Vector2i> tileUnder(const sf::Image& isomap, const Map& map, sf::Vector2i world,
                                      bool visibleOnly);

// Grid position that the content of (x, y) moves to under a quarter turn of a
// width x height grid.
sf::Vector2i rotatedTile(sf::Vector2i tile, int width, int height, bool right);
