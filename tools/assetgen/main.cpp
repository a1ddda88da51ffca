// Writes the whole generated data set (sprites, fonts, sounds, music) below the
// folder given as the only argument. Output is deterministic.
#include "AssetGen.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tapburg-assetgen DATA_FOLDER\n");
        return 2;
    }
    std::string out = argv[1];
    if (out.back() != '/')
        out += '/';
    const bool ok = generateSprites(out) && generateFonts(out) && generateSounds(out) &&
                    generateMusic(out);
    return ok ? 0 : 1;
}
