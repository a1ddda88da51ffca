#pragma once
// What the status strip says about the tile under the mouse: its kind and the figure a
// player watches on it ("Small house: 3/8 residents", "Landfill: 35% full"). Reads the
// tile, so the caller holds mapMutex.
#include <string>

class Tile;

// Empty for empty land.
std::string hoverText(const Tile& tile);
