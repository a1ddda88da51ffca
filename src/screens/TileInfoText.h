#pragma once
// What the information window says about a tile, worked out without any widget: the
// text (tab-aligned for the text widget), the icon, the range to light up on the map
// and which of the window's buttons apply. Reads tiles, so the caller holds mapMutex.
#include <cstdint>
#include <string>

class Simulation;
class Tile;

// What the map's range highlight does while the window shows a tile.
enum class RangeHighlight : std::int32_t { Clear = 0, Show = 1, Keep = 2 };

struct TileInfo {
    std::string text;
    std::string icon; // empty: no icon
    RangeHighlight highlight = RangeHighlight::Clear;
    int range = 0; // squares around the tile, with Show
    bool rentButtons = false;
    bool goodsButtons = false;
};

TileInfo describeTile(const Tile& tile, const Simulation& simulation);

// A house's needs and nuisances as one sentence ("Water needed, noisy street"), or
// "All good!". Empty for a tile without a house.
std::string complaintsLine(const Tile& tile, const Simulation& simulation);

// The tile showing `number` among the visible ones, found the way the simulation finds
// an action's tile: tiles keep their place when the city turns but their content moves,
// so screens remember numbers, not tiles. Null when no visible tile has it.
Tile* visibleTileNumbered(const Simulation& simulation, int number);
