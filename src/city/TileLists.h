#pragma once
// The per-kind lists of visible tiles that the daily tick walks. The tick reads them in
// place under the map mutex, so the map rebuilds them only while no tick runs.
#include <vector>

class Tile;

struct TileLists {
    std::vector<Tile*> visible;
    std::vector<Tile*> houses; // sorted by tile number
    std::vector<Tile*> shops;  // sorted by tile number
    std::vector<Tile*> factories;
    std::vector<Tile*> parks;
    std::vector<Tile*> water; // water towers and pumping stations, by number
    std::vector<Tile*> roads;
    std::vector<Tile*> fireStations;
    std::vector<Tile*> policeStations;
    std::vector<Tile*> hospitals;
    std::vector<Tile*> offices;
    std::vector<Tile*> landfills;
    std::vector<Tile*> jobBuildings; // factories and offices, by number
};
