#pragma once
// What the public services leave on a tile: crime (above zero is a problem), fire safety
// and health care (below zero are). Kept by the map in one array beside the tiles rather
// than in them: the tick's service pass goes over every covered tile each day and needs
// nothing else of it.
struct TileServices {
    double crime = 0.0;
    double fireSafety = 0.0;
    double healthCare = 0.0;
};
