#include "AssetGen.h"

bool generateSounds(const std::string&) { return true; }
