#pragma once
// Entry points of the asset generator. Each writes its part of the data folder
// (`out` ends with "/") and returns false after printing what failed.
#include <string>

bool generateSprites(const std::string& out); // out + "sprites/..."
bool generateFonts(const std::string& out);   // out + "fonts/..."
bool generateSounds(const std::string& out);  // out + "sounds/*.wav"
bool generateMusic(const std::string& out);   // out + "sounds/music/*.ogg"
bool generateIcon(const std::string& out);    // out + "icons/<n>x<n>/apps/tapburg.png"
