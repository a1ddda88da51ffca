#pragma once
// The two halves of the sprite set: the map (tiles, roads, buildings, effects,
// picking image) and the interface (cursor, windows, buttons, icons, title art).
#include <string>

bool generateMapSprites(const std::string& out);
bool generateUiSprites(const std::string& out);
