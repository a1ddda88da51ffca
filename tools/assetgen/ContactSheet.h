#pragma once
// The review sheet: every sprite of the game's list, read back from a generated data
// folder, recoloured into two palettes (one light, one dark) and enlarged three times,
// so that the whole art set can be judged in one picture.
#include <string>

// `data` ends with "/". Returns false after printing what failed; sprites missing from
// the folder are listed and left out.
bool writeContactSheet(const std::string& data, const std::string& outPng);
