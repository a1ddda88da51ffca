#pragma once
// Writes a synthesised buffer as 16-bit PCM; the file name's extension picks the
// format (".wav" or ".ogg"). Creates missing folders. Prints what failed and returns
// false on any error.
#include <string>

class Synth;

bool writeSoundFile(const std::string& path, const Synth& synth);
