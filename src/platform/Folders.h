#pragma once
// The folders the game reads from and writes to, and the few file-system services it
// needs. Every folder path returned here ends with "/", so callers append names.
#include <string>
#include <vector>

// The read-only data folder (sprites, sounds, fonts, shaders, shipped conf.dat).
// $TAPBURG_DATA_DIR wins when set (tests and tools use it); otherwise the "data"
// folder beside the executable, then the installed share folder.
std::string resourcePath();
