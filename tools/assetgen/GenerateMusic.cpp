#include "AssetGen.h"

bool generateMusic(const std::string&) { return true; }
