#include "AssetGen.h"

bool generateFonts(const std::string&) { return true; }
