#include "SpriteSets.h"

bool generateUiSprites(const std::string&) { return true; }
