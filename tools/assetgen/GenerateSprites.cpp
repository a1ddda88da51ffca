#include "AssetGen.h"
#include "SpriteSets.h"

bool generateSprites(const std::string& out) {
    return generateMapSprites(out) && generateUiSprites(out);
}
