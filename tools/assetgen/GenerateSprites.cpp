#include "AssetGen.h"

bool generateSprites(const std::string&) { return true; }
