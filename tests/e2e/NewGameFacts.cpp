#include "NewGameFacts.h"

#include "city/Map.h"
#include "city/Request.h"
#include "city/Simulation.h"
#include "city/Tile.h"

#include <algorithm>

NewGameFacts newGameFacts() {
    Simulation simulation;
    simulation.startNewGame();
    NewGameFacts facts;
    simulation.drainRequests([&facts](const Request& request) {
        if (request.kind == RequestKind::ShowMessage) {
            facts.welcome = {request.title, request.text};
            facts.info = {request.followUpTitle, request.followUpText};
        }
    });
    for (const Tile& tile : simulation.map->tiles) {
        const auto road =
            std::find(tile.actions.begin(), tile.actions.end(), ActionKind::BuildRoad);
        if (tile.kind == TileKind::Empty && road != tile.actions.end()) {
            facts.emptyTileActions = static_cast<int>(tile.actions.size());
            facts.buildRoadIndex = static_cast<int>(road - tile.actions.begin());
            break;
        }
    }
    return facts;
}
